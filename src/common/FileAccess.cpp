#include "FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileError FileError::fromErrno(int number)
{
    return {number, QString::fromLocal8Bit(std::strerror(number))};
}

FileError FileError::tooLarge(qint64 limit, const QString &unit)
{
    FileError error = fromErrno(EFBIG);
    error.description += QStringLiteral(": more than ") + QString::number(limit) + u' ' + unit;
    return error;
}

bool ReadRegularFile(const QString &path, QByteArray &bytes, FileError &error, qint64 maximumSize)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = FileError::fromErrno(errno);
        return false;
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0) {
        error = FileError::fromErrno(errno);
        ::close(fd);
        return false;
    }
    if (S_ISDIR(status.st_mode)) {
        error = FileError::fromErrno(EISDIR);
        ::close(fd);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        error = FileError::fromErrno(ENOENT);
        ::close(fd);
        return false;
    }
    if (status.st_size > maximumSize) {
        error = FileError::tooLarge(maximumSize, QStringLiteral("bytes"));
        ::close(fd);
        return false;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        error = FileError::fromErrno(EIO);
        ::close(fd);
        return false;
    }
    // Never more than one byte past the limit, whatever the size says: a file of the system
    // may read as empty and never end.
    const qint64 limit =
        maximumSize < std::numeric_limits<qint64>::max() ? maximumSize + 1 : maximumSize;
    bytes.clear();
    constexpr qint64 chunk = 64 * 1024;
    while (bytes.size() < limit) {
        const qint64 wanted = std::min(chunk, limit - qint64(bytes.size()));
        const qsizetype had = bytes.size();
        bytes.resize(had + qsizetype(wanted));
        const qint64 got = file.read(bytes.data() + had, wanted);
        if (got < 0) {
            bytes.clear();
            error = FileError::fromErrno(EIO);
            return false;
        }
        bytes.resize(had + qsizetype(got));
        if (got == 0) {
            break;
        }
    }
    if (bytes.size() > maximumSize) { // larger than it said, or it grew while it was read
        bytes.clear();
        error = FileError::tooLarge(maximumSize, QStringLiteral("bytes"));
        return false;
    }
    return true;
}

QString FindFileIgnoringCase(const QString &folder, const QString &name)
{
    return FolderNames(folder).find(name);
}

FolderNames::FolderNames(const QString &folder) : m_folder(folder) {}

QString FolderNames::find(const QString &name) const
{
    const QDir dir(m_folder);
    if (QFileInfo::exists(dir.filePath(name))) {
        return dir.filePath(name);
    }
    if (!m_byFoldedName) {
        m_byFoldedName.emplace();
        const QStringList entries = dir.entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        // Folding each character alike is what a case-blind comparison does; the first name
        // in sorted order wins.
        for (const QString &entry : entries) {
            const QString folded = entry.toCaseFolded();
            if (!m_byFoldedName->contains(folded)) {
                m_byFoldedName->insert(folded, entry);
            }
        }
    }
    const auto found = m_byFoldedName->constFind(name.toCaseFolded());
    return found == m_byFoldedName->cend() ? QString() : dir.filePath(*found);
}

bool IsSafeFileName(const QString &name)
{
    if (name.isEmpty() || name == u"." || name == u"..") {
        return false;
    }
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c == u'<' || c == u'>' || c == u':' || c == u'"' || c == u'/' ||
            c == u'\\' || c == u'|' || c == u'?' || c == u'*') {
            return false;
        }
    }
    return true;
}

FileReplaceCalls TheFileReplaceCalls{::mkostemp, ::fdatasync, ::close};

namespace {

// The file a path names, through any links (relative ones from the link's folder).
QString throughLinks(const QString &path)
{
    QString target = path;
    for (int depth = 0; depth < 40; ++depth) {
        const QFileInfo info(target);
        if (!info.isSymLink()) {
            break;
        }
        const QString next = info.symLinkTarget();
        if (next.isEmpty()) {
            break;
        }
        target = next;
    }
    return target;
}

QString failure(int number)
{
    return FileError::fromErrno(number).description;
}

} // namespace

bool ReplaceFileSafely(const QString &path, const QByteArray &bytes, QString &reason,
                       const QString &temporaryPrefix)
{
    const QString target = throughLinks(path);
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    QByteArray temporary =
        QFile::encodeName(folder + u'/' + temporaryPrefix + QStringLiteral("XXXXXX"));
    const int fd = TheFileReplaceCalls.mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        reason = failure(errno);
        return false;
    }
    auto giveUp = [&](int number, bool open) {
        if (open) {
            ::close(fd);
        }
        ::unlink(temporary.constData());
        reason = failure(number);
        return false;
    };
    struct stat old
    {
    };
    const QByteArray native = QFile::encodeName(target);
    if (::stat(native.constData(), &old) == 0) {
        // The old file's permissions, and its owner and group where the program may give them.
        if (::fchmod(fd, old.st_mode & 07777) != 0) {
            return giveUp(errno, true);
        }
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(fd, old.st_uid, old.st_gid) != 0 && ::geteuid() == 0) {
            return giveUp(errno, true);
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(fd, 0666 & ~mask) != 0) {
            return giveUp(errno, true);
        }
    }
    for (qsizetype written = 0; written < bytes.size();) {
        const ssize_t count =
            ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return giveUp(count < 0 ? errno : ENOSPC, true);
        }
        written += count;
    }
    if (TheFileReplaceCalls.fdatasync(fd) != 0) {
        return giveUp(errno, true);
    }
    if (TheFileReplaceCalls.close(fd) != 0) {
        return giveUp(errno, false);
    }
    if (::rename(temporary.constData(), native.constData()) != 0) {
        return giveUp(errno, false);
    }
    // The rename itself is on the disk once the folder is.
    const int folderFd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        const bool synced = ::fsync(folderFd) == 0;
        const int number = errno;
        ::close(folderFd);
        if (!synced) {
            reason = failure(number);
            return false;
        }
    }
    return true;
}

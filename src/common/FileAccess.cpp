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
        error = FileError::fromErrno(EFBIG);
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
        error = FileError::fromErrno(EFBIG);
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

bool WriteAll(QIODevice &device, const QByteArray &bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 count = device.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0) {
            return false;
        }
        written += count;
    }
    return true;
}

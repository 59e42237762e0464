#include "CatalogueLoadRecord.h"

#include "Catalogue.h"
#include "log/Log.h"

#include <QFile>

#include <sys/stat.h>

namespace {

constexpr qint64 nanosecondsPerSecond = 1'000'000'000;

qint64 nanoseconds(const timespec &time)
{
    return qint64(time.tv_sec) * nanosecondsPerSecond + time.tv_nsec;
}

// Whether a file time lies far enough before the start of a read that no later change can
// carry the same time. File times come from a clock that may lag a tick behind, or from a
// file server's clock, and are cut to the file system's granularity: sub-second digits show
// a fine one, whole seconds (or hundredths) may mean two-second steps.
bool safelyBefore(const timespec &fileTime, const timespec &readStart)
{
    const qint64 margin =
        fileTime.tv_nsec % 10'000'000 == 0 ? 3 * nanosecondsPerSecond : nanosecondsPerSecond;
    return nanoseconds(fileTime) < nanoseconds(readStart) - margin;
}

} // namespace

bool CatalogueLoadRecord::Stamp::operator==(const Stamp &other) const
{
    return present == other.present && device == other.device && inode == other.inode &&
           size == other.size && nanoseconds(modified) == nanoseconds(other.modified) &&
           nanoseconds(changed) == nanoseconds(other.changed) && mode == other.mode;
}

CatalogueLoadRecord::Stamp CatalogueLoadRecord::stampOf(const QString &path)
{
    Stamp stamp;
    stamp.path = path;
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        stamp.present = true;
        stamp.device = status.st_dev;
        stamp.inode = status.st_ino;
        stamp.size = status.st_size;
        stamp.modified = status.st_mtim;
        stamp.changed = status.st_ctim;
        stamp.mode = status.st_mode;
    }
    return stamp;
}

bool CatalogueLoadRecord::mayReuse(const Catalogue &tree, const QString &folder) const
{
    if (!m_complete || &tree != m_tree || tree.textRevision() != m_revision ||
        tree.count() != m_count || folder != m_folder) {
        return false;
    }
    for (const Stamp &stamp : m_stamps) {
        if (!(stampOf(stamp.path) == stamp)) {
            return false;
        }
    }
    return true;
}

void CatalogueLoadRecord::begin(const QString &folder)
{
    m_folder = folder;
    m_complete = false;
    m_reused = false;
    m_tree = nullptr;
    m_stamps.clear();
    m_logLines.clear();
    m_unreadFiles.clear();
    clock_gettime(CLOCK_REALTIME, &m_started);
    stamp(folder);
}

void CatalogueLoadRecord::stamp(const QString &path)
{
    m_stamps.push_back(stampOf(path));
}

void CatalogueLoadRecord::end(const Catalogue &tree, bool found)
{
    m_tree = &tree;
    m_revision = tree.textRevision();
    m_count = tree.count();
    m_found = found;
    m_complete = true;
    for (const Stamp &stamp : m_stamps) {
        if (stamp.present &&
            (!safelyBefore(stamp.modified, m_started) || !safelyBefore(stamp.changed, m_started))) {
            m_complete = false;
        }
    }
}

bool CatalogueLoadRecord::replay(const Log &log, QStringList *unreadFiles)
{
    m_reused = true;
    for (const LogLine &line : std::as_const(m_logLines)) {
        log.LogMessage(line.message, line.level);
    }
    if (unreadFiles) {
        unreadFiles->append(m_unreadFiles);
    }
    return m_found;
}

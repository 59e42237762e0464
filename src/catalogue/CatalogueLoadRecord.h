#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <ctime>
#include <sys/types.h>
#include <vector>

class Catalogue;
class Log;

// What one load of the catalogue read and gave, so that the next load from the same folder
// into the same tree can give it again without reading a file when none has changed. Every
// path the load looked at, and the folder itself, is kept with its identity, size and
// modification and change times; a path that was missing is kept as missing. A file whose
// times are not safely older than the moment it was read may still change within the same
// timestamp, so such a load is never reused.
class CatalogueLoadRecord final
{
public:
    // Whether a load from folder into tree may give the recorded result instead of reading.
    bool mayReuse(const Catalogue &tree, const QString &folder) const;
    // Whether the last load given through this record was a reused one.
    bool reused() const { return m_reused; }

    // Starts recording a load that reads.
    void begin(const QString &folder);
    // Keeps what path is now (before it is read).
    void stamp(const QString &path);
    void logged(const QString &message, qint16 level) { m_logLines.append({message, level}); }
    void unread(const QString &entry) { m_unreadFiles.append(entry); }
    // Ends the recording: the tree as the load left it, and what the load returned.
    void end(const Catalogue &tree, bool found);

    // Gives the recorded load's messages and unread files again, and its result.
    bool replay(const Log &log, QStringList *unreadFiles);

private:
    struct Stamp
    {
        QString path;
        bool present = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        mode_t mode = 0;

        bool operator==(const Stamp &other) const;
    };
    struct LogLine
    {
        QString message;
        qint16 level = 0;
    };

    static Stamp stampOf(const QString &path);

    QString m_folder;
    timespec m_started{};
    bool m_complete = false; // ended, and every file safely older than its read
    bool m_reused = false;
    bool m_found = false;
    const Catalogue *m_tree = nullptr;
    quint64 m_revision = 0;
    int m_count = 0;
    std::vector<Stamp> m_stamps;
    QList<LogLine> m_logLines;
    QStringList m_unreadFiles;
};

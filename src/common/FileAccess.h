#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <limits>
#include <optional>

// Why a file could not be had: the system's error number and its wording.
struct FileError
{
    int number = 0;
    QString description;

    static FileError fromErrno(int number);
    // A file refused for its size: which limit, and its value ("more than 1024 lines").
    static FileError tooLarge(qint64 limit, const QString &unit);
};

// Reads a whole regular file. Never blocks on a pipe or device and never follows a directory:
// anything but a regular file fails, and so does a file of more than maximumSize bytes
// (EFBIG), so that no file can make the program run out of memory. On failure returns false
// and fills error.
bool ReadRegularFile(const QString &path, QByteArray &bytes, FileError &error,
                     qint64 maximumSize = std::numeric_limits<qint64>::max());

// Looks a file up in a folder without regard to letter case: the exact name first, then the
// first name (in sorted order) that differs only in case. Returns the path, or an empty
// string when there is none. The name must be a plain file name (see IsSafeFileName).
QString FindFileIgnoringCase(const QString &folder, const QString &name);

// One folder for many case-blind look-ups, as FindFileIgnoringCase makes them. The folder is
// listed once, at the first look-up that needs it, so that a catalogue of thousands of
// headings in a folder of thousands of files does not list the folder once per heading.
class FolderNames final
{
public:
    explicit FolderNames(const QString &folder);

    const QString &folder() const { return m_folder; }
    QString find(const QString &name) const;

private:
    QString m_folder;
    // The first name in sorted order for each name in case-folded form.
    mutable std::optional<QHash<QString, QString>> m_byFoldedName;
};

// A name that can be a file name in the program folder: not empty, no path separators, none
// of < > : " / \ | ? * and no control characters, and not "." or "..".
bool IsSafeFileName(const QString &name);

// Replaces the file at path with bytes so that at every instant the path holds either the
// whole old file or the whole new one, and a replacement reported as done survives a power
// cut: a temporary file beside it (a short name, however long the file's own), written,
// synced and closed, given the old file's permissions, owner and group, renamed over it, and
// the folder synced. A link is written through to the file it names. Any failure leaves the
// old file as it was and gives the reason. The temporary file's name is temporaryPrefix and
// six random letters or digits.
bool ReplaceFileSafely(const QString &path, const QByteArray &bytes, QString &reason,
                       const QString &temporaryPrefix = QStringLiteral(".shopping-"));

// The system calls of ReplaceFileSafely that depend on the folder and the disk, so that tests
// can make them fail.
struct FileReplaceCalls
{
    int (*mkostemp)(char *name, int flags);
    int (*fdatasync)(int fd);
    int (*close)(int fd);
};
extern FileReplaceCalls TheFileReplaceCalls;

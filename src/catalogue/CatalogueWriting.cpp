#include "CatalogueWriting.h"

#include "Catalogue.h"
#include "CatalogueLoader.h"
#include "common/FileAccess.h"
#include "common/TextDecoding.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <optional>

namespace {

const QString headingsFile = QStringLiteral("headings.txt");

// The first heading the tree shows with this text, 0 when none.
int findHeading(const Catalogue &tree, const QString &text)
{
    for (int position = tree.findFirst(text); position != 0; position = tree.findNext(position)) {
        if (!tree.isItem(position) && tree.node(position).parent == 1) {
            return position;
        }
    }
    return 0;
}

// The item with this text under the heading, 0 when none.
int itemUnder(const Catalogue &tree, int heading, const QString &item)
{
    for (const int child : tree.children(heading)) {
        if (tree.isItem(child) && tree.node(child).text == item) {
            return child;
        }
    }
    return 0;
}

// Where a catalogue file is, or is to be made.
QString pathIn(const FolderNames &names, const QString &fileName)
{
    const QString found = names.find(fileName);
    return found.isEmpty() ? QDir(names.folder()).filePath(fileName) : found;
}

// The line end a file uses: that of its first line, CR LF when it has none.
QByteArray lineEndOf(const QByteArray &bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            return QByteArrayLiteral("\n");
        }
        if (bytes[i] == '\r') {
            return i + 1 < bytes.size() && bytes[i + 1] == '\n' ? QByteArrayLiteral("\r\n")
                                                                : QByteArrayLiteral("\r");
        }
    }
    return QByteArrayLiteral("\r\n");
}

// The file's bytes with line after them, in the file's own encoding and line ends.
std::optional<QByteArray> appendLine(QByteArray bytes, const QString &line, const QString &path,
                                     QString &reason)
{
    const QByteArray end = lineEndOf(bytes);
    const std::optional<QByteArray> encoded =
        IsValidUtf8(bytes) ? std::optional(line.toUtf8()) : EncodeWindows1252(line);
    if (!encoded) {
        reason = QDir::toNativeSeparators(path) +
                 QStringLiteral(" is written in Windows-1252, which cannot hold \"") + line + u'"';
        return std::nullopt;
    }
    if (!bytes.isEmpty() && !bytes.endsWith('\r') && !bytes.endsWith('\n')) {
        bytes += end;
    }
    return bytes + *encoded + end;
}

// The file's bytes, or empty ones for a file that is not there yet.
std::optional<QByteArray> readOrNothing(const QString &path, QString &reason)
{
    QByteArray bytes;
    FileError error;
    if (QFileInfo::exists(path) && !ReadRegularFile(path, bytes, error, MaximumCatalogueFileSize)) {
        reason = QDir::toNativeSeparators(path) + QStringLiteral(" cannot be read: ") +
                 error.description;
        return std::nullopt;
    }
    return bytes;
}

bool replace(const QString &path, const QByteArray &bytes, QString &reason)
{
    if (ReplaceFileSafely(path, bytes, reason)) {
        return true;
    }
    reason = QDir::toNativeSeparators(path) + QStringLiteral(" cannot be written: ") + reason;
    return false;
}

// A new category file: the caption line, then the item, in UTF-8.
QByteArray newFileBytes(const QString &caption, const QString &item, const QByteArray &lineEnd)
{
    return (u';' + caption).toUtf8() + lineEnd + item.toUtf8() + lineEnd;
}

// Appends item to the catalogue file, or makes the file with caption and item when it is not
// there.
bool appendToFile(const FolderNames &names, const QString &fileName, const QString &caption,
                  const QString &item, QString &reason)
{
    if (!IsSafeFileName(fileName)) {
        reason =
            QStringLiteral("\"") + fileName + QStringLiteral("\" cannot be the name of a file.");
        return false;
    }
    const QString path = pathIn(names, fileName);
    const std::optional<QByteArray> old = readOrNothing(path, reason);
    if (!old) {
        return false;
    }
    const std::optional<QByteArray> bytes =
        old->isEmpty() ? std::optional(newFileBytes(caption, item, QByteArrayLiteral("\r\n")))
                       : appendLine(*old, item, path, reason);
    return bytes && replace(path, *bytes, reason);
}

std::optional<QString> lineProblem(const QString &line, const QString &what)
{
    if (line.trimmed().isEmpty()) {
        return QStringLiteral("The ") + what + QStringLiteral(" is empty.");
    }
    if (line.startsWith(u';')) {
        return QStringLiteral("A catalogue line that starts with \";\" is a caption, so the ") +
               what + QStringLiteral(" cannot start with one.");
    }
    if (std::any_of(line.begin(), line.end(),
                    [](QChar c) { return c.category() == QChar::Other_Control; })) {
        return QStringLiteral("The ") + what +
               QStringLiteral(" cannot hold a line break or other control character.");
    }
    return std::nullopt;
}

} // namespace

QStringList HeadingTexts(const Catalogue &tree)
{
    QStringList texts;
    if (tree.count() == 0) {
        return texts;
    }
    for (const int heading : tree.children(1)) {
        const QString &text = tree.node(heading).text;
        if (!tree.isItem(heading) && !text.isEmpty() && !texts.contains(text)) {
            texts.append(text);
        }
    }
    return texts;
}

int KeepItemInCatalogue(Catalogue &tree, const QString &folder, const QString &category,
                        const QString &item, QString &reason)
{
    for (const auto &[line, what] : {std::pair(category, QStringLiteral("category")),
                                     std::pair(item, QStringLiteral("item"))}) {
        if (const std::optional<QString> problem = lineProblem(line, what)) {
            reason = *problem;
            return 0;
        }
    }
    const int heading = findHeading(tree, category);
    if (heading != 0) {
        if (const int kept = itemUnder(tree, heading, item)) {
            return kept;
        }
    }
    if (tree.count() == 0 || tree.count() + (heading == 0 ? 2 : 1) > Catalogue::MaxNodes) {
        reason = QStringLiteral("The catalogue is full.");
        return 0;
    }
    const FolderNames names(folder);
    if (heading != 0) {
        if (!appendToFile(names, tree.fileName(heading), category, item, reason)) {
            return 0;
        }
        return tree.addNode(heading, QString(), item, NodeImage::Doc);
    }

    const QString fileName = category + QStringLiteral(".txt");
    if (!IsSafeFileName(fileName)) {
        reason = QStringLiteral("A new category names its catalogue file, and \"") + fileName +
                 QStringLiteral("\" cannot be the name of a file.");
        return 0;
    }
    if (!names.find(fileName).isEmpty()) {
        reason = QStringLiteral("The catalogue folder holds a file ") + fileName +
                 QStringLiteral(" already, which no heading shows as \"") + category +
                 QStringLiteral("\". Choose a category the tree shows, or another name.");
        return 0;
    }
    const QString indexPath = pathIn(names, headingsFile);
    const std::optional<QByteArray> index = readOrNothing(indexPath, reason);
    const std::optional<QByteArray> newIndex =
        index ? appendLine(*index, category, indexPath, reason) : std::nullopt;
    if (!newIndex) {
        return 0;
    }
    // The new file before the index that names it: a failure in between leaves no heading
    // without its file.
    const QString path = pathIn(names, fileName);
    if (!replace(path, newFileBytes(category, item, lineEndOf(*index)), reason)) {
        return 0;
    }
    if (!replace(indexPath, *newIndex, reason)) {
        QFile::remove(path);
        return 0;
    }
    const int added = tree.addNode(1, QString(), category, NodeImage::Closed);
    tree.setFileName(added, fileName);
    return tree.addNode(added, QString(), item, NodeImage::Doc);
}

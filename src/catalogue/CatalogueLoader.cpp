#include "CatalogueLoader.h"

#include "common/FileAccess.h"
#include "common/TextDecoding.h"
#include "log/Log.h"

#include <QDir>

#include <algorithm>
#include <cerrno>

namespace {

const QString headingsFile = QStringLiteral("headings.txt");

QString loadTextIntoTree(Catalogue &tree, const QString &parentText, const FolderNames &folder,
                         const QString &fileName, NodeImage image, const Log &log,
                         QStringList *unreadFiles = nullptr, CatalogueLoadRecord *record = nullptr);

// The file a look-up in the folder finds, with what it looked at kept in the record.
QString findFile(const FolderNames &folder, const QString &name, CatalogueLoadRecord *record)
{
    const QString found = folder.find(name);
    if (record) {
        const QString exact = QDir(folder.folder()).filePath(name);
        record->stamp(exact);
        if (!found.isEmpty() && found != exact) {
            record->stamp(found);
        }
    }
    return found;
}

// The tree as a fresh load leaves the same nodes: nothing ticked, only the root expanded.
void resetAsLoaded(Catalogue &tree)
{
    for (int position = 1; position <= tree.count(); ++position) {
        tree.setTicked(position, false);
        tree.setExpanded(position, position == 1);
    }
}

} // namespace

bool LoadCatalogue(Catalogue &tree, const QString &programFolder, const Log &log,
                   QStringList *unreadFiles, CatalogueLoadRecord *record)
{
    if (record && record->mayReuse(tree, programFolder)) {
        const Catalogue::Rebuild rebuild(tree, Catalogue::Rebuild::KeepNodes);
        resetAsLoaded(tree);
        return record->replay(log, unreadFiles);
    }
    if (record) {
        record->begin(programFolder);
    }
    const bool found = [&] {
        const Catalogue::Rebuild rebuild(tree);
        const int root =
            tree.addNode(0, QStringLiteral("r"), QStringLiteral("List"), NodeImage::Closed);
        tree.setExpanded(root, true);

        const FolderNames folder(programFolder);
        const QString headings = findFile(folder, headingsFile, record);
        if (headings.isEmpty() || !QFileInfo(headings).isFile()) {
            return false;
        }
        loadTextIntoTree(tree, QStringLiteral("List"), folder, QFileInfo(headings).fileName(),
                         NodeImage::Closed, log, unreadFiles, record);
        const int headingsEnd = tree.count();
        for (int position = 2; position <= headingsEnd; ++position) {
            const QString heading = tree.node(position).text;
            tree.setFileName(position, heading + QStringLiteral(".txt"));
            const QString caption = loadTextIntoTree(tree, heading, folder, tree.fileName(position),
                                                     NodeImage::Doc, log, unreadFiles, record);
            // Unconditionally: a file without caption, or one that failed before its caption,
            // leaves the heading without text.
            tree.setText(position, caption);
        }
        return true;
    }();
    if (record) {
        record->end(tree, found);
    }
    return found;
}

QString LoadTextIntoTree(Catalogue &tree, const QString &parentText, const QString &programFolder,
                         const QString &fileName, NodeImage image, const Log &log)
{
    return loadTextIntoTree(tree, parentText, FolderNames(programFolder), fileName, image, log);
}

namespace {

QString loadTextIntoTree(Catalogue &tree, const QString &parentText, const FolderNames &folder,
                         const QString &fileName, NodeImage image, const Log &log,
                         QStringList *unreadFiles, CatalogueLoadRecord *record)
{
    const QString &programFolder = folder.folder();
    const int parent = tree.findFirst(parentText);
    const QString shownPath = QDir::toNativeSeparators(QDir(programFolder).filePath(fileName));
    QString caption;
    QString lastLine;
    auto fail = [&](const FileError &error, bool tell = true) {
        const QString entry = shownPath + QStringLiteral(": ") + error.description;
        if (tell && unreadFiles) {
            unreadFiles->append(entry);
        }
        if (tell && record) {
            record->unread(entry);
        }
        const QString message = QStringLiteral("Error # ") + QString::number(error.number) + u'\'' +
                                error.description + QStringLiteral("' while loading txt:'") +
                                lastLine + QStringLiteral("' from ") + shownPath;
        log.LogMessage(message, 3);
        if (record) {
            record->logged(message, 3);
        }
        return caption;
    };

    // A name that cannot be a file name here fails like a missing file, so no catalogue line
    // can reach a file outside the program folder.
    const QString path =
        IsSafeFileName(fileName) && parent != 0 ? findFile(folder, fileName, record) : QString();
    if (path.isEmpty()) {
        return fail(FileError::fromErrno(ENOENT), false);
    }
    QByteArray bytes;
    FileError error;
    if (!ReadRegularFile(path, bytes, error, MaximumCatalogueFileSize)) {
        return fail(error);
    }
    const QString text = DecodeText(bytes);
    bytes = QByteArray();
    // The lines are cut first, so that the tree makes room for all of them at once.
    std::vector<QStringView> lines;
    ForEachLine(text, [&](QStringView line) {
        if (!line.isEmpty()) {
            lines.push_back(line);
        }
        return true;
    });
    tree.reserve(tree.count() + int(std::min<size_t>(lines.size(), Catalogue::MaxNodes)));
    int items = 0;
    for (const QStringView line : lines) {
        if (line.front() == u';') {
            caption = line.sliced(1).toString();
            continue;
        }
        if (items == Catalogue::MaxNodes ||
            tree.addNode(parent, QString(), line.toString(), image) == 0) {
            lastLine = line.toString();
            return fail(FileError{EOVERFLOW, QStringLiteral("the catalogue is full at ") +
                                                 QString::number(Catalogue::MaxNodes) +
                                                 QStringLiteral(" items")});
        }
        ++items;
    }
    return caption;
}

} // namespace

QString UnreadCatalogueFilesText(const QStringList &unreadFiles)
{
    // A catalogue of thousands of files would not fit on the screen.
    constexpr qsizetype shown = 10;
    QString text = QStringLiteral("These catalogue files could not be read, so their items are "
                                  "missing from the tree:\n\n") +
                   unreadFiles.first(std::min(shown, unreadFiles.size())).join(u'\n');
    if (unreadFiles.size() > shown) {
        text += QStringLiteral("\nand ") + QString::number(unreadFiles.size() - shown) +
                QStringLiteral(" more");
    }
    return text;
}

QString MissingHeadingsText(const QString &programFolder)
{
    return QStringLiteral("Warning - cant find headings.txt in ") +
           QDir::toNativeSeparators(programFolder) +
           QStringLiteral("   This program needs this file to run - you need to run setup again");
}

QString MissingHeadingsTitle()
{
    return QStringLiteral("Torvy Software's Vendrel");
}

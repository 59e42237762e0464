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
                         QStringList *unreadFiles = nullptr);

} // namespace

bool LoadCatalogue(Catalogue &tree, const QString &programFolder, const Log &log,
                   QStringList *unreadFiles)
{
    const Catalogue::Rebuild rebuild(tree);
    const int root =
        tree.addNode(0, QStringLiteral("r"), QStringLiteral("List"), NodeImage::Closed);
    tree.setExpanded(root, true);

    const FolderNames folder(programFolder);
    const QString found = folder.find(headingsFile);
    if (found.isEmpty() || !QFileInfo(found).isFile()) {
        return false;
    }
    loadTextIntoTree(tree, QStringLiteral("List"), folder, QFileInfo(found).fileName(),
                     NodeImage::Closed, log, unreadFiles);
    const int headingsEnd = tree.count();
    for (int position = 2; position <= headingsEnd; ++position) {
        const QString heading = tree.node(position).text;
        tree.setFileName(position, heading + QStringLiteral(".txt"));
        const QString caption = loadTextIntoTree(tree, heading, folder, tree.fileName(position),
                                                 NodeImage::Doc, log, unreadFiles);
        // Unconditionally: a file without caption, or one that failed before its caption,
        // leaves the heading without text.
        tree.setText(position, caption);
    }
    return true;
}

QString LoadTextIntoTree(Catalogue &tree, const QString &parentText, const QString &programFolder,
                         const QString &fileName, NodeImage image, const Log &log)
{
    return loadTextIntoTree(tree, parentText, FolderNames(programFolder), fileName, image, log);
}

namespace {

QString loadTextIntoTree(Catalogue &tree, const QString &parentText, const FolderNames &folder,
                         const QString &fileName, NodeImage image, const Log &log,
                         QStringList *unreadFiles)
{
    const QString &programFolder = folder.folder();
    const int parent = tree.findFirst(parentText);
    const QString shownPath = QDir::toNativeSeparators(QDir(programFolder).filePath(fileName));
    QString caption;
    QString lastLine;
    auto fail = [&](const FileError &error, bool tell = true) {
        if (tell && unreadFiles) {
            unreadFiles->append(shownPath + QStringLiteral(": ") + error.description);
        }
        log.LogMessage(QStringLiteral("Error # ") + QString::number(error.number) + u'\'' +
                           error.description + QStringLiteral("' while loading txt:'") + lastLine +
                           QStringLiteral("' from ") + shownPath,
                       3);
        return caption;
    };

    // A name that cannot be a file name here fails like a missing file, so no catalogue line
    // can reach a file outside the program folder.
    const QString path = IsSafeFileName(fileName) ? folder.find(fileName) : QString();
    if (path.isEmpty() || parent == 0) {
        return fail(FileError::fromErrno(ENOENT), false);
    }
    QByteArray bytes;
    FileError error;
    if (!ReadRegularFile(path, bytes, error, MaximumCatalogueFileSize)) {
        return fail(error);
    }
    int items = 0;
    bool full = false;
    ForEachLine(DecodeText(bytes), [&](QStringView line) {
        if (line.isEmpty()) {
            return true;
        }
        if (line.front() == u';') {
            caption = line.sliced(1).toString();
            return true;
        }
        if (items == Catalogue::MaxNodes ||
            tree.addNode(parent, QString(), line.toString(), image) == 0) {
            lastLine = line.toString();
            full = true;
            return false;
        }
        ++items;
        return true;
    });
    if (full) {
        return fail(FileError{EOVERFLOW, QStringLiteral("the catalogue is full at ") +
                                             QString::number(Catalogue::MaxNodes) +
                                             QStringLiteral(" items")});
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

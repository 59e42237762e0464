#include "ListFile.h"

#include "catalogue/Catalogue.h"
#include "common/FileAccess.h"
#include "common/TextDecoding.h"
#include "log/Log.h"

#include <QSaveFile>

#include <cerrno>

ListRow CutListLine(const QString &line)
{
    const qsizetype p1 = line.indexOf(u',');
    if (p1 < 0) {
        return {line, {}, {}};
    }
    const qsizetype p2 = line.indexOf(u',', p1 + 1);
    if (p2 < 0) {
        return {line.left(p1), line.mid(p1 + 1), {}};
    }
    const qsizetype categoryLength = line.size() - p2 - 2;
    return {line.left(p1), line.mid(p1 + 1, p2 - p1 - 1),
            categoryLength > 0 ? line.mid(p2 + 1, categoryLength) : QString()};
}

bool ReadListFile(const QString &fileName, QList<ListRow> &rows, FileError &error)
{
    QByteArray bytes;
    if (!ReadRegularFile(fileName, bytes, error, MaximumListFileSize)) {
        return false;
    }
    // Counted on the bytes, before a line of text is made for each.
    if (LineCount(bytes) > MaximumListFileRows) {
        error = FileError::fromErrno(EFBIG);
        return false;
    }
    const QStringList lines = SplitLines(DecodeText(bytes));
    rows.clear();
    rows.reserve(lines.size());
    for (const QString &line : lines) {
        rows.append(CutListLine(line));
    }
    return true;
}

bool SaveListboxToFile(const ShoppingList &list, const QString &fileName, const Log &log,
                       QString &reason)
{
    log.LogMessage(QStringLiteral("Saving List to file :") + fileName, 3);
    QString text;
    for (int position = 1; position <= list.count(); ++position) {
        const ListRow &row = list.row(position);
        text += row.quantity + u',' + row.item + u',' + row.category + QStringLiteral(",\r\n");
    }
    const QByteArray bytes = text.toUtf8();
    QSaveFile file(fileName);
    // Unbuffered: a write that fails only when a buffer is flushed at commit is not reported
    // (Qt 6.4), and the cut-off file would replace the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        reason = file.errorString();
        return false;
    }
    if (!WriteAll(file, bytes)) {
        reason = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

void TickCatalogueItem(Catalogue &catalogue, const QString &category, const QString &item)
{
    for (const int position : catalogue.findAll(item)) {
        const int parent = catalogue.node(position).parent;
        if (parent != 0 && catalogue.node(parent).text == category) {
            catalogue.setTicked(position, true);
            catalogue.setExpanded(parent, true);
            return;
        }
    }
}

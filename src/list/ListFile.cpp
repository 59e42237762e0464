#include "ListFile.h"

#include "common/FileAccess.h"
#include "common/TextDecoding.h"
#include "log/Log.h"

#include <array>
#include <cerrno>

namespace {

struct LineFields
{
    QStringView quantity;
    QStringView item;
    QStringView category;
};

LineFields cutLine(QStringView line)
{
    const qsizetype p1 = line.indexOf(u',');
    if (p1 < 0) {
        return {line, {}, {}};
    }
    const qsizetype p2 = line.indexOf(u',', p1 + 1);
    if (p2 < 0) {
        return {line.first(p1), line.sliced(p1 + 1), {}};
    }
    // The last character may take two UTF-16 units; none is left cut in half.
    qsizetype end = line.size() - 1;
    if (end > p2 + 1 && line[end].isLowSurrogate() && line[end - 1].isHighSurrogate()) {
        --end;
    }
    const qsizetype categoryLength = end - p2 - 1;
    return {line.first(p1), line.sliced(p1 + 1, p2 - p1 - 1),
            categoryLength > 0 ? line.sliced(p2 + 1, categoryLength) : QStringView()};
}

// Single digits, the usual quantities, share one copy each.
QString quantityText(QStringView quantity)
{
    static const std::array<QString, 10> digits = [] {
        std::array<QString, 10> texts;
        for (int i = 0; i < 10; ++i) {
            texts[size_t(i)] = QString::number(i);
        }
        return texts;
    }();
    if (quantity.size() == 1 && quantity[0] >= u'0' && quantity[0] <= u'9') {
        return digits[size_t(quantity[0].unicode() - u'0')];
    }
    return quantity.toString();
}

} // namespace

ListRow CutListLine(QStringView line)
{
    const LineFields fields = cutLine(line);
    return {fields.quantity.toString(), fields.item.toString(), fields.category.toString()};
}

bool ReadListFile(const QString &fileName, QList<ListRow> &rows, FileError &error)
{
    QByteArray bytes;
    if (!ReadRegularFile(fileName, bytes, error, MaximumListFileSize)) {
        return false;
    }
    // Counted on the bytes, before a line of text is made for each.
    if (LineCount(bytes) > MaximumListFileRows) {
        error = FileError::tooLarge(MaximumListFileRows, QStringLiteral("lines"));
        return false;
    }
    const QString text = DecodeText(bytes);
    bytes = QByteArray();
    rows.clear();
    // Rows of one category mostly follow one another: they share one copy of its text.
    QString category;
    ForEachLine(text, [&](QStringView line) {
        if (line.trimmed().isEmpty()) {
            return true; // a blank row could never be selected, changed or removed
        }
        const LineFields fields = cutLine(line);
        if (fields.category != category) {
            category = fields.category.toString();
        }
        rows.append({quantityText(fields.quantity), fields.item.toString(), category});
        return true;
    });
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
    return ReplaceFileSafely(fileName, text.toUtf8(), reason);
}

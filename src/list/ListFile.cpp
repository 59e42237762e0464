#include "ListFile.h"

#include "common/FileAccess.h"
#include "common/TextDecoding.h"
#include "log/Log.h"

#include <array>
#include <cerrno>
#include <cstring>

namespace {

template<typename View> struct LineFields
{
    View quantity;
    View item;
    View category;
};

qsizetype indexOfComma(QStringView line, qsizetype from)
{
    return line.indexOf(u',', from);
}

qsizetype indexOfComma(QLatin1StringView line, qsizetype from)
{
    const void *found = std::memchr(line.data() + from, ',', size_t(line.size() - from));
    return found == nullptr ? -1 : static_cast<const char *>(found) - line.data();
}

template<typename View> LineFields<View> cutLine(View line)
{
    const qsizetype p1 = indexOfComma(line, 0);
    if (p1 < 0) {
        return {line, {}, {}};
    }
    const qsizetype p2 = indexOfComma(line, p1 + 1);
    if (p2 < 0) {
        return {line.first(p1), line.sliced(p1 + 1), {}};
    }
    // The last character may take two UTF-16 units; none is left cut in half.
    qsizetype end = line.size() - 1;
    if (end > p2 + 1 && QChar(line[end]).isLowSurrogate() &&
        QChar(line[end - 1]).isHighSurrogate()) {
        --end;
    }
    const qsizetype categoryLength = end - p2 - 1;
    return {line.first(p1), line.sliced(p1 + 1, p2 - p1 - 1),
            categoryLength > 0 ? line.sliced(p2 + 1, categoryLength) : View()};
}

QString toText(QStringView text)
{
    return text.toString();
}

QString toText(QLatin1StringView text)
{
    return QString(text);
}

// What trimming would leave empty.
template<typename View> bool isBlank(View line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (!QChar(line[i]).isSpace()) {
            return false;
        }
    }
    return true;
}

// Single digits, the usual quantities, share one copy each.
template<typename View> QString quantityText(View quantity)
{
    static const std::array<QString, 10> digits = [] {
        std::array<QString, 10> texts;
        for (int i = 0; i < 10; ++i) {
            texts[size_t(i)] = QString::number(i);
        }
        return texts;
    }();
    if (quantity.size() == 1) {
        const char16_t c = QChar(quantity[0]).unicode();
        if (c >= u'0' && c <= u'9') {
            return digits[size_t(c - u'0')];
        }
    }
    return toText(quantity);
}

template<typename View> void readRows(View text, QList<ListRow> &rows)
{
    // Rows of one category mostly follow one another: they share one copy of its text.
    QString category;
    View categoryRead;
    ForEachLine(text, [&](View line) {
        if (isBlank(line)) {
            return true; // a blank row could never be selected, changed or removed
        }
        const LineFields<View> fields = cutLine(line);
        if (fields.category != categoryRead) {
            category = toText(fields.category);
            categoryRead = fields.category;
        }
        rows.append({quantityText(fields.quantity), toText(fields.item), category});
        return true;
    });
}

} // namespace

ListRow CutListLine(QStringView line)
{
    const LineFields<QStringView> fields = cutLine(line);
    return {fields.quantity.toString(), fields.item.toString(), fields.category.toString()};
}

bool ReadListFile(const QString &fileName, QList<ListRow> &rows, FileError &error)
{
    QByteArray bytes;
    if (!ReadRegularFile(fileName, bytes, error, MaximumListFileSize)) {
        return false;
    }
    // Counted on the bytes, before a line of text is made for each.
    const qsizetype lines = LineCount(bytes);
    if (lines > MaximumListFileRows) {
        error = FileError::tooLarge(MaximumListFileRows, QStringLiteral("lines"));
        return false;
    }
    rows.clear();
    rows.reserve(lines);
    // Plain ASCII, the usual list, is cut straight from the bytes it was read into.
    if (IsAscii(bytes)) {
        readRows(QLatin1StringView(bytes), rows);
    } else {
        const QString text = DecodeText(bytes);
        bytes = QByteArray();
        readRows(QStringView(text), rows);
    }
    // Room kept for many blank lines would stay with the list for as long as it is shown.
    if (rows.capacity() - rows.size() > rows.size() / 4) {
        rows.squeeze();
    }
    return true;
}

bool SaveListboxToFile(const ShoppingList &list, const QString &fileName, const Log &log,
                       QString &reason)
{
    log.LogMessage(QStringLiteral("Saving List to file :") + fileName, 3);
    // One text of the whole file's length, filled in place.
    qsizetype length = 0;
    for (const ListRow &row : list.rows()) {
        length += row.quantity.size() + row.item.size() + row.category.size() + 5;
    }
    QString text;
    text.reserve(length);
    for (const ListRow &row : list.rows()) {
        text += row.quantity;
        text += u',';
        text += row.item;
        text += u',';
        text += row.category;
        text += QLatin1StringView(",\r\n");
    }
    return ReplaceFileSafely(fileName, text.toUtf8(), reason);
}

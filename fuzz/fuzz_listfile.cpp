// The list file reader over any bytes, and two saves each followed by an open:
// - the rows read from the input bytes, saved and read again, come back as they were, except
//   that the first row's quantity loses a byte order mark it starts with (the reader drops one
//   at the start of a file);
// - rows made from the input whose quantity and item hold no comma and no field a line break
//   come back as they were.
#include "FuzzCheck.h"
#include "common/FileAccess.h"
#include "list/ListFile.h"
#include "list/ShoppingList.h"
#include "log/Log.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

QString field(FuzzedDataProvider &input, bool commaAllowed)
{
    QString text =
        QString::fromUtf8(QByteArray::fromStdString(input.ConsumeRandomLengthString(64)));
    text.remove(u'\r');
    text.remove(u'\n');
    text.remove(QChar(0xFEFF)); // a byte order mark at the very start is dropped by design
    if (!commaAllowed) {
        text.remove(u',');
    }
    return text;
}

// Saves the list, reads the file back and requires the rows expected.
void checkSavedAndRead(const ShoppingList &list, const QList<ListRow> &expected,
                       const QString &file, const Log &log)
{
    QString reason;
    check(SaveListboxToFile(list, file, log, reason));
    QList<ListRow> rows;
    FileError error;
    check(ReadListFile(file, rows, error));
    check(rows.size() == expected.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        check(rows[i].quantity == expected[i].quantity);
        check(rows[i].item == expected[i].item);
        check(rows[i].category == expected[i].category);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const Log log(dir.path(), QStringLiteral("fuzz"));
    const QString raw = QDir(dir.path()).filePath(QStringLiteral("raw.shp"));
    const QString saved = QDir(dir.path()).filePath(QStringLiteral("saved.shp"));
    {
        QFile file(raw);
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    QList<ListRow> rows;
    FileError error;
    check(ReadListFile(raw, rows, error));
    ShoppingList read;
    for (const ListRow &row : std::as_const(rows)) {
        check(!row.quantity.contains(u',') && !row.item.contains(u','));
        read.append(row);
    }
    if (!rows.isEmpty() && rows.front().quantity.startsWith(QChar(0xFEFF))) {
        rows.front().quantity.remove(0, 1);
    }
    checkSavedAndRead(read, rows, saved, log);

    FuzzedDataProvider input(data, size);
    ShoppingList made;
    while (input.remaining_bytes() > 0 && made.count() < 50) {
        const QString quantity = field(input, false);
        const QString item = field(input, false);
        made.append({quantity, item, field(input, true)});
    }
    QList<ListRow> expected;
    for (int p = 1; p <= made.count(); ++p) {
        expected.append(made.row(p));
    }
    checkSavedAndRead(made, expected, saved, log);
    return 0;
}

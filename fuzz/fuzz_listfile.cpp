// The list file reader over any bytes, and a save followed by an open over rows made from the
// input: rows whose quantity and item hold no comma and no field a line break come back as
// they were.
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
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
    for (const ListRow &row : std::as_const(rows)) {
        check(!row.quantity.contains(u',') && !row.item.contains(u','));
    }

    FuzzedDataProvider input(data, size);
    ShoppingList list;
    while (input.remaining_bytes() > 0 && list.count() < 50) {
        const QString quantity = field(input, false);
        const QString item = field(input, false);
        list.append({quantity, item, field(input, true)});
    }
    QString reason;
    const Log log(dir.path(), QStringLiteral("fuzz"));
    check(SaveListboxToFile(list, saved, log, reason));
    check(ReadListFile(saved, rows, error));
    check(rows.size() == list.count());
    for (int p = 1; p <= list.count(); ++p) {
        const ListRow &row = rows[p - 1];
        check(row.quantity == list.row(p).quantity);
        check(row.item == list.row(p).item);
        check(row.category == list.row(p).category);
    }
    return 0;
}

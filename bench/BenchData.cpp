#include "BenchData.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

// Item i of heading h, as the catalogue and the list file name it.
QByteArray itemName(int heading, int item)
{
    return "Item " + QByteArray::number(heading) + "." + QByteArray::number(item);
}

int itemsOf(int heading)
{
    // 32767 nodes: the root, 100 headings, 30000 items under heading 0 and 2666 under the rest.
    constexpr int rest = 32767 - 1 - 100 - BenchData::BigHeadingItems;
    return heading == 0 ? BenchData::BigHeadingItems : rest / 99 + (heading <= rest % 99 ? 1 : 0);
}

void writeCatalogue(const QString &folder, int headings, int (*items)(int))
{
    QByteArray index = ";Benchmark catalogue\r\n";
    for (int h = 0; h < headings; ++h) {
        const QByteArray name = "Heading " + QByteArray::number(h);
        index += name + "\r\n";
        QByteArray file = ";" + name + "\r\n";
        for (int i = 0; i < items(h); ++i) {
            file += itemName(h, i) + "\r\n";
        }
        write(QDir(folder).filePath(QString::fromLatin1(name + ".txt")), file);
    }
    write(QDir(folder).filePath(QStringLiteral("headings.txt")), index);
}

} // namespace

void BenchData::writeLargeCatalogue(const QString &folder)
{
    writeCatalogue(folder, 100, itemsOf);
}

void BenchData::writeLargeListFile(const QString &fileName, int rows)
{
    QByteArray bytes;
    int written = 0;
    while (written < std::min(rows, 32767)) {
        for (int h = 0; h < 100 && written < 32767; ++h) {
            for (int i = h == 0 ? written % 7 : 0; i < itemsOf(h) && written < 32767; i += 7) {
                bytes += QByteArray::number(written % 5 + 1) + "," + itemName(h, i) + ",Heading " +
                         QByteArray::number(h) + ",\r\n";
                ++written;
            }
        }
    }
    for (; written < rows; ++written) {
        bytes += QByteArray::number(written % 3 + 1) + ",Extra item " +
                 QByteArray::number(written) + ",Extra " + QByteArray::number(written / 1000) +
                 ",\r\n";
    }
    write(fileName, bytes);
}

void BenchData::copyBundledCatalogue(const QString &folder)
{
    const QDir bundled(QStringLiteral(BUNDLED_CATALOGUE));
    for (const QString &name : bundled.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
        if (!QFile::copy(bundled.filePath(name), QDir(folder).filePath(name))) {
            qFatal("cannot copy %s", qPrintable(name));
        }
    }
}

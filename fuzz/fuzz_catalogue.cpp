// The catalogue loader over a program folder made from the input: an index file, and a
// category file for each of its lines that can be a file name.
#include "FuzzCheck.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLoader.h"
#include "common/FileAccess.h"
#include "common/TextDecoding.h"
#include "log/Log.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

void write(const QString &path, const std::string &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes.data(), qint64(bytes.size()));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString folder = dir.path();
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile::remove(QDir(folder).filePath(name));
    }
    FuzzedDataProvider input(data, size);
    const std::string headings = input.ConsumeRandomLengthString(4096);
    write(QDir(folder).filePath(QStringLiteral("headings.txt")), headings);
    const QStringList lines = SplitLines(DecodeText(QByteArray::fromStdString(headings)));
    for (const QString &line : lines) {
        if (input.remaining_bytes() == 0) {
            break;
        }
        const QString name = line + QStringLiteral(".txt");
        if (!line.isEmpty() && IsSafeFileName(name)) {
            write(QDir(folder).filePath(input.ConsumeBool() ? name : name.toUpper()),
                  input.ConsumeRandomLengthString(8192));
        }
    }

    Catalogue catalogue;
    const Log log(folder, QStringLiteral("fuzz"));
    LoadCatalogue(catalogue, folder, log);

    check(catalogue.count() >= 1 && catalogue.count() <= Catalogue::MaxNodes);
    check(catalogue.node(1).text == QStringLiteral("List") || catalogue.count() > 1);
    for (int position = 1; position <= catalogue.count(); ++position) {
        const CatalogueNode &node = catalogue.node(position);
        check(node.parent >= 0 && node.parent < position);
        const std::vector<int> &siblings =
            node.parent == 0 ? catalogue.topLevel() : catalogue.node(node.parent).children;
        check(siblings[size_t(node.row)] == position);
        // The index gives the first node of that text in position order.
        const int first = catalogue.findFirst(node.text);
        check(first >= 1 && first <= position && catalogue.node(first).text == node.text);
        for (int earlier = 1; earlier < first; ++earlier) {
            check(catalogue.node(earlier).text != node.text);
        }
        if (position > 64) {
            break; // the scan above is quadratic; the first nodes are the interesting ones
        }
    }
    return 0;
}

// The catalogue loader over a program folder made from the input: an index file, and a
// category file for each of its lines that can be a file name. Every node of the tree is
// compared with a plain reading of the files: the root, one heading per non-empty line of the
// index, then for each heading in order its category file's items under the first node of the
// heading's text, the heading taking the file's caption (or no text) once its file is read.
// Finding by text gives every node of that text, in position order.
#include "FuzzCheck.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLoader.h"
#include "common/FileAccess.h"
#include "common/TextDecoding.h"
#include "log/Log.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>
#include <map>
#include <set>
#include <span>

namespace {

// The files written, by name. No two names differ only in letter case, so a case-blind
// look-up has one answer.
using Files = std::map<QString, QByteArray>;

void write(const QString &folder, const QString &name, const std::string &bytes, Files &files)
{
    for (const auto &[written, ignored] : files) {
        if (written.toCaseFolded() == name.toCaseFolded()) {
            return;
        }
    }
    QFile file(QDir(folder).filePath(name));
    if (file.open(QIODevice::WriteOnly) &&
        file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size())) {
        files[name] = QByteArray::fromStdString(bytes);
    }
}

const QByteArray *find(const Files &files, const QString &name)
{
    if (!IsSafeFileName(name)) {
        return nullptr;
    }
    for (const auto &[written, bytes] : files) {
        if (written.toCaseFolded() == name.toCaseFolded()) {
            return &bytes;
        }
    }
    return nullptr;
}

// The tree as the files describe it.
struct Expected
{
    struct Node
    {
        QString text;
        int parent;
        NodeImage image;
        std::vector<int> children;
    };
    std::vector<Node> nodes;
    QHash<QString, std::set<int>> byText;

    int count() const { return int(nodes.size()); }
    Node &node(int position) { return nodes[size_t(position - 1)]; }
    int first(const QString &text) const
    {
        const auto found = byText.constFind(text);
        return found == byText.cend() || found->empty() ? 0 : *found->begin();
    }
    void add(int parent, const QString &text, NodeImage image)
    {
        nodes.push_back({text, parent, image, {}});
        if (parent != 0) {
            node(parent).children.push_back(count());
        }
        byText[text].insert(count());
    }
    void setText(int position, const QString &text)
    {
        byText[node(position).text].erase(position);
        node(position).text = text;
        byText[text].insert(position);
    }
    // Adds the item lines of a file under the first node of parentText; gives the caption.
    QString load(const Files &files, const QString &parentText, const QString &name,
                 NodeImage image)
    {
        const QByteArray *bytes = find(files, name);
        if (bytes == nullptr) {
            return {};
        }
        const int parent = first(parentText);
        QString caption;
        for (const QString &line : SplitLines(DecodeText(*bytes))) {
            if (line.startsWith(u';')) {
                caption = line.mid(1);
            } else if (!line.isEmpty()) {
                if (count() == Catalogue::MaxNodes) {
                    break;
                }
                add(parent, line, image);
            }
        }
        return caption;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString folder = dir.path();
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile::remove(QDir(folder).filePath(name));
    }
    FuzzedDataProvider input(data, size);
    Files files;
    const std::string headings = input.ConsumeRandomLengthString(4096);
    write(folder, QStringLiteral("headings.txt"), headings, files);
    for (const QString &line : SplitLines(DecodeText(QByteArray::fromStdString(headings)))) {
        if (input.remaining_bytes() == 0) {
            break;
        }
        const QString name = line + QStringLiteral(".txt");
        if (!line.isEmpty() && IsSafeFileName(name)) {
            write(folder, input.ConsumeBool() ? name : name.toUpper(),
                  input.ConsumeRandomLengthString(8192), files);
        }
    }

    Catalogue catalogue;
    const Log log(folder, QStringLiteral("fuzz"));
    check(LoadCatalogue(catalogue, folder, log));

    Expected expected;
    expected.add(0, QStringLiteral("List"), NodeImage::Closed);
    expected.load(files, QStringLiteral("List"), QStringLiteral("headings.txt"), NodeImage::Closed);
    const int headingsEnd = expected.count();
    for (int position = 2; position <= headingsEnd; ++position) {
        const QString heading = expected.node(position).text;
        expected.setText(position, expected.load(files, heading, heading + QStringLiteral(".txt"),
                                                 NodeImage::Doc));
    }

    check(catalogue.count() == expected.count());
    const auto sameList = [](std::span<const int> got, const std::vector<int> &wanted) {
        return std::equal(got.begin(), got.end(), wanted.begin(), wanted.end());
    };
    check(sameList(catalogue.children(0), {1}) && catalogue.node(1).expanded);
    for (int position = 1; position <= catalogue.count(); ++position) {
        const CatalogueNode &node = catalogue.node(position);
        const Expected::Node &wanted = expected.node(position);
        check(node.text == wanted.text);
        check(node.parent == wanted.parent);
        check(node.image == wanted.image);
        check(sameList(catalogue.children(position), wanted.children));
        check(catalogue.children(node.parent)[size_t(node.row)] == position);
        check(!node.ticked);
        // Walking by text from the first node of this text visits exactly the nodes of it.
        const std::set<int> &same = expected.byText[node.text];
        if (position == *same.begin()) {
            int found = catalogue.findFirst(node.text);
            for (const int wantedPosition : same) {
                check(found == wantedPosition);
                found = catalogue.findNext(found);
            }
            check(found == 0);
        }
    }
    return 0;
}

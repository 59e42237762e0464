#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/CatalogueModel.h"
#include "catalogue/CatalogueSearch.h"
#include "catalogue/CatalogueWriting.h"
#include "catalogue/Picking.h"
#include "common/FileAccess.h"
#include "log/Log.h"
#include "support/WindowSession.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using Files = QList<QPair<QString, QByteArray>>;

namespace {

// The tree as text: a heading as "text(children)", an item as its text, siblings split by "|".
QString dump(const Catalogue &tree, int position = 1)
{
    QStringList children;
    for (const int child : tree.children(position)) {
        children << dump(tree, child);
    }
    const QString &text = tree.node(position).text;
    return tree.isItem(position) ? text : text + u'(' + children.join(u'|') + u')';
}

// All a load gives the tree: shape and texts, ticks, expansion and file names.
QString snapshot(const Catalogue &tree)
{
    QString text = dump(tree);
    for (int position = 1; position <= tree.count(); ++position) {
        const CatalogueNode &node = tree.node(position);
        text += u' ' + QString::number(int(node.ticked)) + QString::number(int(node.expanded)) +
                tree.fileName(position);
    }
    return text;
}

// Whether a load from the folder now could be given again unread: its files are older than
// the file system's timestamps can tell apart from a change made after the load.
bool settledLoad(const QString &folder)
{
    TestFolder logs;
    Catalogue tree;
    CatalogueLoadRecord record;
    LoadCatalogue(tree, folder, Log(logs.path(), u"shopping"_qs), nullptr, &record);
    return record.mayReuse(tree, folder);
}

void write(const QString &folder, const QString &name, const QByteArray &bytes)
{
    QFile file(QDir(folder).filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// Headings whose files are there, missing and a folder.
void writeReloadFiles(const QString &folder)
{
    write(folder, u"headings.txt"_qs, "Dairy\nFruit\nGone\nSub\n");
    write(folder, u"Dairy.txt"_qs, ";Dairy\nMilk\nEggs\n");
    write(folder, u"Fruit.txt"_qs, ";Fruit\nApple\n");
    QVERIFY(QDir(folder).mkdir(u"Sub.txt"_qs));
}

// The messages of a log, after date, time, login and computer.
QStringList messages(const QByteArray &log)
{
    QStringList lines = QString::fromUtf8(log).split(u"\r\n"_qs, Qt::SkipEmptyParts);
    for (QString &line : lines) {
        line = line.section(u',', 4);
    }
    return lines;
}

// Positions: 1 List, 2 Dairy, 3 Fruit, 4 Milk, 5 milk, 6 Butter (under Dairy), 7 Milk,
// 8 Apples, 9 Citrus (a heading), 10 an item without text, 11 Pears (under Fruit), 12 Lemon
// (under Citrus). A text ending in "/" is a heading's.
void buildCatalogue(Catalogue &catalogue)
{
    const Catalogue::Rebuild rebuild(catalogue);
    const QStringList nodes{"0|List/", "1|Dairy/", "1|Fruit/",  "2|Milk", "2|milk",  "2|Butter",
                            "3|Milk",  "3|Apples", "3|Citrus/", "3|",     "3|Pears", "9|Lemon"};
    for (const QString &node : nodes) {
        const QString text = node.section(u'|', 1);
        const bool heading = text.endsWith(u'/');
        catalogue.addNode(node.section(u'|', 0, 0).toInt(), node == nodes[0] ? u"r"_qs : QString(),
                          heading ? text.chopped(1) : text,
                          heading ? NodeImage::Closed : NodeImage::Doc);
    }
}

} // namespace

// The catalogue tree, loading it from the program folder, its model, and picking from it.
class TestCatalogue : public QObject
{
    Q_OBJECT

    std::vector<std::unique_ptr<TestFolder>> m_folders; // for reload(), written ahead

private slots:
    void init() { LogLevel = 3; }
    void cleanup() { LogLevel = 0; }

    // Finding nodes by text is indexed; it must give what a scan in position order gives, also
    // after nodes are renamed. Children added in any order keep theirs.
    void indexMatchesAScan()
    {
        QRandomGenerator random(7);
        QStringList texts = {"List", "Dairy", "Milk", "milk", "", " Milk", "Fruit"};
        // Enough texts that their slots collide, also when one is taken out of the index.
        for (int i = 0; i < 40; ++i) {
            texts << QString::number(i);
        }
        for (int round = 0; round < 30; ++round) {
            Catalogue catalogue;
            const Catalogue::Rebuild rebuild(catalogue);
            catalogue.addNode(0, u"r"_qs, u"List"_qs, NodeImage::Closed);
            for (int step = 0; step < 300; ++step) {
                const int position = int(random.bounded(catalogue.count())) + 1;
                const QString &text = texts[random.bounded(texts.size())];
                if (random.bounded(4) == 0) {
                    catalogue.setText(position, text);
                } else {
                    catalogue.addNode(position, {}, text, NodeImage::Doc);
                }
                if (step % 10 != 9) {
                    continue;
                }
                for (const QString &wanted : texts) {
                    QList<int> scanned, indexed;
                    for (int p = 1; p <= catalogue.count(); ++p) {
                        scanned << (catalogue.node(p).text == wanted ? QList<int>{p}
                                                                     : QList<int>{});
                    }
                    for (int p = catalogue.findFirst(wanted); p != 0; p = catalogue.findNext(p)) {
                        indexed << p;
                    }
                    QCOMPARE(indexed, scanned);
                }
            }
            // Children too: each node's, in position order, each at its row.
            QList<QList<int>> scanned(catalogue.count() + 1);
            for (int p = 1; p <= catalogue.count(); ++p) {
                QCOMPARE(catalogue.node(p).row, scanned[catalogue.node(p).parent].size());
                scanned[catalogue.node(p).parent] << p;
            }
            for (int p = 0; p <= catalogue.count(); ++p) {
                const std::span<const int> children = catalogue.children(p);
                QCOMPARE(QList<int>(children.begin(), children.end()), scanned[p]);
            }
        }
    }

    // Headings come from headings.txt, each heading's items and caption from its own file.
    // An empty tree means that the load fails for want of headings.txt; "missing" is the
    // heading whose file the log reports missing.
    void load_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QString>("tree");
        QTest::addColumn<QString>("missing");
        QTest::newRow("caption renames heading; captions and empty lines of headings skipped")
            << Files{{"headings.txt", ";comment\r\n\r\nDairy"},
                     {"Dairy.txt", ";Dairy and Eggs\r\nMilk\r\nEggs\r\n"}}
            << u"List(Dairy and Eggs(Milk|Eggs))"_qs << QString();
        QTest::newRow("last caption wins, lone semicolon an empty one")
            << Files{{"headings.txt", "A"}, {"A.txt", ";x\n;\n x\n ;x\n"}} << u"List(( x| ;x))"_qs
            << QString();
        QTest::newRow("duplicate headings fill the first")
            << Files{{"headings.txt", "Dairy\nDairy\n"}, {"Dairy.txt", ";Dairy\nMilk\n"}}
            << u"List(Dairy(Milk|Milk)|Dairy())"_qs << QString();
        QTest::newRow("heading named List fills the root")
            << Files{{"headings.txt", "List"}, {"List.txt", ";Misc\nString"}}
            << u"List(Misc()|String)"_qs << QString();
        QTest::newRow("first of two names that differ in case")
            << Files{{"HEADINGS.TXT", "Dairy"}, {"dairy.txt", ";lower"}, {"DAIRY.txt", ";up"}}
            << u"List(up())"_qs << QString();
        QTest::newRow("letter case beyond ASCII, Windows-1252 inside")
            << Files{{"headings.txt", "Cr\xC3\xA8me"}, {"CR\xC3\x88ME.TXT", ";Fr\xFC\nCr\xE8me"}}
            << u"List(Frü(Crème))"_qs << QString();
        QTest::newRow("a folder named like it")
            << Files{{"headings.txt/x", ""}} << QString() << QString();
        QTest::newRow("missing file keeps later headings; no caption leaves one empty")
            << Files{{"headings.txt", "Gone\nB\n"}, {"B.txt", "z\n"}} << u"List(()|(z))"_qs
            << u"Gone"_qs;
        // A heading that cannot name a file in the program folder loads as an empty heading,
        // as if its file were missing, even where there is such a file.
        for (const QString &heading : {u"What?"_qs, u"../outside"_qs, u"inner/outside"_qs,
                                       u"/tmp/outside"_qs, u"..\\outside"_qs, u"a\tb"_qs}) {
            QTest::addRow("no file name: %s", qPrintable(heading))
                << Files{{"headings.txt", heading.toUtf8()},
                         {heading + u".txt"_qs, ";Stolen\nsecret"}}
                << u"List(())"_qs << heading;
        }
    }

    // Files are laid out in a program folder inside another folder.
    void load()
    {
        QFETCH(Files, files);
        QFETCH(QString, tree);
        QFETCH(QString, missing);
        TestFolder outer;
        const QString program = outer.filePath(u"program"_qs);
        for (const auto &[name, bytes] : files) {
            QDir().mkpath(QFileInfo(program + u'/' + name).path());
            outer.write(u"program/"_qs + name, bytes);
        }
        Catalogue catalogue;
        QCOMPARE(LoadCatalogue(catalogue, program, Log(program, u"shopping"_qs)), !tree.isEmpty());
        QCOMPARE(dump(catalogue), tree.isEmpty() ? u"List()"_qs : tree);
        QVERIFY(catalogue.node(1).expanded);
        const QString error = u"Error # 2'No such file or directory' while loading txt:'' from "_qs;
        QCOMPARE(messages(outer.read(u"program/shopping.log"_qs)),
                 missing.isNull()
                     ? QStringList()
                     : QStringList(error + QDir(program).filePath(missing + u".txt"_qs)));
    }

    // A load with a record gives again what the recorded load gave, unread, only when no file
    // it looked at and not the tree has changed since; "settled" files are older than a
    // change after the load could be told from by its timestamps.
    void reload_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("folder"); // files written long enough before; empty: now
        QTest::addColumn<bool>("reused");
        const QList<std::tuple<const char *, QString, bool, bool>> rows{
            {"nothing", u"nothing"_qs, true, true},
            {"nothing, files just written", u"nothing"_qs, false, false},
            {"same-size edit right after the load", u"edit"_qs, false, false},
            {"same-size edit", u"edit"_qs, true, false},
            {"headings edited", u"headings"_qs, true, false},
            {"missing file added", u"add"_qs, true, false},
            {"file added in other letter case", u"add case"_qs, true, false},
            {"file removed", u"remove"_qs, true, false},
            {"file replaced by rename", u"rename"_qs, true, false},
            {"unreadable file becomes a file", u"unread"_qs, true, false},
            {"node renamed since", u"setText"_qs, true, false},
            {"node added since", u"addNode"_qs, true, false}};
        m_folders.clear();
        for (const auto &[name, change, settled, reused] : rows) {
            QString folder;
            if (settled) {
                folder = m_folders.emplace_back(std::make_unique<TestFolder>())->path();
                writeReloadFiles(folder);
            }
            QTest::newRow(name) << change << folder << reused;
        }
        // One wait for all of them.
        for (const auto &folder : m_folders) {
            QTRY_VERIFY_WITH_TIMEOUT(settledLoad(folder->path()), 10000);
        }
    }

    void reload()
    {
        QFETCH(QString, change);
        QFETCH(QString, folder);
        QFETCH(bool, reused);
        TestFolder now, logs, freshLogs;
        const QString path = folder.isEmpty() ? now.path() : folder;
        if (folder.isEmpty()) {
            writeReloadFiles(path);
        }
        const QDir program(path);
        const Log log(logs.path(), u"shopping"_qs);
        Catalogue catalogue;
        CatalogueLoadRecord record;
        QStringList unread;
        QVERIFY(LoadCatalogue(catalogue, path, log, &unread, &record));
        QVERIFY(!record.reused());
        const qsizetype logged = messages(logs.read(u"shopping.log"_qs)).size();
        QCOMPARE(logged, 2);
        // The user's ticks and opened headings, which every load clears.
        catalogue.setTicked(4, true);
        catalogue.setExpanded(2, true);
        if (change == u"edit") {
            write(path, u"Dairy.txt"_qs, ";Dairy\nMild\nEggs\n");
        } else if (change == u"headings") {
            write(path, u"headings.txt"_qs, "Fruit\nDairy\nGone\nSub\n");
        } else if (change == u"add") {
            write(path, u"Gone.txt"_qs, "Found\n");
        } else if (change == u"add case") {
            write(path, u"GONE.TXT"_qs, "Found\n");
        } else if (change == u"remove") {
            QVERIFY(QFile::remove(program.filePath(u"Fruit.txt"_qs)));
        } else if (change == u"rename") {
            write(path, u"new"_qs, ";Fruit\nPlums\n");
            QVERIFY(::rename(QFile::encodeName(program.filePath(u"new"_qs)).constData(),
                             QFile::encodeName(program.filePath(u"Fruit.txt"_qs)).constData()) ==
                    0);
        } else if (change == u"unread") {
            QVERIFY(QDir(path).rmdir(u"Sub.txt"_qs));
            write(path, u"Sub.txt"_qs, ";Sub\n");
        } else if (change == u"setText") {
            catalogue.setText(3, u"Eggs"_qs);
        } else if (change == u"addNode") {
            catalogue.addNode(2, {}, u"Cream"_qs, NodeImage::Doc);
        }
        QStringList unreadAgain;
        const bool found = LoadCatalogue(catalogue, path, log, &unreadAgain, &record);
        QCOMPARE(record.reused(), reused);

        Catalogue fresh;
        QStringList freshUnread;
        QCOMPARE(found,
                 LoadCatalogue(fresh, path, Log(freshLogs.path(), u"shopping"_qs), &freshUnread));
        QCOMPARE(snapshot(catalogue), snapshot(fresh));
        QCOMPARE(unreadAgain, freshUnread);
        QCOMPARE(messages(logs.read(u"shopping.log"_qs)).mid(logged),
                 messages(freshLogs.read(u"shopping.log"_qs)));
        QCOMPARE(record.mayReuse(fresh, path), false);
    }

    void treeStopsAtItsLimit()
    {
        TestFolder folder;
        folder.write(u"headings.txt"_qs, "A\r\nB\r\n");
        QByteArray items = ";A\r\n";
        for (int i = 0; i < 40000; ++i) {
            items += "item " + QByteArray::number(i) + "\r\n";
        }
        folder.write(u"A.txt"_qs, items);
        folder.write(u"B.txt"_qs, ";B\r\nb\r\n");
        Catalogue catalogue;
        QVERIFY(LoadCatalogue(catalogue, folder.path(), Log(folder.path(), u"shopping"_qs)));
        QCOMPARE(catalogue.count(), Catalogue::MaxNodes);
        // Root and two headings, then as many items of A as fit; B keeps the caption read
        // before its first item failed.
        QCOMPARE(catalogue.childCount(2), Catalogue::MaxNodes - 3);
        QCOMPARE(catalogue.node(3).text, u"B"_qs);
        const QStringList lines = messages(folder.read(u"shopping.log"_qs));
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith(u"Error # 75'"_qs) &&
                lines[0].contains(u"while loading txt:'item 32764' from "_qs));
        QVERIFY(lines[1].contains(u"while loading txt:'b' from "_qs));
    }

    // The model checked by the tester while the catalogue is built, ticked, renamed and built
    // again.
    void modelFollowsTheCatalogue()
    {
        Catalogue catalogue;
        CatalogueModel model(catalogue);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        buildCatalogue(catalogue);
        QCOMPARE(model.rowCount(), 1);
        const QModelIndex citrus = model.index(2, 0, model.index(1, 0, model.index(0, 0)));
        QCOMPARE(citrus.data().toString(), u"Citrus"_qs);
        QCOMPARE(model.indexOf(12), model.index(0, 0, citrus));
        QVERIFY(!model.indexOf(13).isValid());

        catalogue.setTicked(4, true); // the program's own tick
        QCOMPARE(changes.count(), 1);
        QCOMPARE(model.indexOf(4).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
        QVERIFY(!model.setData(model.indexOf(5), Qt::Checked, Qt::DisplayRole));

        catalogue.setText(2, u"renamed"_qs);
        QCOMPARE(model.indexOf(2).data().toString(), u"renamed"_qs);
        catalogue.addNode(9, QString(), u"Lime"_qs, NodeImage::Doc); // one node, seen as one
        QCOMPARE(model.rowCount(citrus), 2);
        buildCatalogue(catalogue);
        QCOMPARE(model.rowCount(model.index(0, 0)), 2);
        QCOMPARE(model.indexOf(4).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
    }

    // Steps: f first, n next, p previous, each from the node found before. The tree's order
    // (a heading, then its items) is not the positions' order: "u" is in Fruit (3) and Butter
    // (6), which the tree shows first. Lemon is renamed after the index was made.
    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<int>>("found");
        QTest::newRow("tree order") << "u"
                                    << "fn" << QList<int>{6, 3};
        QTest::newRow("case, wrapping") << "MIL"
                                        << "fnnn" << QList<int>{4, 5, 7, 4};
        QTest::newRow("previous wraps to the end") << "mil"
                                                   << "fpp" << QList<int>{4, 7, 5};
        QTest::newRow("only one") << "apple"
                                  << "fnp" << QList<int>{8, 8, 8};
        QTest::newRow("accents both ways, renamed") << "CREME BRÛ"
                                                    << "fn" << QList<int>{12, 12};
        QTest::newRow("none") << "kiwi"
                              << "fnp" << QList<int>{0, 0, 0};
        QTest::newRow("empty") << ""
                               << "fn" << QList<int>{0, 0};
    }

    void search()
    {
        QFETCH(QString, text);
        QFETCH(QString, steps);
        QFETCH(QList<int>, found);
        Catalogue catalogue;
        buildCatalogue(catalogue);
        CatalogueSearch search(catalogue);
        search.prepare();
        catalogue.setText(12, u"Crème brûlée"_qs);
        int at = 0;
        QList<int> got;
        for (const QChar step : steps) {
            at = step == u'f'   ? search.first(text)
                 : step == u'n' ? search.next(text, at)
                                : search.previous(text, at);
            got << at;
        }
        QCOMPARE(got, found);
    }

    // The folder's files before, what is kept where, the files that change (a file not named
    // stays as it was), and the tree after as dump() gives it; no change at all on failure.
    void keep_data()
    {
        QTest::addColumn<Files>("before");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("item");
        QTest::addColumn<Files>("changed");
        QTest::addColumn<QString>("tree");
        const Files dairy{{"headings.txt", "Dairy\r\n"}, {"Dairy.txt", ";Dairy\r\nMilk\r\n"}};
        const QString unchanged = u"List(Dairy(Milk))"_qs;
        QTest::newRow("UTF-8, CR LF")
            << dairy << "Dairy"
            << "Crème" << Files{{"Dairy.txt", ";Dairy\r\nMilk\r\nCr\xC3\xA8me\r\n"}}
            << "List(Dairy(Milk|Crème))";
        QTest::newRow("Windows-1252, LF, no last line end")
            << Files{{"headings.txt", "Dairy\n"}, {"dairy.TXT", ";Dairy\nBri\xE9"}} << "Dairy"
            << "Crème" << Files{{"dairy.TXT", ";Dairy\nBri\xE9\nCr\xE8me\n"}}
            << "List(Dairy(Brié|Crème))";
        QTest::newRow("Windows-1252 cannot hold it")
            << Files{{"headings.txt", "Dairy\n"}, {"Dairy.txt", ";Dairy\nBri\xE9\n"}} << "Dairy"
            << "Tofu \u8C46" << Files() << "List(Dairy(Brié))";
        QTest::newRow("the caption, not the file's name")
            << Files{{"headings.txt", "Veg\r\n"}, {"Veg.txt", ";Vegetables\r\nLeek\r\n"}}
            << "Vegetables"
            << "Kale" << Files{{"Veg.txt", ";Vegetables\r\nLeek\r\nKale\r\n"}}
            << "List(Vegetables(Leek|Kale))";
        QTest::newRow("there already") << dairy << "Dairy"
                                       << "Milk" << Files() << unchanged;
        QTest::newRow("new category, CR")
            << Files{{"headings.txt", "Dairy\r"}, {"Dairy.txt", ";Dairy\rMilk\r"}} << "Snacks"
            << "Crisps"
            << Files{{"headings.txt", "Dairy\rSnacks\r"}, {"Snacks.txt", ";Snacks\rCrisps\r"}}
            << "List(Dairy(Milk)|Snacks(Crisps))";
        QTest::newRow("new category, no headings.txt")
            << Files() << "Snacks"
            << "Crisps"
            << Files{{"headings.txt", "Snacks\r\n"}, {"Snacks.txt", ";Snacks\r\nCrisps\r\n"}}
            << "List(Snacks(Crisps))";
        QTest::newRow("new category, its file is there")
            << Files{dairy[0], dairy[1], {"snacks.txt", "Nuts\r\n"}} << "Snacks"
            << "Crisps" << Files() << unchanged;
        QTest::newRow("new category, not a file's name") << dairy << "Fish/Meat"
                                                         << "Cod" << Files() << unchanged;
        QTest::newRow("a caption line") << dairy << "Dairy"
                                        << ";Cream" << Files() << unchanged;
        QTest::newRow("a line break") << dairy << "Dairy"
                                      << "Cream\nEggs" << Files() << unchanged;
        QTest::newRow("no category") << dairy << ""
                                     << "Cream" << Files() << unchanged;
    }

    void keep()
    {
        QFETCH(Files, before);
        QFETCH(QString, category);
        QFETCH(QString, item);
        QFETCH(Files, changed);
        QFETCH(QString, tree);
        TestFolder folder;
        QMap<QString, QByteArray> expected;
        for (const auto &[name, bytes] : std::as_const(before)) {
            folder.write(name, bytes);
            expected.insert(name, bytes);
        }
        for (const auto &[name, bytes] : std::as_const(changed)) {
            expected.insert(name, bytes);
        }
        Catalogue catalogue;
        LoadCatalogue(catalogue, folder.path(), Log(folder.path(), u"shopping"_qs));
        const int last = catalogue.count();
        catalogue.setTicked(last, true);
        QString reason;
        const int kept = KeepItemInCatalogue(catalogue, folder.path(), category, item, reason);
        QCOMPARE(kept != 0, tree.contains(item));
        QVERIFY(kept == 0 ? !reason.isEmpty() : catalogue.node(kept).text == item);
        QCOMPARE(dump(catalogue), tree);
        QVERIFY(catalogue.node(last).ticked);
        QMap<QString, QByteArray> files;
        for (const QString &name : QDir(folder.path()).entryList(QDir::Files | QDir::Hidden)) {
            files.insert(name, folder.read(name));
        }
        QCOMPARE(files, expected);
    }

    // A write that fails after the new category's file was made takes that file away again.
    void keepingFailsWhole()
    {
        TestFolder folder;
        folder.write(u"headings.txt"_qs, "Dairy\r\n");
        folder.write(u"Dairy.txt"_qs, "Milk\r\n");
        Catalogue catalogue;
        LoadCatalogue(catalogue, folder.path(), Log(folder.path(), u"shopping"_qs));
        static int writes = 0;
        const FileReplaceCalls usual =
            std::exchange(TheFileReplaceCalls, {[](char *name, int flags) {
                                                    return ++writes == 2 ? (errno = ENOSPC, -1)
                                                                         : ::mkostemp(name, flags);
                                                },
                                                ::fdatasync, ::close});
        QString reason;
        const int kept =
            KeepItemInCatalogue(catalogue, folder.path(), u"Snacks"_qs, u"Crisps"_qs, reason);
        TheFileReplaceCalls = usual;
        QCOMPARE(kept, 0);
        QVERIFY2(reason.contains(u"headings.txt cannot be written: No space left on device"),
                 qPrintable(reason));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"Dairy.txt", "headings.txt"}));
        QCOMPARE(folder.read(u"headings.txt"_qs), QByteArray("Dairy\r\n"));
        QCOMPARE(catalogue.count(), 3);
    }

    // The list before, the nodes picked one by one (a heading, negative, adds all its items),
    // the list after. How a quantity reads as a number is the number text's own test.
    void pick_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QList<int>>("picked");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("same item three times; letter case makes two rows")
            << QStringList() << QList<int>{6, 6, 6, 4, 5}
            << QStringList{"3|Butter|Dairy", "1|Milk|Dairy", "1|milk|Dairy"};
        QTest::newRow("one text under two headings; the root has no heading")
            << QStringList() << QList<int>{7, 4, 1} << QStringList{"2|Milk|Fruit", "1|List|"};
        QTest::newRow("first row raised, by its leading number")
            << QStringList{"x|Tea|", "2 kg|Butter|a", "5|Butter|b"} << QList<int>{6}
            << QStringList{"x|Tea|", "3|Butter|a", "5|Butter|b"};
        QTest::newRow("heading: its items")
            << QStringList() << QList<int>{-2}
            << QStringList{"1|Milk|Dairy", "1|milk|Dairy", "1|Butter|Dairy"};
        // Citrus brings its own items; the item without text ends the walk.
        QTest::newRow("heading with a heading inside")
            << QStringList() << QList<int>{-3}
            << QStringList{"1|Milk|Fruit", "1|Apples|Fruit", "1|Lemon|Citrus"};
        QTest::newRow("root: everything")
            << QStringList() << QList<int>{-1}
            << QStringList{"2|Milk|Dairy", "1|milk|Dairy", "1|Butter|Dairy", "1|Apples|Fruit",
                           "1|Lemon|Citrus"};
    }

    void pick()
    {
        QFETCH(QStringList, before);
        QFETCH(QList<int>, picked);
        QFETCH(QStringList, after);
        Catalogue catalogue;
        buildCatalogue(catalogue);
        ShoppingList list;
        appendRows(list, before);
        for (const int position : picked) {
            if (position > 0) {
                AddItemToList(catalogue, position, list);
            } else {
                AddChildItems(catalogue, -position, list);
            }
        }
        QCOMPARE(rows(list), after);
    }

    // Each row ticks the first node of its item text under a heading of its category.
    void tickListedItems()
    {
        Catalogue catalogue;
        buildCatalogue(catalogue);
        QList<ListRow> listed{{"1", "Milk", "Fruit"},   {"3", "Lemon", "Dairy"},
                              {"1", "List", ""},        {"2", "Butter", "Dairy"},
                              {"1", "Lemon", "Citrus"}, {"1", "Citrus", "Fruit"}};
        TickListedItems(catalogue, listed);
        QList<int> ticked, expanded;
        for (int position = 1; position <= catalogue.count(); ++position) {
            ticked << (catalogue.node(position).ticked ? QList<int>{position} : QList<int>{});
            expanded << (catalogue.node(position).expanded ? QList<int>{position} : QList<int>{});
        }
        QCOMPARE(ticked, (QList<int>{6, 7, 9, 12}));
        QCOMPARE(expanded, (QList<int>{2, 3, 9}));
    }
};

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"

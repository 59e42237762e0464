#include "common/FileAccess.h"
#include "common/NumberText.h"
#include "list/ListFile.h"
#include "list/ListHistory.h"
#include "list/ListOperations.h"
#include "list/ShoppingList.h"
#include "list/ShoppingListModel.h"
#include "log/Log.h"
#include "support/TestFolder.h"
#include "support/WindowSession.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QRandomGenerator>
#include <QTest>

#include <cerrno>
#include <numeric>
#include <unistd.h>
#include <utility>

class TestShoppingList : public QObject
{
    Q_OBJECT

private slots:
    // The total is the exact sum, rounded once, halves to even: the rows' order does not matter.
    void totals_data()
    {
        QTest::addColumn<QStringList>("quantities");
        QTest::addColumn<double>("total");
        QTest::newRow("1.5 and 1.5") << QStringList{"1.5", "1.5"} << 3.0;
        QTest::newRow("0.5 and 0.5") << QStringList{"0.5", "0.5"} << 1.0;
        QTest::newRow("2.5 then 1") << QStringList{"2.5", "1"} << 4.0;
        QTest::newRow("1 then 2.5") << QStringList{"1", "2.5"} << 4.0;
        QTest::newRow("half to even") << QStringList{"0.25", "0.25", "2"} << 2.0;
        QTest::newRow("negative half") << QStringList{"-1.5", "-1"} << -2.0;
        QTest::newRow("beyond 32 bits") << QStringList{"2147483647", "2147483647"} << 4294967294.0;
        // Whole numbers as far as a double holds every one of them, and past it.
        QTest::newRow("up to 2^53") << QStringList{"9007199254740992", "-1"} << 9007199254740991.0;
        QTest::newRow("past 2^53")
            << QStringList{"9007199254740992", "1", "1"} << 9007199254740994.0;
        QTest::newRow("past 2^53, tie")
            << QStringList{"9007199254740992", "1"} << 9007199254740992.0;
        // 2^64 in all: added as 64-bit integers it would come back as 0.
        QTest::newRow("whole giants past 64 bits")
            << QStringList(2048, u"9007199254740992"_qs) << 18446744073709551616.0;
        QTest::newRow("whole giants") << QStringList{"4e18", "4e18", "4e18", "-4e18"} << 8e18;
        // Half way only as a double: the parts a double loses decide.
        QTest::newRow("just above half") << QStringList{"2.5", "1e-300"} << 3.0;
        QTest::newRow("just below half") << QStringList{"2.5", "-1e-300"} << 2.0;
        QTest::newRow("cancelling giants") << QStringList{"1e300", "0.5", "-1e300", "0.75"} << 1.0;
        QTest::newRow("beyond a double") << QStringList{"1e308", "1e308"} << 1.7976931348623157e308;
        QTest::newRow("below a double")
            << QStringList{"-1e308", "-1e308"} << -1.7976931348623157e308;
        QTest::newRow("back within a double") << QStringList{"1e308", "1e308", "-1e308"} << 1e308;
        QTest::newRow("many giants") << QStringList(5, u"1e308"_qs) << 1.7976931348623157e308;
    }

    void totals()
    {
        QFETCH(QStringList, quantities);
        QFETCH(double, total);
        ShoppingList list;
        for (const QString &quantity : quantities) {
            list.append({quantity, u"x"_qs, QString()});
        }
        const ListTotals totals = ComputeTotals(list);
        QCOMPARE(totals.total, total);
        QCOMPARE(totals.rows, quantities.size());
    }

    // Finding rows by item text is indexed; it must give what a scan from the first row gives
    // through every kind of change.
    void indexMatchesAScan()
    {
        QRandomGenerator random(20261206);
        ShoppingList list;
        QStringList texts = {"Milk", "milk", "Eggs", "Bread", "Tea", "", " Tea"};
        for (int n = 0; n < 13; ++n) {
            texts.append(QString::number(n));
        }
        auto text = [&] { return texts[random.bounded(texts.size())]; };
        for (int step = 0; step < 4000; ++step) {
            const int action = int(random.bounded(100));
            if (action < 55) {
                list.append({QString::number(random.bounded(5)), text(), u"c"_qs});
            } else if (action < 80 && list.count() > 0) {
                const int p = int(random.bounded(list.count())) + 1;
                list.remove(p, action < 75 ? 1 : int(random.bounded(list.count() - p + 1)) + 1);
            } else if (action < 90) {
                list.sort(ShoppingList::Column(random.bounded(3)),
                          random.bounded(2) ? Qt::AscendingOrder : Qt::DescendingOrder);
            } else if (action < 93) {
                list.insert(int(random.bounded(list.count() + 1)) + 1, {{u"3"_qs, text(), {}}});
            } else if (action < 99) {
                list.append(QList<ListRow>{{u"2"_qs, text(), {}},
                                           {u"2"_qs, text(), {}},
                                           {u"2"_qs, text(), {}},
                                           {u"2"_qs, text(), {}}});
            } else {
                list.clear();
            }
            for (const QString &wanted : texts) {
                int first = 0;
                for (int p = 1; p <= list.count() && first == 0; ++p) {
                    first = list.row(p).item == wanted ? p : 0;
                }
                QCOMPARE(list.find(wanted), first);
            }
            for (int p = 1; p <= list.count(); ++p) {
                QCOMPARE(list.quantityValue(p), LeadingNumberValue(list.row(p).quantity));
            }
        }
    }

    // A sort folds each text once, yet gives the order of QString's own comparison: case
    // ignored first and deciding only ties, equal rows in their order. Also for letters whose
    // folding is special, and for UTF-16 units that are half a character.
    void sortKeepsQStringsOrder()
    {
        QStringList letters = {u"a"_qs, u"A"_qs, u"Z"_qs, u"_"_qs, u"ß"_qs, u"ẞ"_qs,     u"S"_qs,
                               u"s"_qs, u"ſ"_qs, u"İ"_qs, u"ı"_qs, u"i"_qs, u"I"_qs,     u"k"_qs,
                               u"K"_qs, u"Σ"_qs, u"ς"_qs, u"É"_qs, u"é"_qs, u"Ꭰ"_qs,     u"ꭰ"_qs,
                               u"ǅ"_qs, u"Ǆ"_qs, u"ǆ"_qs, u"𐐀"_qs, u"𐐨"_qs, u"\uFFFF"_qs};
        for (const char16_t unit : {u'\0', char16_t(0xD801), char16_t(0xDC00), char16_t(0xDC28)}) {
            letters.append(QString(QChar(unit)));
        }
        QRandomGenerator random(20261208);
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            ShoppingList list;
            QStringList texts;
            for (int i = 0; i < 4000; ++i) {
                QString text;
                for (int n = int(random.bounded(4)); n > 0; --n) {
                    text += letters[random.bounded(letters.size())];
                }
                texts.append(text);
                list.append({QString::number(i), text, {}});
            }
            QList<int> expected(texts.size());
            std::iota(expected.begin(), expected.end(), 0);
            std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
                const QString &left = texts[order == Qt::AscendingOrder ? a : b];
                const QString &right = texts[order == Qt::AscendingOrder ? b : a];
                const int c = left.compare(right, Qt::CaseInsensitive);
                return (c != 0 ? c : left.compare(right, Qt::CaseSensitive)) < 0;
            });
            list.sort(ShoppingList::ItemColumn, order);
            for (int p = 1; p <= list.count(); ++p) {
                QCOMPARE(list.row(p).quantity.toInt(), expected[p - 1]);
            }
        }
    }

    // The model checked by the tester through every kind of change; views hear of a batch's
    // changes when it ends.
    void modelFollowsEveryChange()
    {
        ShoppingList list;
        ShoppingListModel model(list);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        list.append({u"1"_qs, u"Milk"_qs, u"Dairy"_qs});
        list.append({u"1"_qs, u"Butter"_qs, u"Dairy"_qs});
        {
            const ShoppingList::Batch batch(list);
            list.setQuantity(2, u"2"_qs);
            list.append({u"1"_qs, u"Apples"_qs, u"Fruit"_qs});
            list.append({u"1"_qs, u"Pears"_qs, u"Fruit"_qs});
            list.setQuantity(4, u"3"_qs);
            QCOMPARE(model.rowCount(), 2);
            const ShoppingList::Batch inner(list);
        }
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.index(1, 0).data().toString(), u"2"_qs);
        QCOMPARE(model.index(3, 0).data().toString(), u"3"_qs);
        QCOMPARE(model.index(3, 2).data().toString(), u"Fruit"_qs);
        const QPersistentModelIndex apples = model.index(2, 1);
        list.sort(ShoppingList::ItemColumn, Qt::AscendingOrder);
        QCOMPARE(apples.row(), 0);
        QCOMPARE(apples.data().toString(), u"Apples"_qs);
        list.sort(ShoppingList::CategoryColumn, Qt::DescendingOrder);
        QCOMPARE(apples.row(), 0); // Fruit first, and equal rows keep their order
        QCOMPARE(model.index(1, 1).data().toString(), u"Pears"_qs);
        {
            const ShoppingList::Batch batch(list);
            list.setQuantity(1, u"7"_qs);
            list.remove(4);
            QCOMPARE(model.index(0, 0).data().toString(), u"7"_qs);
        }
        QCOMPARE(model.rowCount(), 3);
        list.clear();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), u"Item"_qs);
    }

    // Undo takes back each step whole and redo makes it again, through every kind of change,
    // steps inside steps and changes made with no step open; back at the saved state the list
    // is unchanged. The model and the index follow throughout.
    void historyPutsBackEveryStep()
    {
        QRandomGenerator random(20261207);
        ShoppingList list;
        ShoppingListModel model(list);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        ListHistory history(list);
        auto change = [&] {
            const int p = list.count() > 0 ? int(random.bounded(list.count())) + 1 : 0;
            const QString item = QStringList{"Milk", "Eggs", "Tea"}[random.bounded(3)];
            switch (p == 0 ? 0 : random.bounded(6)) {
            case 0:
                return list.append({u"1"_qs, item, u"c"_qs});
            case 1:
                return list.remove(p, int(random.bounded(list.count() - p + 1)) + 1);
            case 2:
                return list.setQuantity(p, QString::number(random.bounded(4)));
            case 3:
                return list.sort(ShoppingList::Column(random.bounded(3)),
                                 random.bounded(2) ? Qt::AscendingOrder : Qt::DescendingOrder);
            case 4: {
                const ListHistory::Step inner(history, u"inner"_qs);
                return list.insert(p, QList<ListRow>(random.bounded(1, 4), {u"2"_qs, item, {}}));
            }
            default:
                return list.clear();
            }
        };
        QList<QStringList> states{rows(list)};
        int done = 0;
        int saved = 0;
        for (int step = 0; step < 600; ++step) {
            const int action = int(random.bounded(10));
            if (action < 6) {
                if (action == 0) {
                    change(); // a step of its own
                } else {
                    const ListHistory::Step open(history, QString::number(step));
                    for (int n = action; n > 0; --n) {
                        change();
                    }
                }
                if (history.count() != done + 1 || !history.redoName().isEmpty()) {
                    QCOMPARE(rows(list), states[done]); // nothing changed, nothing kept
                    continue;
                }
                QCOMPARE(history.undoName() == QString::number(step), action != 0);
                saved = saved > done ? -1 : saved;
                states.resize(++done);
                states.append(rows(list));
            } else if (action == 6) {
                list.setUnchanged();
                saved = done;
            } else {
                const bool back = action < 9; // also with nothing to undo or redo
                back ? history.undo() : history.redo();
                done = std::clamp(done + (back ? -1 : 1), 0, int(states.size()) - 1);
                QCOMPARE(rows(list), states[done]);
                QCOMPARE(list.isChanged(), done != saved && list.count() > 0);
            }
        }
    }

    // A line as "quantity|item|category".
    void cutLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("row");
        QTest::newRow("typed without last comma") << u"2,Milk,Dairy"_qs << u"2|Milk|Dair"_qs;
        QTest::newRow("nothing after second comma") << u"1,Bread,"_qs << u"1|Bread|"_qs;
        QTest::newRow("comma in item cuts") << u"1,Salt, fine,Dry,"_qs << u"1|Salt| fine,Dry"_qs;
        QTest::newRow("one comma") << u"3,Eggs"_qs << u"3|Eggs|"_qs;
        QTest::newRow("no comma") << u"just a line"_qs << u"just a line||"_qs;
        QTest::newRow("last character outside the BMP")
            << u"2,Cake,Party\U0001F389"_qs << u"2|Cake|Party"_qs;
    }

    void cutLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, row);
        const ListRow cut = CutListLine(line);
        QCOMPARE(cut.quantity + u'|' + cut.item + u'|' + cut.category, row);
    }

    // Rows as "quantity|item|category;...". A plain ASCII file is cut from its bytes, any other
    // from its decoded text: both give the same rows, and share the same texts.
    void readListFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("rows");
        QTest::newRow("blank lines skipped")
            << QByteArray("\r\n2,Milk,Dairy,\r\n \t\v\r\n\r\n1,Pears,,\r\n")
            << u"2|Milk|Dairy;1|Pears|"_qs;
        QTest::newRow("CR ends, last line without end")
            << QByteArray("1,Tea,Hot,\r12,Buns,Hot,\n\r3,Jam,Hot")
            << u"1|Tea|Hot;12|Buns|Hot;3|Jam|Ho"_qs;
        QTest::newRow("CR LF across eight bytes")
            << QByteArray("0,ab,c,\r\n0,ab,cd,\r\n3,abcdef,,\r\n0,abcde,,\r\n")
            << u"0|ab|c;0|ab|cd;3|abcdef|;0|abcde|"_qs;
        QTest::newRow("fewer commas") << QByteArray("3\r\n4,Eggs\r\n,\r\n") << u"3||;4|Eggs|;||"_qs;
    }

    void readListFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, rows);
        TestFolder folder;
        for (const QByteArray &other : {QByteArray(), QByteArray("\r\n5,Caf\xE9,Dairy,")}) {
            folder.write(u"list.shp"_qs, bytes + other);
            QList<ListRow> read;
            FileError error;
            QVERIFY(ReadListFile(folder.filePath(u"list.shp"_qs), read, error));
            QStringList texts;
            for (qsizetype r = 0; r < read.size(); ++r) {
                texts.append(read[r].quantity + u'|' + read[r].item + u'|' + read[r].category);
                if (r > 0 && read[r].category == read[r - 1].category) {
                    QCOMPARE(read[r].category.constData(), read[r - 1].category.constData());
                }
                if (read[r].quantity.size() == 1 && read[r].quantity == read[0].quantity) {
                    QCOMPARE(read[r].quantity.constData(), read[0].quantity.constData());
                }
            }
            QCOMPARE(texts.join(u';'), other.isEmpty() ? rows : rows + u";5|Café|Dairy"_qs);
        }
    }

    void savedWithItsLog()
    {
        TestFolder folder;
        const Log log(folder.path(), u"shopping"_qs);
        const QString file = folder.filePath(u"list.shp"_qs);
        ShoppingList list;
        QString reason;
        QVERIFY(SaveListboxToFile(list, file, log, reason));
        QCOMPARE(folder.read(u"list.shp"_qs), QByteArray());
        list.append({u"12"_qs, u"Milk"_qs, u"Dairy"_qs});
        list.append({u"1"_qs, u"Crème"_qs, QString()});
        list.append({u"0"_qs, u"Eggs"_qs, QString()});
        // The save is logged before the file is written.
        LogLevel = 3;
        QVERIFY(SaveListboxToFile(list, file, log, reason));
        LogLevel = 0;
        QCOMPARE(folder.read(u"list.shp"_qs),
                 QByteArray("12,Milk,Dairy,\r\n1,Cr\xC3\xA8me,,\r\n0,Eggs,,\r\n"));
        QVERIFY(folder.read(u"shopping.log"_qs)
                    .endsWith(",Saving List to file :" + file.toUtf8() + "\r\n"));

        // A sync or close that fails is a failed save: the old file stays, nothing is left.
        list.clear();
        const auto failingClose = [](int fd) { return ::close(fd), errno = EIO, -1; };
        for (FileReplaceCalls failing :
             {FileReplaceCalls{::mkostemp, [](int) { return errno = EIO, -1; }, ::close},
              FileReplaceCalls{::mkostemp, ::fdatasync, failingClose}}) {
            const FileReplaceCalls usual = std::exchange(TheFileReplaceCalls, failing);
            const bool saved = SaveListboxToFile(list, file, log, reason);
            TheFileReplaceCalls = usual;
            QVERIFY(!saved);
            QCOMPARE(reason, u"Input/output error"_qs);
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
        }
        // A name as long as the system allows saves again and again, through a link too.
        const QString longName = folder.filePath(QString(251, u'n') + u".shp"_qs);
        for (int time = 0; time < 2; ++time) {
            QVERIFY2(SaveListboxToFile(list, longName, log, reason), qPrintable(reason));
        }
        QVERIFY(QFile::link(longName, folder.filePath(u"link.shp"_qs)));
        list.append({u"2"_qs, u"Tea"_qs, QString()});
        QVERIFY(SaveListboxToFile(list, folder.filePath(u"link.shp"_qs), log, reason));
        QCOMPARE(QFile(longName).size(), 9); // "2,Tea,,\r\n"
        QVERIFY(QFileInfo(folder.filePath(u"link.shp"_qs)).isSymLink());
        // Saved by root over another user's file, the file keeps its owner and group.
        if (::geteuid() == 0 && ::chown(QFile::encodeName(longName), 65534, 65534) == 0) {
            QVERIFY(SaveListboxToFile(list, longName, log, reason));
            QCOMPARE(QFileInfo(longName).ownerId(), 65534u);
            QCOMPARE(QFileInfo(longName).groupId(), 65534u);
        }
        // A file opened with one stray byte is saved with every other line as it was.
        folder.write(u"mixed.shp"_qs, "1,Cr\xC3\xA8me,,\r\n1,Caf\xE9,,\r\n");
        QList<ListRow> read;
        FileError error;
        QVERIFY(ReadListFile(folder.filePath(u"mixed.shp"_qs), read, error));
        list.clear();
        for (const ListRow &row : std::as_const(read)) {
            list.append(row);
        }
        QVERIFY(SaveListboxToFile(list, folder.filePath(u"mixed.shp"_qs), log, reason));
        QCOMPARE(folder.read(u"mixed.shp"_qs),
                 QByteArray("1,Cr\xC3\xA8me,,\r\n1,Caf\xC3\xA9,,\r\n"));
    }
};

QTEST_MAIN(TestShoppingList)
#include "tst_shoppinglist.moc"

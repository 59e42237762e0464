#include "catalogue/Catalogue.h"
#include "catalogue/Picking.h"
#include "common/NumberText.h"
#include "list/ListOperations.h"
#include "list/ShoppingList.h"
#include "list/ShoppingListModel.h"
#include "support/WindowSession.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QTest>

namespace {

// Headings Dairy and Fruit; items Milk, milk, Butter under Dairy, Milk and Apples under Fruit.
// Positions: 1 List, 2 Dairy, 3 Fruit, 4 Milk, 5 milk, 6 Butter, 7 Milk, 8 Apples.
void buildCatalogue(Catalogue &catalogue)
{
    const Catalogue::Rebuild rebuild(catalogue);
    const int root = catalogue.addNode(0, u"r"_qs, u"List"_qs, NodeImage::Closed);
    const int dairy = catalogue.addNode(root, {}, u"Dairy"_qs, NodeImage::Closed);
    const int fruit = catalogue.addNode(root, {}, u"Fruit"_qs, NodeImage::Closed);
    for (const char *item : {"Milk", "milk", "Butter"}) {
        catalogue.addNode(dairy, {}, QString::fromLatin1(item), NodeImage::Doc);
    }
    for (const char *item : {"Milk", "Apples"}) {
        catalogue.addNode(fruit, {}, QString::fromLatin1(item), NodeImage::Doc);
    }
}

int linearFind(const ShoppingList &list, const QString &item)
{
    for (int p = 1; p <= list.count(); ++p) {
        if (list.row(p).item == item) {
            return p;
        }
    }
    return 0;
}

} // namespace

class TestShoppingList : public QObject
{
    Q_OBJECT

private slots:
    void addingRaisesTheFirstRow_data();
    void addingRaisesTheFirstRow();
    void raising_data();
    void raising();
    void totals_data();
    void totals();
    void indexedFindMatchesALinearScan();
    void modelFollowsEveryChange();
};

void TestShoppingList::addingRaisesTheFirstRow_data()
{
    QTest::addColumn<QList<int>>("added");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("same item three times") << QList<int>{6, 6, 6} << QStringList{"3|Butter|Dairy"};
    QTest::newRow("one text under two headings") << QList<int>{7, 4} << QStringList{"2|Milk|Fruit"};
    QTest::newRow("letter case makes two rows")
        << QList<int>{4, 5} << QStringList{"1|Milk|Dairy", "1|milk|Dairy"};
}

void TestShoppingList::addingRaisesTheFirstRow()
{
    QFETCH(QList<int>, added);
    QFETCH(QStringList, expected);
    Catalogue catalogue;
    buildCatalogue(catalogue);
    ShoppingList list;
    for (const int position : added) {
        AddItemToList(catalogue, position, list);
    }
    QCOMPARE(rows(list), expected);
}

void TestShoppingList::raising_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("raised");
    QTest::newRow("whole") << u"2"_qs << u"3"_qs;
    QTest::newRow("fraction") << u"1.5"_qs << u"2.5"_qs;
    QTest::newRow("unit lost") << u"2 kg"_qs << u"3"_qs;
    QTest::newRow("word") << u"lots"_qs << u"1"_qs;
    QTest::newRow("empty") << u""_qs << u"1"_qs;
    QTest::newRow("negative") << u"-3"_qs << u"-2"_qs;
    QTest::newRow("large") << u"999999999999999"_qs << u"1E+15"_qs;
}

void TestShoppingList::raising()
{
    QFETCH(QString, quantity);
    QFETCH(QString, raised);
    Catalogue catalogue;
    buildCatalogue(catalogue);
    ShoppingList list;
    list.append({quantity, u"Butter"_qs, u"Elsewhere"_qs});
    AddItemToList(catalogue, 6, list);
    QCOMPARE(rows(list), QStringList(raised + u"|Butter|Elsewhere"_qs));
}

void TestShoppingList::totals_data()
{
    QTest::addColumn<QStringList>("quantities");
    QTest::addColumn<double>("total");
    QTest::newRow("empty") << QStringList() << 0.0;
    QTest::newRow("1.5 and 1.5") << QStringList{"1.5", "1.5"} << 4.0;
    QTest::newRow("0.5 and 0.5") << QStringList{"0.5", "0.5"} << 0.0;
    QTest::newRow("2.5 then 1") << QStringList{"2.5", "1"} << 3.0;
    QTest::newRow("1 then 2.5") << QStringList{"1", "2.5"} << 4.0;
    QTest::newRow("words count 0") << QStringList{"lots", "2 kg", "some"} << 2.0;
    QTest::newRow("beyond 32 bits") << QStringList{"2147483647", "2147483647"} << 4294967294.0;
}

void TestShoppingList::totals()
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

void TestShoppingList::indexedFindMatchesALinearScan()
{
    QRandomGenerator random(20261206);
    ShoppingList list;
    const QStringList texts = {"Milk", "milk", "Eggs", "Bread", "Tea", "", " Tea"};
    for (int step = 0; step < 4000; ++step) {
        const int action = int(random.bounded(100));
        if (action < 55) {
            list.append(
                {QString::number(random.bounded(5)), texts[random.bounded(texts.size())], u"c"_qs});
        } else if (action < 80 && list.count() > 0) {
            list.remove(int(random.bounded(list.count())) + 1);
        } else if (action < 90) {
            list.sort(ShoppingList::Column(random.bounded(3)),
                      random.bounded(2) ? Qt::AscendingOrder : Qt::DescendingOrder);
        } else if (action < 93) {
            const ShoppingList::Batch batch(list);
            for (int i = 0; i < 5; ++i) {
                list.append({u"1"_qs, texts[random.bounded(texts.size())], {}});
            }
        } else if (action < 97) {
            QList<ListRow> rows;
            for (int i = 0; i < 5; ++i) {
                rows.append({u"2"_qs, texts[random.bounded(texts.size())], {}});
            }
            list.append(std::move(rows));
        } else {
            list.clear();
        }
        for (const QString &text : texts) {
            QCOMPARE(list.find(text), linearFind(list, text));
        }
        QCOMPARE(list.find(u"absent"_qs), 0);
        for (int p = 1; p <= list.count(); ++p) {
            QCOMPARE(list.quantityValue(p), LeadingNumberValue(list.row(p).quantity));
        }
    }
}

void TestShoppingList::modelFollowsEveryChange()
{
    Catalogue catalogue;
    buildCatalogue(catalogue);
    ShoppingList list;
    ShoppingListModel model(list);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    AddItemToList(catalogue, 4, list);
    AddItemToList(catalogue, 6, list);
    {
        const ShoppingList::Batch batch(list);
        AddItemToList(catalogue, 4, list); // a raise of a row views know
        AddItemToList(catalogue, 8, list); // and new rows
        AddItemToList(catalogue, 8, list);
        QCOMPARE(model.rowCount(), 2); // views hear of the batch when it ends
    }
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.index(0, 0).data().toString(), u"2"_qs);
    QCOMPARE(model.index(2, 0).data().toString(), u"2"_qs);
    QPersistentModelIndex apples = model.index(2, 1);
    list.sort(ShoppingList::ItemColumn, Qt::AscendingOrder);
    QCOMPARE(apples.row(), 0);
    QCOMPARE(apples.data().toString(), u"Apples"_qs);
    list.setQuantity(2, u"7"_qs);
    list.remove(1);
    QCOMPARE(model.rowCount(), 2);
    list.clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), u"Item"_qs);
}

QTEST_MAIN(TestShoppingList)
#include "tst_shoppinglist.moc"

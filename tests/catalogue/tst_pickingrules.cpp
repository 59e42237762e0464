#include "catalogue/Catalogue.h"
#include "catalogue/Picking.h"

#include <QTest>

namespace {

// Positions: 1 List, 2 Dairy, 3 Fruit, 4 Milk, 5 milk, 6 Butter (under Dairy), 7 Milk,
// 8 Apples, 9 Citrus (a heading), 10 an item without text, 11 Pears (under Fruit), 12 Lemon
// (under Citrus).
void buildCatalogue(Catalogue &catalogue)
{
    const Catalogue::Rebuild rebuild(catalogue);
    catalogue.addNode(0, u"r"_qs, u"List"_qs, NodeImage::Closed);
    catalogue.addNode(1, {}, u"Dairy"_qs, NodeImage::Closed);
    catalogue.addNode(1, {}, u"Fruit"_qs, NodeImage::Closed);
    for (const QString &item : {u"Milk"_qs, u"milk"_qs, u"Butter"_qs}) {
        catalogue.addNode(2, {}, item, NodeImage::Doc);
    }
    for (const QString &item : {u"Milk"_qs, u"Apples"_qs}) {
        catalogue.addNode(3, {}, item, NodeImage::Doc);
    }
    catalogue.addNode(3, {}, u"Citrus"_qs, NodeImage::Closed);
    catalogue.addNode(3, {}, QString(), NodeImage::Doc);
    catalogue.addNode(3, {}, u"Pears"_qs, NodeImage::Doc);
    catalogue.addNode(9, {}, u"Lemon"_qs, NodeImage::Doc);
}

// Rows written as "quantity|item|category".
QList<ListRow> listRows(const QStringList &texts)
{
    QList<ListRow> rows;
    for (const QString &text : texts) {
        rows.append({text.section(u'|', 0, 0), text.section(u'|', 1, 1), text.section(u'|', 2)});
    }
    return rows;
}

QStringList texts(const ShoppingList &list)
{
    QStringList lines;
    for (int p = 1; p <= list.count(); ++p) {
        lines << list.row(p).quantity + u'|' + list.row(p).item + u'|' + list.row(p).category;
    }
    return lines;
}

} // namespace

class TestPickingRules : public QObject
{
    Q_OBJECT

private slots:
    // The list before, the nodes picked one by one (a heading adds all its items), the list
    // after.
    void pick_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QList<int>>("picked");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("same item three times")
            << QStringList() << QList<int>{6, 6, 6} << QStringList{"3|Butter|Dairy"};
        QTest::newRow("one text under two headings")
            << QStringList() << QList<int>{7, 4} << QStringList{"2|Milk|Fruit"};
        QTest::newRow("letter case makes two rows")
            << QStringList() << QList<int>{4, 5} << QStringList{"1|Milk|Dairy", "1|milk|Dairy"};
        QTest::newRow("the root has no heading")
            << QStringList() << QList<int>{1} << QStringList{"1|List|"};
        QTest::newRow("first row raised")
            << QStringList{"x|Tea|", "2|Butter|a", "5|Butter|b"} << QList<int>{6}
            << QStringList{"x|Tea|", "3|Butter|a", "5|Butter|b"};
        QTest::newRow("fraction") << QStringList{"1.5|Butter|"} << QList<int>{6}
                                  << QStringList{"2.5|Butter|"};
        QTest::newRow("unit lost")
            << QStringList{"2 kg|Butter|"} << QList<int>{6} << QStringList{"3|Butter|"};
        QTest::newRow("word") << QStringList{"lots|Butter|"} << QList<int>{6}
                              << QStringList{"1|Butter|"};
        QTest::newRow("negative") << QStringList{"-3|Butter|"} << QList<int>{6}
                                  << QStringList{"-2|Butter|"};
        QTest::newRow("large") << QStringList{"999999999999999|Butter|"} << QList<int>{6}
                               << QStringList{"1E+15|Butter|"};
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
        list.append(listRows(before));
        for (const int position : picked) {
            if (position > 0) {
                AddItemToList(catalogue, position, list);
            } else {
                AddChildItems(catalogue, -position, list);
            }
        }
        QCOMPARE(texts(list), after);
        for (int position = 1; position <= catalogue.count(); ++position) {
            QVERIFY(!catalogue.node(position).ticked);
        }
    }

    // Each row ticks the first node of its item text under a heading of its category.
    void tickListedItems()
    {
        Catalogue catalogue;
        buildCatalogue(catalogue);
        QList<ListRow> rows = listRows({"1|Milk|Fruit", "3|Lemon|Dairy", "1|List|",
                                        "2|Butter|Dairy", "1|Lemon|Citrus", "1|Citrus|Fruit"});
        TickListedItems(catalogue, rows);
        QList<int> ticked;
        QList<int> expanded;
        for (int position = 1; position <= catalogue.count(); ++position) {
            if (catalogue.node(position).ticked) {
                ticked << position;
            }
            if (catalogue.node(position).expanded) {
                expanded << position;
            }
        }
        QCOMPARE(ticked, (QList<int>{6, 7, 9, 12}));
        QCOMPARE(expanded, (QList<int>{2, 3, 9}));
    }
};

QTEST_GUILESS_MAIN(TestPickingRules)
#include "tst_pickingrules.moc"

#include "catalogue/Catalogue.h"

#include <QRandomGenerator>
#include <QTest>

// Finding nodes by text is indexed; it must give what a scan in position order gives, also
// after headings are renamed.
class TestCatalogueIndex : public QObject
{
    Q_OBJECT

private slots:
    void indexMatchesAScan();
};

void TestCatalogueIndex::indexMatchesAScan()
{
    QRandomGenerator random(7);
    const QStringList texts = {"List", "Dairy", "Milk", "milk", "", " Milk", "Fruit"};
    for (int round = 0; round < 30; ++round) {
        Catalogue catalogue;
        const Catalogue::Rebuild rebuild(catalogue);
        catalogue.addNode(0, u"r"_qs, u"List"_qs, NodeImage::Closed);
        for (int step = 0; step < 300; ++step) {
            if (random.bounded(4) == 0 && catalogue.count() > 1) {
                catalogue.setText(int(random.bounded(catalogue.count())) + 1,
                                  texts[random.bounded(texts.size())]);
            } else {
                catalogue.addNode(int(random.bounded(catalogue.count())) + 1, {},
                                  texts[random.bounded(texts.size())], NodeImage::Doc);
            }
            for (const QString &text : texts) {
                QList<int> scanned;
                for (int p = 1; p <= catalogue.count(); ++p) {
                    if (catalogue.node(p).text == text) {
                        scanned << p;
                    }
                }
                QList<int> indexed;
                for (int p = catalogue.findFirst(text); p != 0; p = catalogue.findNext(p)) {
                    indexed << p;
                }
                QCOMPARE(indexed, scanned);
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestCatalogueIndex)
#include "tst_catalogueindex.moc"

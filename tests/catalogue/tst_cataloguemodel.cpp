#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/CatalogueModel.h"
#include "log/Log.h"
#include "support/TestFolder.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

class TestCatalogueModel : public QObject
{
    Q_OBJECT

private slots:
    // The model checked by the tester while the catalogue is loaded, ticked, renamed and
    // loaded again; only the user's tick raises the tick event.
    void followsTheCatalogue()
    {
        TestFolder folder;
        folder.write(u"headings.txt"_qs, "A\r\nB\r\n");
        folder.write(u"A.txt"_qs, ";Alpha\r\na1\r\na2\r\n");
        folder.write(u"B.txt"_qs, ";Beta\r\nb1\r\n");
        const Log log(folder.path(), u"shopping"_qs);
        Catalogue catalogue;
        CatalogueModel model(catalogue);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy checks(&model, &CatalogueModel::nodeCheck);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        LoadCatalogue(catalogue, folder.path(), log);
        QCOMPARE(model.rowCount(), 1);
        const QModelIndex root = model.index(0, 0);
        QCOMPARE(model.rowCount(root), 2);
        const QModelIndex beta = model.index(1, 0, root);
        QCOMPARE(beta.data().toString(), u"Beta"_qs);
        QCOMPARE(model.indexOf(6), model.index(0, 0, beta));
        QCOMPARE(model.index(0, 0, beta).data().toString(), u"b1"_qs);
        QVERIFY(!model.indexOf(7).isValid());

        catalogue.setTicked(4, true); // the program's own tick
        QCOMPARE(changes.count(), 1);
        QCOMPARE(model.indexOf(4).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
        QVERIFY(model.setData(model.indexOf(5), Qt::Checked, Qt::CheckStateRole)); // the user's
        QVERIFY(model.setData(model.indexOf(5), Qt::Unchecked, Qt::CheckStateRole));
        QVERIFY(!model.setData(model.indexOf(5), Qt::Checked, Qt::DisplayRole));
        QCOMPARE(checks.count(), 2);
        QCOMPARE(checks[0][0].toInt(), 5);
        QVERIFY(!catalogue.node(5).ticked);

        catalogue.setText(2, u"renamed"_qs);
        QCOMPARE(model.indexOf(2).data().toString(), u"renamed"_qs);
        LoadCatalogue(catalogue, folder.path(), log);
        QCOMPARE(model.rowCount(model.index(0, 0)), 2);
        QCOMPARE(model.indexOf(4).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
    }
};

QTEST_MAIN(TestCatalogueModel)
#include "tst_cataloguemodel.moc"

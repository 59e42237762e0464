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
    void init();
    void modelIsConsistentAcrossReloadsAndChanges();
    void onlyTheUsersTickRaisesTheTickEvent();

private:
    std::unique_ptr<TestFolder> m_folder;
};

void TestCatalogueModel::init()
{
    m_folder = std::make_unique<TestFolder>();
    m_folder->write(u"headings.txt"_qs, "A\r\nB\r\n");
    m_folder->write(u"A.txt"_qs, ";Alpha\r\na1\r\na2\r\n");
    m_folder->write(u"B.txt"_qs, ";Beta\r\nb1\r\n");
}

void TestCatalogueModel::modelIsConsistentAcrossReloadsAndChanges()
{
    Catalogue catalogue;
    CatalogueModel model(catalogue);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const Log log(m_folder->path(), u"shopping"_qs);
    LoadCatalogue(catalogue, m_folder->path(), log);
    QCOMPARE(model.rowCount(), 1);
    const QModelIndex root = model.index(0, 0);
    QCOMPARE(model.rowCount(root), 2);
    const QModelIndex beta = model.index(1, 0, root);
    QCOMPARE(beta.data().toString(), u"Beta"_qs);
    QCOMPARE(model.index(0, 0, beta).data().toString(), u"b1"_qs);
    QCOMPARE(model.parent(model.index(0, 0, beta)), beta);
    catalogue.setTicked(6, true);
    catalogue.setText(2, u"renamed"_qs);
    LoadCatalogue(catalogue, m_folder->path(), log);
    QCOMPARE(model.rowCount(model.index(0, 0)), 2);
}

void TestCatalogueModel::onlyTheUsersTickRaisesTheTickEvent()
{
    Catalogue catalogue;
    CatalogueModel model(catalogue);
    LoadCatalogue(catalogue, m_folder->path(), Log(m_folder->path(), u"shopping"_qs));
    QSignalSpy checks(&model, &CatalogueModel::nodeCheck);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

    catalogue.setTicked(4, true); // the program's own tick
    QCOMPARE(checks.count(), 0);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(model.indexOf(4).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);

    QVERIFY(model.setData(model.indexOf(5), Qt::Checked, Qt::CheckStateRole)); // the user's
    QCOMPARE(checks.count(), 1);
    QCOMPARE(checks.constFirst().constFirst().toInt(), 5);
    QVERIFY(catalogue.node(5).ticked);
    QVERIFY(model.setData(model.indexOf(5), Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(checks.count(), 2);
    QVERIFY(!catalogue.node(5).ticked);
}

QTEST_MAIN(TestCatalogueModel)
#include "tst_cataloguemodel.moc"

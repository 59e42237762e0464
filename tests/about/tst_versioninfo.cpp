#include "about/VersionInfo.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

class TestVersionInfo : public QObject
{
    Q_OBJECT

private slots:
    void stampedFromProject();
    void generalDate_data();
    void generalDate();
};

void TestVersionInfo::stampedFromProject()
{
    const QString project = QString::fromLatin1(SHOPPING_PROJECT_VERSION);
    const QStringList parts = project.split(u'.');
    QCOMPARE(parts.size(), 3);
    QCOMPARE(GetVersionString(), u'v' + project);
    QCOMPARE(VersionLine(ProgramVersion()),
             u"version %1.%2    Build (%3)"_qs.arg(parts[0], parts[1], parts[2]));
    QCOMPARE(ProductName(), QString::fromUtf8(SHOPPING_PROJECT_PRODUCT));
    QCOMPARE(VersionString({10, 0, 5}), u"v10.0.5"_qs); // no leading zeros
    QCOMPARE(VersionLine({32767, 32767, 32767}), u"version 32767.32767    Build (32767)"_qs);
}

void TestVersionInfo::generalDate_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("text");
    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    const QLocale american(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    const QDate day(2026, 12, 6);
    QTest::newRow("british") << british << QDateTime(day, QTime(7, 15, 0))
                             << u"06/12/2026 07:15:00"_qs;
    QTest::newRow("american afternoon")
        << american << QDateTime(day, QTime(19, 5, 9)) << u"12/6/26 7:05:09 PM"_qs;
    QTest::newRow("german") << german << QDateTime(day, QTime(7, 15, 0)) << u"06.12.26 07:15:00"_qs;
    QTest::newRow("midnight shows the date only")
        << british << QDateTime(day, QTime(0, 0, 0)) << u"06/12/2026"_qs;
    QTest::newRow("milliseconds past midnight still midnight")
        << british << QDateTime(day, QTime(0, 0, 0, 500)) << u"06/12/2026"_qs;
    QTest::newRow("one second past midnight")
        << british << QDateTime(day, QTime(0, 0, 1)) << u"06/12/2026 00:00:01"_qs;
}

void TestVersionInfo::generalDate()
{
    QFETCH(QLocale, locale);
    QFETCH(QDateTime, when);
    QFETCH(QString, text);
    QCOMPARE(GeneralDateText(when, locale), text);
}

QTEST_GUILESS_MAIN(TestVersionInfo)
#include "tst_versioninfo.moc"

#include "about/VersionInfo.h"

#include <QDateTime>
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
    void buildDetails_data();
    void buildDetails();
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
}

void TestVersionInfo::generalDate_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("text");
    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    const QDate day(2026, 12, 6);
    QTest::newRow("british") << british << QDateTime(day, QTime(7, 15, 0))
                             << u"06/12/2026 07:15:00"_qs;
    QTest::newRow("american afternoon")
        << QLocale(QLocale::English, QLocale::UnitedStates) << QDateTime(day, QTime(19, 5, 9))
        << u"12/6/26 7:05:09 PM"_qs;
    QTest::newRow("german") << QLocale(QLocale::German, QLocale::Germany)
                            << QDateTime(day, QTime(7, 15, 0)) << u"06.12.26 07:15:00"_qs;
    QTest::newRow("midnight shows the date only")
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

void TestVersionInfo::buildDetails_data()
{
    QTest::addColumn<QString>("name"); // in a folder that holds one file, "shopping"
    QTest::addColumn<bool>("shown");
    QTest::newRow("the executable") << u"shopping"_qs << true;
    QTest::newRow("no such file") << u"gone"_qs << false;
    QTest::newRow("a folder") << u"."_qs << false;
    QTest::newRow("no path") << QString() << false;
}

// The title, the version and the executable's date, not today's.
void TestVersionInfo::buildDetails()
{
    QFETCH(QString, name);
    QFETCH(bool, shown);
    QTemporaryDir folder;
    QFile file(folder.filePath(u"shopping"_qs));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QDateTime built(QDate(2001, 3, 4), QTime(7, 15, 9));
    QVERIFY(file.setFileTime(built, QFileDevice::FileModificationTime));
    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    const QString path = name.isNull() ? QString() : folder.filePath(name);
    const std::optional<QString> text = BuildDetailsText(u"shopping"_qs, path, british);
    QCOMPARE(text.has_value(), shown);
    if (shown) {
        QCOMPARE(*text, u"shopping\r\nv" SHOPPING_PROJECT_VERSION
                        "\r\nEXE created on 04/03/2001 07:15:09"_qs);
    }
}

QTEST_GUILESS_MAIN(TestVersionInfo)
#include "tst_versioninfo.moc"

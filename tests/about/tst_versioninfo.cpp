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
    void versionTexts_data();
    void versionTexts();
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
             QStringLiteral("version %1.%2    Build (%3)").arg(parts[0], parts[1], parts[2]));
    QCOMPARE(ProductName(), QString::fromUtf8(SHOPPING_PROJECT_PRODUCT));
}

void TestVersionInfo::versionTexts_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("string");
    QTest::addColumn<QString>("line");
    QTest::newRow("this release") << 1 << 2 << 28 << "v1.2.28"
                                  << "version 1.2    Build (28)";
    QTest::newRow("zeros") << 0 << 0 << 0 << "v0.0.0"
                           << "version 0.0    Build (0)";
    QTest::newRow("no leading zeros") << 10 << 0 << 5 << "v10.0.5"
                                      << "version 10.0    Build (5)";
    QTest::newRow("largest") << 32767 << 32767 << 32767 << "v32767.32767.32767"
                             << "version 32767.32767    Build (32767)";
}

void TestVersionInfo::versionTexts()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, string);
    QFETCH(QString, line);
    const VersionNumbers version{major, minor, revision};
    QCOMPARE(VersionString(version), string);
    QCOMPARE(VersionLine(version), line);
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
    QTest::newRow("british") << british << QDateTime(day, QTime(7, 15, 0)) << "06/12/2026 07:15:00";
    QTest::newRow("american afternoon")
        << american << QDateTime(day, QTime(19, 5, 9)) << "12/6/26 7:05:09 PM";
    QTest::newRow("german") << german << QDateTime(day, QTime(7, 15, 0)) << "06.12.26 07:15:00";
    QTest::newRow("midnight shows the date only")
        << british << QDateTime(day, QTime(0, 0, 0)) << "06/12/2026";
    QTest::newRow("milliseconds past midnight still midnight")
        << british << QDateTime(day, QTime(0, 0, 0, 500)) << "06/12/2026";
    QTest::newRow("one second past midnight")
        << british << QDateTime(day, QTime(0, 0, 1)) << "06/12/2026 00:00:01";
    QTest::newRow("utc has no zone name")
        << british << QDateTime(day, QTime(7, 15, 0), Qt::UTC) << "06/12/2026 07:15:00";
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
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("shown");
    QTest::newRow("executable") << "shopping" << true;
    QTest::newRow("missing file") << "gone" << false;
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("no path") << "" << false;
}

void TestVersionInfo::buildDetails()
{
    QFETCH(QString, name);
    QFETCH(bool, shown);
    const QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder")));
    {
        QFile file(folder.filePath(QStringLiteral("shopping")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write("binary") == 6);
        QVERIFY(file.flush());
        const QDateTime built(QDate(2001, 3, 4), QTime(7, 15, 9));
        QVERIFY(file.setFileTime(built, QFileDevice::FileModificationTime));
    }
    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    const std::optional<QString> text = BuildDetailsText(
        QStringLiteral("shopping"), name.isEmpty() ? QString() : folder.filePath(name), british);
    QCOMPARE(text.has_value(), shown);
    if (shown) {
        QCOMPARE(*text, QStringLiteral("shopping\r\nv%1\r\nEXE created on 04/03/2001 07:15:09")
                            .arg(QString::fromLatin1(SHOPPING_PROJECT_VERSION)));
    }
}

QTEST_GUILESS_MAIN(TestVersionInfo)
#include "tst_versioninfo.moc"

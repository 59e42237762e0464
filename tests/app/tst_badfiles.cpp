// Whatever lies in a list file, and whatever the file system refuses, the program tells what it
// must, keeps the user's list and files, and goes on. What any bytes at all do is left to the
// fuzz targets, which files can be read at all to the file reader's tests.
#include "catalogue/CatalogueLoader.h"
#include "config/IniFile.h"
#include "list/ListFile.h"
#include "log/Log.h"
#include "support/WindowSession.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

enum class Fault { None, Pipe, Folder, SizeLimit, MissingFolder };

// Runs work with the size of any file this process writes limited, as a full disk would limit
// it (root too), when the fault says so. The test ignores the signal a write beyond it raises.
template<typename Work> void withFault(Fault fault, Work work)
{
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{fault == Fault::SizeLimit ? 16 : old.rlim_cur, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    work();
    setrlimit(RLIMIT_FSIZE, &old);
}

// Lays a file into the folder: bytes, or a named pipe or a folder in its place; none into a
// missing folder.
void lay(const TestFolder &folder, const QString &name, const QByteArray &bytes, Fault fault)
{
    const QString path = folder.filePath(name);
    if (fault == Fault::Pipe) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (fault == Fault::Folder) {
        QVERIFY(QDir(folder.path()).mkdir(name));
    } else if (fault != Fault::MissingFolder) {
        folder.write(name, bytes);
    }
}

// The folder's entries but the logs.
QStringList entries(const TestFolder &folder)
{
    // The log files, named after the executable, do not count.
    return QDir(folder.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System)
        .filter(QRegularExpression(u"^(?!("_qs + QCoreApplication::applicationName() +
                                   u"|error)\\.log$)"_qs));
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class TestBadFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }

    // Every file taken holds a Butter row, which ticks its node; a refused file leaves the
    // list and the ticks as they were.
    void listFileOpened_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("count"); // 0: refused
        QTest::addColumn<QString>("total");
        QByteArray million;
        for (int i = 0; i < 1000000; ++i) {
            million += "1,Item " + QByteArray::number(i) + ",Dairy,\r\n";
        }
        QTest::newRow("a million lines, positions beyond 16 bits")
            << million + "1,Butter,Dairy,\r\n"
            << Fault::None << 1000001 << "1000001";
        QTest::newRow("huge quantities")
            << QByteArray("1e308,Milk,Dairy,\r\n1e308,Butter,Dairy,\r\n-1e308,Eggs,,\r\n")
            << Fault::None << 3 << "1E+308";
        QTest::newRow("too many empty lines")
            << QByteArray(MaximumListFileRows + 1, '\n') << Fault::None << 0 << "3";
        QTest::newRow("named pipe without writer") << QByteArray() << Fault::Pipe << 0 << "3";
    }

    void listFileOpened()
    {
        QFETCH(QByteArray, file);
        QFETCH(Fault, fault);
        QFETCH(int, count);
        QFETCH(QString, total);
        WindowSession session;
        session.start();
        appendRows(session.list(), {u"2|Milk|Dairy"_qs});
        session.tick(4, true);
        session.list().setUnchanged(); // saved: Open asks nothing
        lay(session.folder, u"bad.shp"_qs, file, fault);
        session.open(u"bad.shp"_qs);
        QCOMPARE(session.platform.messages.size(), count == 0 ? 1 : 0);
        if (count == 0 && fault == Fault::None) { // refused for its lines: the limit is named
            QVERIFY(session.platform.messages[0].text.contains(
                u"File too large: more than %1 lines"_qs.arg(MaximumListFileRows)));
        }
        QCOMPARE(session.panel(2), u"  Total Quantity = %1  "_qs.arg(total));
        if (count == 0) {
            QCOMPARE(rows(session.list()), QStringList{"3|Milk|Dairy"});
            QVERIFY(session.catalogue().node(4).ticked);
            return;
        }
        QCOMPARE(session.list().count(), count);
        QVERIFY(session.catalogue().node(5).ticked);
        session.tick(5, false);
        QCOMPARE(session.list().count(), count - 1);
        QCOMPARE(session.list().find(u"Butter"_qs), 0);
    }

    // A failed save is told, and leaves the list, the old file and no temporary file behind.
    void listFileSaved_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("rowCount");
        // A short list fits the write buffer, so its write fails only when the file is closed.
        QTest::newRow("file size limit, short list") << Fault::SizeLimit << 3;
        QTest::newRow("file size limit, long list") << Fault::SizeLimit << 2000;
        QTest::newRow("folder gone") << Fault::MissingFolder << 3;
        QTest::newRow("target is a folder") << Fault::Folder << 3;
    }

    void listFileSaved()
    {
        QFETCH(Fault, fault);
        QFETCH(int, rowCount);
        WindowSession session;
        session.start();
        for (int i = 0; i < rowCount; ++i) {
            session.list().append({u"1"_qs, u"Item %1"_qs.arg(i), u"C"_qs});
        }
        const QStringList shown = rows(session.list());
        const QString name = fault == Fault::MissingFolder ? u"gone/week.shp"_qs : u"week.shp"_qs;
        lay(session.folder, name, "1,Old,Row,\r\n", fault);
        const QStringList before = entries(session.folder);
        withFault(fault, [&] { session.save(name); });
        QCOMPARE(session.platform.messages.size(), 1);
        QVERIFY(session.platform.messages[0].text.startsWith(
            u"The shopping list could not be saved to "_qs +
            QDir::toNativeSeparators(session.folder.filePath(name))));
        QCOMPARE(rows(session.list()), shown);
        QVERIFY(session.list().isChanged());
        QCOMPARE(entries(session.folder), before);
        if (fault == Fault::SizeLimit) {
            QCOMPARE(session.folder.read(name), QByteArray("1,Old,Row,\r\n"));
        }
    }

    // Files that will not be read are told: the settings file once a start, the catalogue files
    // that failed once a load, in one message. A missing category file is not worth a message.
    void unreadFilesAreTold()
    {
        WindowSession session;
        const QByteArray huge(IniFile::MaximumFileSize + 1, ';');
        session.folder.write(u"shopping.ini"_qs, huge);
        session.folder.write(u"headings.txt"_qs, "Dairy\r\nBroken\r\nBig\r\nMissing\r\n");
        QVERIFY(QDir(session.folder.path()).mkdir(u"Broken.txt"_qs));
        session.folder.write(u"Big.txt"_qs, {});
        QVERIFY(QFile(session.folder.filePath(u"Big.txt"_qs)).resize(MaximumCatalogueFileSize + 1));
        session.start();
        session.trigger(u"mnuFile(0)"_qs);
        const QList<MessageBoxRequest> &told = session.platform.messages;
        QCOMPARE(told.size(), 3);
        QVERIFY(told[0].text.startsWith(u"The settings file "_qs +
                                        session.folder.filePath(u"shopping.ini"_qs)));
        QVERIFY(told[0].text.contains(u"more than 1048576 bytes"_qs));
        QCOMPARE(told[2].text, told[1].text);
        const QStringList lines = told[1].text.split(u'\n');
        QCOMPARE(lines.mid(2),
                 QStringList({session.folder.filePath(u"Broken.txt: Is a directory"_qs),
                              session.folder.filePath(
                                  u"Big.txt: File too large: more than 16777216 bytes"_qs)}));
        QCOMPARE(session.closeAndRead(), huge);
    }

    // Settings and logs that cannot be written for want of room cost the user nothing: no
    // message, no temporary file, the old settings kept.
    void fullDiskAtStartAndShutDown()
    {
        const qint16 level = std::exchange(LogLevel, 3);
        WindowSession session;
        const QByteArray settings = "[frmShopping]\r\nHeight= 6000\r\nWidth= 7500\r\n";
        for (const QString &name : {u"shopping.ini"_qs, u"shopping.log"_qs, u"error.log"_qs}) {
            session.folder.write(name, settings);
        }
        session.folder.write(u"headings.txt"_qs, "Dairy\r\nMissing\r\n");
        const QStringList before = entries(session.folder);
        withFault(Fault::SizeLimit, [&] {
            session.start();
            session.trigger(u"mnuFile(0)"_qs); // loads again, logs the missing category file
            session.window->close();
        });
        LogLevel = level;
        QCOMPARE(session.catalogue().node(2).text, u"Dairy"_qs);
        QVERIFY(session.platform.messages.isEmpty());
        QCOMPARE(entries(session.folder), before);
        QCOMPARE(session.folder.read(u"shopping.ini"_qs), settings);
    }
};

QTEST_MAIN(TestBadFiles)
#include "tst_badfiles.moc"

// Failures of the file system the program must live with: it tells what it must, keeps the
// user's list and files, and goes on.
#include "catalogue/Catalogue.h"
#include "list/ShoppingList.h"
#include "log/Log.h"
#include "support/WindowSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// Limits the size of any file this process writes, as a full disk would; stops root too.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_old;
        small.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }
    Q_DISABLE_COPY_MOVE(FileSizeLimit)
    bool m_active = false;

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
};

struct LogEverything
{
    LogEverything() : m_old(LogLevel) { LogLevel = 3; }
    ~LogEverything() { LogLevel = m_old; }
    Q_DISABLE_COPY_MOVE(LogEverything)
    qint16 m_old;
};

QStringList entries(const TestFolder &folder, const QStringList &ignored = {})
{
    QStringList all =
        QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
    for (const QString &name : ignored) {
        all.removeOne(name);
    }
    return all;
}

enum class Fault { Folders, SizeLimit, MissingFolder, Removed, Pipe, Folder };

// Makes name a thing that is listed in the folder but cannot be read as a file.
void breakFile(const TestFolder &folder, const QString &name, Fault fault)
{
    const QString path = folder.filePath(name);
    QFile::remove(path);
    if (fault == Fault::Pipe) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (fault == Fault::Folder) {
        QVERIFY(QDir(folder.path()).mkdir(name));
    }
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class TestFaults : public QObject
{
    Q_OBJECT

private slots:
    void unwritableProgramFolder_data();
    void unwritableProgramFolder();
    void failedSaveKeepsFileAndList_data();
    void failedSaveKeepsFileAndList();
    void failedOpenKeepsTheList_data();
    void failedOpenKeepsTheList();
    void unreadableCatalogueFile_data();
    void unreadableCatalogueFile();
    void listBeyond16BitPositions();
};

void TestFaults::unwritableProgramFolder_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::newRow("settings and log files are folders") << Fault::Folders;
    QTest::newRow("no file may grow") << Fault::SizeLimit;
}

void TestFaults::unwritableProgramFolder()
{
    QFETCH(Fault, fault);
    const LogEverything logEverything;
    WindowSession fixture;
    const QByteArray settings = "[frmShopping]\r\nHeight= 6000\r\nWidth= 7500\r\n";
    if (fault == Fault::Folders) {
        for (const char *name : {"shopping.ini", "shopping.log", "error.log"}) {
            QVERIFY(QDir(fixture.folder.path()).mkdir(QString::fromLatin1(name)));
        }
    } else {
        fixture.folder.write(QStringLiteral("shopping.ini"), settings);
    }
    fixture.folder.write(QStringLiteral("headings.txt"), "Dairy\r\nMissing\r\n");
    const QStringList logs{QStringLiteral("shopping.log"), QStringLiteral("error.log")};
    const QStringList before = entries(fixture.folder, logs);
    {
        const FileSizeLimit limit(fault == Fault::SizeLimit ? 16 : RLIM_INFINITY);
        QVERIFY(limit.m_active);
        fixture.start();
        QCOMPARE(fixture.window->catalogue().node(2).text, QStringLiteral("Dairy"));
        fixture.trigger(u"mnuFile(0)"_qs); // loads again, logs the missing category file
        QSignalSpy ended(fixture.window.get(), &ShoppingWindow::programEnded);
        fixture.window->close();
        QCOMPARE(ended.count(), 1);
    }
    QVERIFY(fixture.platform.messages.isEmpty());
    QCOMPARE(entries(fixture.folder, logs), before); // no temporary file left behind
    if (fault == Fault::SizeLimit) {
        QCOMPARE(fixture.folder.read(QStringLiteral("shopping.ini")), settings);
    }
}

void TestFaults::failedSaveKeepsFileAndList_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("rowCount");
    // A short list fits the write buffer, so its write fails only when the file is closed.
    QTest::newRow("file size limit, short list") << Fault::SizeLimit << 3;
    QTest::newRow("file size limit, long list") << Fault::SizeLimit << 2000;
    QTest::newRow("folder gone") << Fault::MissingFolder << 3;
    QTest::newRow("target is a folder") << Fault::Folder << 3;
}

void TestFaults::failedSaveKeepsFileAndList()
{
    QFETCH(Fault, fault);
    QFETCH(int, rowCount);
    WindowSession fixture;
    fixture.start();
    ShoppingList &list = fixture.window->list();
    for (int i = 0; i < rowCount; ++i) {
        list.append({QStringLiteral("1"), QStringLiteral("Item %1").arg(i), QStringLiteral("C")});
    }
    const QStringList shown = rows(list);
    const QByteArray old = "1,Old,Row,\r\n";
    const QString target =
        fixture.folder.filePath(fault == Fault::MissingFolder ? QStringLiteral("gone/week.shp")
                                                              : QStringLiteral("week.shp"));
    if (fault == Fault::Folder) {
        breakFile(fixture.folder, QStringLiteral("week.shp"), Fault::Folder);
    } else if (fault == Fault::SizeLimit) {
        fixture.folder.write(QStringLiteral("week.shp"), old);
    }
    const QStringList before = entries(fixture.folder);
    fixture.platform.answerFileName(target);
    {
        const FileSizeLimit limit(fault == Fault::SizeLimit ? 16 : RLIM_INFINITY);
        fixture.trigger(u"mnuFile(2)"_qs);
    }
    QCOMPARE(fixture.platform.messages.size(), 1);
    QVERIFY(fixture.platform.messages[0].text.startsWith(
        QStringLiteral("The shopping list could not be saved to ") +
        QDir::toNativeSeparators(target)));
    QCOMPARE(rows(list), shown);
    QCOMPARE(entries(fixture.folder), before);
    if (fault == Fault::SizeLimit) {
        QCOMPARE(fixture.folder.read(QStringLiteral("week.shp")), old);
    }
}

void TestFaults::failedOpenKeepsTheList_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::newRow("removed after the dialog") << Fault::Removed;
    QTest::newRow("named pipe without writer") << Fault::Pipe;
    QTest::newRow("folder") << Fault::Folder;
}

void TestFaults::failedOpenKeepsTheList()
{
    QFETCH(Fault, fault);
    WindowSession fixture;
    fixture.start();
    ShoppingWindow &window = *fixture.window;
    window.list().append({QStringLiteral("2"), QStringLiteral("Milk"), QStringLiteral("Dairy")});
    window.catalogue().setTicked(4, true);
    const QString path = fixture.folder.filePath(QStringLiteral("week.shp"));
    fixture.folder.write(QStringLiteral("week.shp"), "1,Pears,Fruit and Veg,\r\n");
    if (fault == Fault::Removed) { // chosen in the dialog, gone before it is read
        fixture.platform.dialogAnswers.append([path](CommonDialog &dialog) {
            dialog.fileName = path;
            return QFile::remove(path);
        });
    } else {
        breakFile(fixture.folder, QStringLiteral("week.shp"), fault);
        fixture.platform.answerFileName(path);
    }
    fixture.trigger(u"mnuFile(1)"_qs);

    QCOMPARE(fixture.platform.messages.size(), 1);
    QVERIFY(fixture.platform.messages[0].text.contains(QStringLiteral(" cannot be opened: ")));
    QCOMPARE(rows(window.list()), QStringList{"2|Milk|Dairy"});
    QVERIFY(window.catalogue().node(4).ticked);
    QCOMPARE(fixture.panel(2), QStringLiteral("  Total Quantity = 2  "));
}

void TestFaults::unreadableCatalogueFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Fault>("fault");
    // A category file listed under another letter case: found by the case-blind search, then
    // the read fails.
    QTest::newRow("category file, pipe") << u"DAIRY.TXT"_qs << Fault::Pipe;
    QTest::newRow("category file, folder") << u"DAIRY.TXT"_qs << Fault::Folder;
    QTest::newRow("index file, pipe") << u"headings.txt"_qs << Fault::Pipe;
    QTest::newRow("index file, folder") << u"headings.txt"_qs << Fault::Folder;
}

void TestFaults::unreadableCatalogueFile()
{
    QFETCH(QString, name);
    QFETCH(Fault, fault);
    const LogEverything logEverything;
    WindowSession fixture;
    const bool index = name == u"headings.txt";
    QFile::remove(fixture.folder.filePath(QStringLiteral("Dairy.txt")));
    breakFile(fixture.folder, index ? name : QStringLiteral("DAIRY.TXT"), fault);
    fixture.start();

    const Catalogue &catalogue = fixture.window->catalogue();
    if (index) {
        QCOMPARE(catalogue.count(), 1);
        QCOMPARE(fixture.platform.messages.size(), 1);
        QVERIFY(fixture.platform.messages[0].text.startsWith(
            QStringLiteral("Warning - cant find headings.txt in ")));
        return;
    }
    QVERIFY(fixture.platform.messages.isEmpty());
    QCOMPARE(catalogue.node(2).text, QString());
    QVERIFY(catalogue.node(2).children.empty());
    QCOMPARE(int(catalogue.node(3).children.size()), 3);
    const QByteArray log = fixture.folder.read(QStringLiteral("shopping.log"));
    QVERIFY2(
        log.contains("while loading txt:'' from " +
                     QDir::toNativeSeparators(fixture.folder.filePath(u"Dairy.txt"_qs)).toUtf8()),
        log.constData());
}

void TestFaults::listBeyond16BitPositions()
{
    // Positions beyond 32767 are found, raised, saved and read back like any other.
    WindowSession fixture;
    fixture.start();
    ShoppingWindow &window = *fixture.window;
    ShoppingList &list = window.list();
    {
        const ShoppingList::Batch batch(list);
        for (int i = 1; i < 40000; ++i) {
            list.append({QStringLiteral("1"), QStringLiteral("Item %1").arg(i), QString()});
        }
        list.append({QStringLiteral("1"), QStringLiteral("Butter"), QStringLiteral("Dairy")});
    }
    fixture.tick(5, true);
    QCOMPARE(list.row(40000).quantity, QStringLiteral("2"));

    const QString file = fixture.folder.filePath(QStringLiteral("big.shp"));
    fixture.platform.answerFileName(file);
    fixture.trigger(u"mnuFile(2)"_qs);
    fixture.platform.answerFileName(file);
    fixture.trigger(u"mnuFile(1)"_qs);
    QVERIFY(fixture.platform.messages.isEmpty());
    QCOMPARE(list.row(40000).item, QStringLiteral("Butter"));
    QVERIFY(window.catalogue().node(5).ticked);

    fixture.tick(5, false);
    QCOMPARE(list.count(), 39999);
    QCOMPARE(fixture.panel(3), QStringLiteral("  39999 unique items "));
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"

// Failures of the file system the program must live with: a program folder where nothing can be
// written, a list file that cannot be replaced or has gone, catalogue files that are listed but
// cannot be read. The program tells what it must, keeps the user's list and files, and goes on.
#include "catalogue/Catalogue.h"
#include "list/ShoppingList.h"
#include "log/Log.h"
#include "support/WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// Limits the size of any file this process writes, as a full disk would, for as long as it
// lives. Unlike permission bits this stops root too.
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
    bool active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
    bool m_active = false;
};

// Resets the log threshold, which a test raises to see the loader's messages.
struct LogLevelGuard
{
    explicit LogLevelGuard(qint16 level) : m_old(LogLevel) { LogLevel = level; }
    ~LogLevelGuard() { LogLevel = m_old; }
    Q_DISABLE_COPY_MOVE(LogLevelGuard)
    qint16 m_old;
};

QStringList rows(const ShoppingList &list)
{
    QStringList out;
    for (int p = 1; p <= list.count(); ++p) {
        out << list.row(p).quantity + u'|' + list.row(p).item + u'|' + list.row(p).category;
    }
    return out;
}

QStringList folderEntries(const TestFolder &folder)
{
    return QDir(folder.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
}

enum class Fault { Folders, SizeLimit, MissingFolder, Removed, DanglingLink, Pipe, Folder };

// Makes name in folder a thing that is listed in the folder but cannot be read as a file.
void breakFile(const TestFolder &folder, const QString &name, Fault fault)
{
    const QString path = folder.filePath(name);
    QFile::remove(path);
    switch (fault) {
    case Fault::DanglingLink:
        QVERIFY(QFile::link(folder.filePath(QStringLiteral("nowhere")), path));
        break;
    case Fault::Pipe:
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        break;
    case Fault::Folder:
        QVERIFY(QDir(folder.path()).mkdir(name));
        break;
    default:
        break;
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
    void unreadableCategoryFile_data();
    void unreadableCategoryFile();
    void unreadableIndexFile_data();
    void unreadableIndexFile();
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
    const LogLevelGuard logEverything(3);
    WindowFixture fixture;
    const QByteArray settings = "[frmShopping]\r\nHeight= 6000\r\nWidth= 7500\r\n";
    if (fault == Fault::Folders) {
        for (const char *name : {"shopping.ini", "shopping.log", "error.log"}) {
            QVERIFY(QDir(fixture.folder.path()).mkdir(QString::fromLatin1(name)));
        }
    } else {
        fixture.folder.write(QStringLiteral("shopping.ini"), settings);
    }
    fixture.folder.write(QStringLiteral("headings.txt"), "Dairy\r\nMissing\r\n");
    QStringList before = folderEntries(fixture.folder);
    {
        const FileSizeLimit limit(fault == Fault::SizeLimit ? 16 : RLIM_INFINITY);
        QVERIFY(limit.active());
        fixture.start();
        QCOMPARE(fixture.window->catalogue().node(2).text, QStringLiteral("Dairy"));
        // New List loads the catalogue again and logs the missing category file.
        fixture.window->mnuFile_Click(0);
        QSignalSpy ended(fixture.window.get(), &ShoppingWindow::programEnded);
        fixture.window->close();
        QCOMPARE(ended.count(), 1);
    }
    QVERIFY(fixture.platform.messages.isEmpty());
    // No temporary file is left behind; the log files may have been begun.
    QStringList after = folderEntries(fixture.folder);
    after.removeOne(QStringLiteral("shopping.log"));
    after.removeOne(QStringLiteral("error.log"));
    before.removeOne(QStringLiteral("shopping.log"));
    before.removeOne(QStringLiteral("error.log"));
    QCOMPARE(after, before);
    if (fault == Fault::Folders) {
        QVERIFY(QFileInfo(fixture.folder.filePath(QStringLiteral("shopping.ini"))).isDir());
    } else {
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
    WindowFixture fixture;
    fixture.start();
    ShoppingList &list = fixture.window->list();
    for (int i = 0; i < rowCount; ++i) {
        list.append({QStringLiteral("1"), QStringLiteral("Item %1").arg(i), QStringLiteral("C")});
    }
    const QStringList shown = rows(list);
    const QByteArray old = "1,Old,Row,\r\n";
    QString target = fixture.folder.filePath(QStringLiteral("week.shp"));
    if (fault == Fault::MissingFolder) {
        target = fixture.folder.filePath(QStringLiteral("gone/week.shp"));
    } else if (fault == Fault::Folder) {
        breakFile(fixture.folder, QStringLiteral("week.shp"), Fault::Folder);
    } else {
        fixture.folder.write(QStringLiteral("week.shp"), old);
    }
    const QStringList before = folderEntries(fixture.folder);
    fixture.platform.answerFileName(target);
    {
        const FileSizeLimit limit(fault == Fault::SizeLimit ? 16 : RLIM_INFINITY);
        fixture.window->mnuFile_Click(2);
    }
    QCOMPARE(fixture.platform.messages.size(), 1);
    QVERIFY(fixture.platform.messages[0].text.startsWith(
        QStringLiteral("The shopping list could not be saved to ") +
        QDir::toNativeSeparators(target)));
    QVERIFY(fixture.platform.messages[0].text.endsWith(
        QStringLiteral("Any file that was there is unchanged.")));
    QCOMPARE(rows(list), shown);
    QCOMPARE(folderEntries(fixture.folder), before);
    if (fault == Fault::SizeLimit) {
        QCOMPARE(fixture.folder.read(QStringLiteral("week.shp")), old);
    }
}

void TestFaults::failedOpenKeepsTheList_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::newRow("removed after the dialog") << Fault::Removed;
    QTest::newRow("symbolic link to nowhere") << Fault::DanglingLink;
    QTest::newRow("named pipe without writer") << Fault::Pipe;
    QTest::newRow("folder") << Fault::Folder;
}

void TestFaults::failedOpenKeepsTheList()
{
    QFETCH(Fault, fault);
    WindowFixture fixture;
    fixture.start();
    ShoppingWindow &window = *fixture.window;
    window.list().append({QStringLiteral("2"), QStringLiteral("Milk"), QStringLiteral("Dairy")});
    window.catalogue().setTicked(4, true);
    const QString path = fixture.folder.filePath(QStringLiteral("week.shp"));
    fixture.folder.write(QStringLiteral("week.shp"), "1,Pears,Fruit and Veg,\r\n");
    if (fault == Fault::Removed) {
        // Chosen in the dialog, gone before it is read.
        fixture.platform.dialogAnswers.append([path](CommonDialog &dialog) {
            dialog.fileName = path;
            return QFile::remove(path);
        });
    } else {
        breakFile(fixture.folder, QStringLiteral("week.shp"), fault);
        fixture.platform.answerFileName(path);
    }
    window.mnuFile_Click(1);

    QCOMPARE(fixture.platform.messages.size(), 1);
    QVERIFY(fixture.platform.messages[0].text.startsWith(QStringLiteral("The shopping list ") +
                                                         QDir::toNativeSeparators(path) +
                                                         QStringLiteral(" cannot be opened: ")));
    QCOMPARE(rows(window.list()), QStringList{"2|Milk|Dairy"});
    QVERIFY(window.catalogue().node(4).ticked);
    QCOMPARE(window.statusBar()->findChild<QLabel *>(QStringLiteral("panel2"))->text(),
             QStringLiteral("  Total Quantity = 2  "));
}

void TestFaults::unreadableCategoryFile_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::newRow("symbolic link to nowhere") << Fault::DanglingLink;
    QTest::newRow("named pipe without writer") << Fault::Pipe;
    QTest::newRow("folder") << Fault::Folder;
}

void TestFaults::unreadableCategoryFile()
{
    QFETCH(Fault, fault);
    const LogLevelGuard logEverything(3);
    WindowFixture fixture;
    // Listed under another letter case, so the case-blind search finds it and then the read
    // fails.
    QFile::remove(fixture.folder.filePath(QStringLiteral("Dairy.txt")));
    breakFile(fixture.folder, QStringLiteral("DAIRY.TXT"), fault);
    fixture.start();

    const Catalogue &catalogue = fixture.window->catalogue();
    QVERIFY(fixture.platform.messages.isEmpty());
    QCOMPARE(catalogue.node(2).text, QString());
    QVERIFY(catalogue.node(2).children.empty());
    QCOMPARE(catalogue.node(3).text, QStringLiteral("Fruit and Veg"));
    QCOMPARE(int(catalogue.node(3).children.size()), 3);
    const QByteArray log = fixture.folder.read(QStringLiteral("shopping.log"));
    QVERIFY2(
        log.contains("while loading txt:'' from " +
                     QDir::toNativeSeparators(fixture.folder.filePath(QStringLiteral("Dairy.txt")))
                         .toUtf8()),
        log.constData());
}

void TestFaults::unreadableIndexFile_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::newRow("symbolic link to nowhere") << Fault::DanglingLink;
    QTest::newRow("named pipe without writer") << Fault::Pipe;
    QTest::newRow("folder") << Fault::Folder;
}

void TestFaults::unreadableIndexFile()
{
    QFETCH(Fault, fault);
    WindowFixture fixture;
    breakFile(fixture.folder, QStringLiteral("headings.txt"), fault);
    fixture.start();
    QCOMPARE(fixture.window->catalogue().count(), 1);
    QCOMPARE(fixture.platform.messages.size(), 1);
    QVERIFY(fixture.platform.messages[0].text.startsWith(
        QStringLiteral("Warning - cant find headings.txt in ")));
}

void TestFaults::listBeyond16BitPositions()
{
    // The list has no cap of its own: positions beyond 32767 are found, raised, saved and read
    // back like any other.
    WindowFixture fixture;
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
    window.catalogue().setTicked(5, true);
    window.tvShopping_NodeCheck(5);
    QCOMPARE(list.count(), 40000);
    QCOMPARE(list.row(40000).quantity, QStringLiteral("2"));

    const QString file = fixture.folder.filePath(QStringLiteral("big.shp"));
    fixture.platform.answerFileName(file);
    window.mnuFile_Click(2);
    fixture.platform.answerFileName(file);
    window.mnuFile_Click(1);
    QVERIFY(fixture.platform.messages.isEmpty());
    QCOMPARE(list.count(), 40000);
    QCOMPARE(list.row(40000).item, QStringLiteral("Butter"));
    QVERIFY(window.catalogue().node(5).ticked);

    window.catalogue().setTicked(5, false);
    window.tvShopping_NodeCheck(5);
    QCOMPARE(list.count(), 39999);
    QCOMPARE(list.find(QStringLiteral("Butter")), 0);
    QCOMPARE(window.statusBar()->findChild<QLabel *>(QStringLiteral("panel3"))->text(),
             QStringLiteral("  39999 unique items "));
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"

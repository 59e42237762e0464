// Whatever lies in the program folder or in a list file, and whatever the file system refuses,
// the program starts, tells what it must, keeps the user's list and files, and goes on. One
// table per kind of file; what any bytes at all do is the fuzz targets' part.
#include "catalogue/CatalogueLoader.h"
#include "catalogue/CatalogueView.h"
#include "config/IniFile.h"
#include "list/ListFile.h"
#include "list/ListView.h"
#include "log/Log.h"
#include "support/WindowSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// Limits the size of any file this process writes, as a full disk would; stops root too.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes) : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit small = m_old;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }
    Q_DISABLE_COPY_MOVE(FileSizeLimit)

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
};

enum class Fault { None, Pipe, Folder, Removed, SizeLimit, MissingFolder };

// Lays a file into the folder: bytes, a sparse file of size bytes, or a thing that is listed
// but cannot be read as a file.
void lay(const TestFolder &folder, const QString &name, const QByteArray &bytes, qint64 size,
         Fault fault = Fault::None)
{
    const QString path = folder.filePath(name);
    QFile::remove(path);
    if (fault == Fault::Pipe) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (fault == Fault::Folder) {
        QVERIFY(QDir(folder.path()).mkdir(name));
    } else {
        folder.write(name, bytes);
        QVERIFY(size == 0 || QFile(path).resize(size));
    }
}

QByteArray manyLines(const char *before, int lines, const char *after)
{
    QByteArray bytes;
    for (int i = 0; i < lines; ++i) {
        bytes += before + QByteArray::number(i) + after;
    }
    return bytes;
}

QStringList entries(const TestFolder &folder)
{
    QStringList all =
        QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
    all.removeOne(QCoreApplication::applicationName() + u".log"_qs); // named after the executable
    all.removeOne(u"error.log"_qs);
    return all;
}

const int any = -1;

} // namespace

Q_DECLARE_METATYPE(Fault)

class TestBadFiles : public QObject
{
    Q_OBJECT

private slots:
    void catalogueFiles_data();
    void catalogueFiles();
    void listFileOpened_data();
    void listFileOpened();
    void listFileSaved_data();
    void listFileSaved();
    void listBeyond16BitPositions();
    void settingsFiles_data();
    void settingsFiles();
    void unwritableProgramFolder_data();
    void unwritableProgramFolder();
};

void TestBadFiles::catalogueFiles_data()
{
    QTest::addColumn<QString>("name"); // the file replaced
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("nodes");
    QTest::addColumn<QString>("heading"); // of the first category; null: no index file
    QTest::addColumn<QString>("firstItem");

    const QString d = u"Dairy.txt"_qs;
    const QString index = u"headings.txt"_qs;
    const QString dairy = u"DAIRY.TXT"_qs; // found by the case-blind search, then unreadable
    QTest::newRow("one million lines")
        << d << QByteArray(";Dairy\r\n") + manyLines("Item ", 1000000, "\r\n") << 0ll << Fault::None
        << Catalogue::MaxNodes << "Dairy"
        << "Item 0";
    QTest::newRow("one-megabyte line")
        << d << QByteArray(";Dairy\r\n") + QByteArray(1 << 20, 'x') << 0ll << Fault::None << 7
        << "Dairy" << QString(1 << 20, u'x');
    QTest::newRow("category file too large")
        << d << QByteArray() << MaximumCatalogueFileSize + 1 << Fault::None << 6 << "" << QString();
    QTest::newRow("category file, pipe")
        << dairy << QByteArray() << 0ll << Fault::Pipe << 6 << "" << QString();
    QTest::newRow("category file, folder")
        << dairy << QByteArray() << 0ll << Fault::Folder << 6 << "" << QString();
    QTest::newRow("index file too large") << index << QByteArray() << MaximumCatalogueFileSize + 1
                                          << Fault::None << 1 << "" << QString();
    QTest::newRow("index file, pipe")
        << index << QByteArray() << 0ll << Fault::Pipe << 1 << QString() << QString();
    QTest::newRow("index file, folder")
        << index << QByteArray() << 0ll << Fault::Folder << 1 << QString() << QString();
}

void TestBadFiles::catalogueFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, size);
    QFETCH(Fault, fault);
    QFETCH(int, nodes);
    QFETCH(QString, heading);
    QFETCH(QString, firstItem);
    const qint16 level = std::exchange(LogLevel, 3);
    WindowSession session;
    QFile::remove(session.folder.filePath(u"Dairy.txt"_qs));
    lay(session.folder, name, bytes, size, fault);
    session.start();
    LogLevel = level;

    const Catalogue &catalogue = session.catalogue();
    QCOMPARE(catalogue.count(), nodes);
    QCOMPARE(catalogue.node(1).text, u"List"_qs);
    QCOMPARE(session.tree().model()->rowCount(session.tree().model()->index(0, 0)),
             int(catalogue.node(1).children.size()));
    if (heading.isNull()) {
        QCOMPARE(session.platform.messages.size(), 1);
        QVERIFY(session.platform.messages[0].text.startsWith(u"Warning - cant find headings.txt"));
        return;
    }
    QVERIFY(session.platform.messages.isEmpty());
    if (nodes > 1) {
        QCOMPARE(catalogue.node(2).text, heading);
        QCOMPARE(catalogue.node(2).children.empty(), firstItem.isNull());
    }
    if (!firstItem.isNull()) {
        QCOMPARE(catalogue.node(catalogue.node(2).children.at(0)).text, firstItem);
    } else if (nodes > 1) {
        const QByteArray log = session.folder.read(u"shopping.log"_qs);
        QVERIFY2(log.contains(
                     "while loading txt:'' from " +
                     QDir::toNativeSeparators(session.folder.filePath(u"Dairy.txt"_qs)).toUtf8()),
                 log.constData());
    }
}

void TestBadFiles::listFileOpened_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("count"); // 0: refused, the old list kept
    QTest::addColumn<QString>("firstItem");
    QTest::addColumn<QString>("total");

    const QByteArray none;
    QTest::newRow("one million lines")
        << manyLines("1,Item ", 1000000, ",Dairy,\r\n") << 0ll << Fault::None << 1000000 << "Item 0"
        << "1000000";
    QTest::newRow("one-megabyte line") << QByteArray("2,") + QByteArray(1 << 20, 'x') + ",D,\r\n"
                                       << 0ll << Fault::None << 1 << QString(1 << 20, u'x') << "2";
    QTest::newRow("huge quantities")
        << QByteArray("1e308,Milk,Dairy,\r\n1e308,Butter,Dairy,\r\n-1e308,Eggs,,\r\n") << 0ll
        << Fault::None << 3 << "Milk"
        << "7.97693134862316E+307";
    QTest::newRow("too large") << none << MaximumListFileSize + 1 << Fault::None << 0 << ""
                               << "";
    QTest::newRow("too many empty lines")
        << QByteArray(MaximumListFileRows + 1, '\n') << 0ll << Fault::None << 0 << ""
        << "";
    QTest::newRow("removed after the dialog") << none << 0ll << Fault::Removed << 0 << ""
                                              << "";
    QTest::newRow("named pipe without writer") << none << 0ll << Fault::Pipe << 0 << ""
                                               << "";
    QTest::newRow("folder") << none << 0ll << Fault::Folder << 0 << ""
                            << "";
}

void TestBadFiles::listFileOpened()
{
    QFETCH(QByteArray, file);
    QFETCH(qint64, size);
    QFETCH(Fault, fault);
    QFETCH(int, count);
    QFETCH(QString, firstItem);
    QFETCH(QString, total);
    WindowSession session;
    session.start();
    appendRows(session.list(), {u"2|Milk|Dairy"_qs});
    session.tick(4, true);
    const QString path = session.folder.filePath(u"bad.shp"_qs);
    if (fault == Fault::Removed) { // chosen in the dialog, gone before it is read
        session.platform.dialogAnswers.append([path](CommonDialog &dialog) {
            dialog.fileName = path;
            return true;
        });
        session.trigger(u"mnuFile(1)"_qs);
    } else {
        lay(session.folder, u"bad.shp"_qs, file, size, fault);
        session.open(u"bad.shp"_qs);
    }

    const ShoppingList &list = session.list();
    if (count == 0) {
        QCOMPARE(session.platform.messages.size(), 1);
        QVERIFY(session.platform.messages[0].text.startsWith(
            u"The shopping list "_qs + QDir::toNativeSeparators(path) + u" cannot be opened: "_qs));
        QCOMPARE(rows(list), QStringList{"3|Milk|Dairy"});
        QVERIFY(session.catalogue().node(4).ticked);
        QCOMPARE(session.panel(2), u"  Total Quantity = 3  "_qs);
        return;
    }
    QVERIFY(session.platform.messages.isEmpty());
    QCOMPARE(list.count(), count);
    QCOMPARE(list.row(1).item, firstItem);
    QCOMPARE(session.listView().model()->rowCount(), list.count());
    QCOMPARE(session.panel(2), u"  Total Quantity = %1  "_qs.arg(total));
}

void TestBadFiles::listFileSaved_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("rowCount");
    // A short list fits the write buffer, so its write fails only when the file is closed.
    QTest::newRow("file size limit, short list") << Fault::SizeLimit << 3;
    QTest::newRow("file size limit, long list") << Fault::SizeLimit << 2000;
    QTest::newRow("folder gone") << Fault::MissingFolder << 3;
    QTest::newRow("target is a folder") << Fault::Folder << 3;
}

void TestBadFiles::listFileSaved()
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
    const QByteArray old = "1,Old,Row,\r\n";
    if (fault != Fault::MissingFolder) {
        lay(session.folder, name, old, 0, fault);
    }
    const QStringList before = entries(session.folder);
    {
        const FileSizeLimit limit(fault == Fault::SizeLimit ? 16 : RLIM_INFINITY);
        session.save(name);
    }
    QCOMPARE(session.platform.messages.size(), 1);
    QVERIFY(session.platform.messages[0].text.startsWith(
        u"The shopping list could not be saved to "_qs +
        QDir::toNativeSeparators(session.folder.filePath(name))));
    QCOMPARE(rows(session.list()), shown);
    QCOMPARE(entries(session.folder), before); // no temporary file left behind
    if (fault == Fault::SizeLimit) {
        QCOMPARE(session.folder.read(name), old);
    }
}

void TestBadFiles::listBeyond16BitPositions()
{
    // Positions beyond 32767 are found, raised, saved and read back like any other.
    WindowSession session;
    session.start();
    {
        const ShoppingList::Batch batch(session.list());
        for (int i = 1; i < 40000; ++i) {
            session.list().append({u"1"_qs, u"Item %1"_qs.arg(i), QString()});
        }
        session.list().append({u"1"_qs, u"Butter"_qs, u"Dairy"_qs});
    }
    session.tick(5, true);
    QCOMPARE(session.list().row(40000).quantity, u"2"_qs);
    session.save(u"big.shp"_qs);
    session.open(u"big.shp"_qs);
    QVERIFY(session.platform.messages.isEmpty());
    QCOMPARE(session.list().row(40000).item, u"Butter"_qs);
    QVERIFY(session.catalogue().node(5).ticked);
    session.tick(5, false);
    QCOMPARE(session.list().count(), 39999);
    QCOMPARE(session.panel(3), u"  39999 unique items "_qs);
}

void TestBadFiles::settingsFiles_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QSize>("frame");       // the window's size when the file decides it
    QTest::addColumn<bool>("printRefused"); // a preview is refused with a message

    const QSize any;
    const QSize designed(768, 576);
    QTest::newRow("huge numbers")
        << QByteArray("[frmShopping]\r\nHeight= 1E+300\r\nWidth= 99999999999999\r\n"
                      "Left=-1E+308\r\nTop= 1E+20\r\n[display]\r\nlistCol1= 1E+300\r\n"
                      "[font]\r\nsize= 1E+308\r\nforecolor= 99999999999\r\n"
                      "[PrinterFont]\r\nsize= 1E+308\r\n")
        << 0ll << any << true;
    QTest::newRow("negative sizes")
        << QByteArray("[frmShopping]\r\nHeight=-8000\r\nWidth=-1\r\n[display]\r\n"
                      "listCol1=-900\r\nlistCol2=-32768\r\n[font]\r\nsize=-12\r\n"
                      "[PrinterFont]\r\nsize=-50\r\n")
        << 0ll << any << false;
    QTest::newRow("non-numbers")
        << QByteArray("[frmShopping]\r\nHeight=tall\r\nWidth=NaN\r\nLeft=inf\r\n[display]\r\n"
                      "listCol1=abc\r\n[font]\r\nsize=big\r\nforecolor=red\r\nbold=maybe\r\n"
                      "[PrinterFont]\r\nforecolor=red\r\n")
        << 0ll << designed << true;
    QTest::newRow("too large") << QByteArray() << IniFile::MaximumFileSize + 1 << designed << false;
}

void TestBadFiles::settingsFiles()
{
    QFETCH(QByteArray, ini);
    QFETCH(qint64, size);
    QFETCH(QSize, frame);
    QFETCH(bool, printRefused);
    WindowSession session;
    lay(session.folder, u"shopping.ini"_qs, ini, size);
    session.start();
    QVERIFY(session.platform.messages.isEmpty());
    QCOMPARE(session.catalogue().count(), 9);
    const QSize shown = session.window->frameGeometry().size();
    if (frame.isValid()) {
        QCOMPARE(shown, frame);
    }
    // Never larger than a window system can make a window.
    QVERIFY(shown.width() > 0 && shown.width() <= 32767);
    QVERIFY(shown.height() > 0 && shown.height() <= 32767);
    const ListView &list = session.listView();
    for (int column = 0; column < 3; ++column) {
        QVERIFY(list.columnWidth(column) > 0 && list.columnWidth(column) <= 32767);
    }
    QVERIFY(list.font().pointSizeF() > 0 && list.font().pointSizeF() <= 2160);

    appendRows(session.list(), {u"2|Milk|Dairy"_qs});
    session.trigger(u"mnuFile(4)"_qs);
    QCOMPARE(session.platform.messages.size(), printRefused ? 1 : 0);
    const QByteArray written = session.closeAndRead();
    if (size > 0) { // neither read nor overwritten
        QCOMPARE(QFileInfo(session.folder.filePath(u"shopping.ini"_qs)).size(), size);
        return;
    }
    // The program leaves a file it can read again.
    WindowSession again;
    again.folder.write(u"shopping.ini"_qs, written);
    again.start();
    QCOMPARE(again.window->frameGeometry().size(), shown);
}

void TestBadFiles::unwritableProgramFolder_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::newRow("settings and log files are folders") << Fault::Folder;
    QTest::newRow("no file may grow") << Fault::SizeLimit;
}

void TestBadFiles::unwritableProgramFolder()
{
    QFETCH(Fault, fault);
    const qint16 level = std::exchange(LogLevel, 3);
    WindowSession session;
    const QByteArray settings = "[frmShopping]\r\nHeight= 6000\r\nWidth= 7500\r\n";
    for (const char *name : {"shopping.ini", "shopping.log", "error.log"}) {
        lay(session.folder, QString::fromLatin1(name), settings, 0, fault);
    }
    session.folder.write(u"headings.txt"_qs, "Dairy\r\nMissing\r\n");
    const QStringList before = entries(session.folder);
    {
        const FileSizeLimit limit(fault == Fault::SizeLimit ? 16 : RLIM_INFINITY);
        session.start();
        QCOMPARE(session.catalogue().node(2).text, u"Dairy"_qs);
        session.trigger(u"mnuFile(0)"_qs); // loads again, logs the missing category file
        session.window->close();
    }
    LogLevel = level;
    QVERIFY(session.platform.messages.isEmpty());
    QCOMPARE(entries(session.folder), before); // no temporary file left behind
    if (fault == Fault::SizeLimit) {
        QCOMPARE(session.folder.read(u"shopping.ini"_qs), settings);
    }
}

QTEST_MAIN(TestBadFiles)
#include "tst_badfiles.moc"

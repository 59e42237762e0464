#include "config/IniFile.h"
#include "config/Settings.h"
#include "log/Log.h"
#include "support/TestFolder.h"

#include <QFile>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using B = QByteArray;

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void value_data();
    void value();
    void longValueIsCut();
    void setValue_data();
    void setValue();
    void refusedNames_data();
    void refusedNames();
    void windows1252File();
    void windows1252FileKeepsOtherValues_data();
    void windows1252FileKeepsOtherValues();
    void roundTrip_data();
    void roundTrip();
    void readIniValueWarnsOnce_data();
    void readIniValueWarnsOnce();
    void writeCreatesFileAndKeepsUntouchedFile();
    void unreadableFileIsNotOverwritten();
    void failedWriteInPlaceKeepsTheOldFile();
};

// Every row looks up key "k" of section "a"; "-" means not found.
void TestIniFile::value_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("value");
    QTest::newRow("case of section and key") << B("[A]\r\nK=Arial\r\n") << u"Arial"_qs;
    QTest::newRow("LF line ends") << B("[b]\nk=1\n[a]\nk=2\n") << u"2"_qs;
    QTest::newRow("CR line ends") << B("[a]\rk=1\r") << u"1"_qs;
    QTest::newRow("no final line end") << B("[a]\r\nk=last") << u"last"_qs;
    QTest::newRow("blanks and tabs") << B("[a]\r\n \tk \t= \t v w \t\r\n") << u"v w"_qs;
    QTest::newRow("double quotes") << B("[a]\r\nk=\" v \"\r\n") << u" v "_qs;
    QTest::newRow("single quotes") << B("[a]\r\nk='v'\r\n") << u"v"_qs;
    QTest::newRow("one pair only") << B("[a]\r\nk=\"\"v\"\"\r\n") << u"\"v\""_qs;
    QTest::newRow("unmatched quotes kept") << B("[a]\r\nk=\"v'\r\n") << u"\"v'"_qs;
    QTest::newRow("empty value") << B("[a]\r\nk=\r\n") << u""_qs;
    QTest::newRow("first key wins") << B("[a]\r\nk=1\r\nK=2\r\n") << u"1"_qs;
    QTest::newRow("first section wins") << B("[a]\r\nk=1\r\n[A]\r\nk=2\r\n") << u"1"_qs;
    QTest::newRow("key of another section") << B("[a]\r\nx=1\r\n[b]\r\nk=2\r\n") << u"-"_qs;
    QTest::newRow("missing section") << B("[b]\r\nk=1\r\n") << u"-"_qs;
    QTest::newRow("comments and junk")
        << B("; note\r\n[a]\r\n# remark\r\njunk line\r\nk=1\r\n") << u"1"_qs;
    QTest::newRow("byte order mark") << B("\xEF\xBB\xBF[a]\r\nk=1\r\n") << u"1"_qs;
    QTest::newRow("Windows-1252") << B("[a]\r\nk=Cr\xE8me \x80\r\n") << u"Crème €"_qs;
    QTest::newRow("UTF-8 look-alike in a Windows-1252 file")
        << B("[a]\r\nk=\xC3\xA9\r\nj=\xE9\r\n") << u"Ã©"_qs;
}

void TestIniFile::value()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, value);
    QCOMPARE(IniFile(file).value(u"a"_qs, u"k"_qs).value_or(u"-"_qs), value);
}

void TestIniFile::longValueIsCut()
{
    const QByteArray value(40000, 'x');
    const IniFile ini("[a]\r\nk=" + value + "\r\n");
    QCOMPARE(ini.value(u"a"_qs, u"k"_qs)->size(), IniFile::MaximumValueLength);
}

void TestIniFile::setValue_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("new file") << B() << u"frmShopping"_qs << u"Height"_qs << u" 8640"_qs
                              << B("[frmShopping]\r\nHeight= 8640\r\n");
    QTest::newRow("replace in place keeps all else")
        << B("; mine\n[A]\n  K  =  old value ; c\nz=1\n") << u"a"_qs << u"k"_qs << u"new"_qs
        << B("; mine\n[A]\n  K  =new\nz=1\n");
    QTest::newRow("replace the first of two") << B("[a]\r\nk=1\r\nk=2\r\n") << u"a"_qs << u"K"_qs
                                              << u"3"_qs << B("[a]\r\nk=3\r\nk=2\r\n");
    QTest::newRow("key after last key, before blank lines")
        << B("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n") << u"a"_qs << u"z"_qs << u"3"_qs
        << B("[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
    QTest::newRow("key after last key, before a comment")
        << B("[a]\nx=1\n; about b\n[b]\n") << u"a"_qs << u"z"_qs << u"3"_qs
        << B("[a]\nx=1\nz=3\r\n; about b\n[b]\n");
    QTest::newRow("key into empty section")
        << B("[a]\r\n[b]\r\n") << u"a"_qs << u"k"_qs << u"v"_qs << B("[a]\r\nk=v\r\n[b]\r\n");
    QTest::newRow("last line without line end")
        << B("[a]\r\nx=1") << u"a"_qs << u"y"_qs << u"2"_qs << B("[a]\r\nx=1\r\ny=2\r\n");
    QTest::newRow("section at end")
        << B("[a]\nx=1\n") << u"b"_qs << u"k"_qs << u"v"_qs << B("[a]\nx=1\n[b]\r\nk=v\r\n");
    QTest::newRow("byte order mark kept") << B("\xEF\xBB\xBF[a]\r\nk=1\r\n") << u"a"_qs << u"k"_qs
                                          << u"2"_qs << B("\xEF\xBB\xBF[a]\r\nk=2\r\n");
    QTest::newRow("key opening with a byte order mark")
        << B("[a]\r\n") << u"a"_qs << u"\uFEFFk"_qs << u"v"_qs << B("[a]\r\n\xEF\xBB\xBFk=v\r\n");
    QTest::newRow("UTF-8 written")
        << B() << u"font"_qs << u"name"_qs << u"Crème"_qs << B("[font]\r\nname=Crème\r\n");
}

void TestIniFile::setValue()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    IniFile ini(before);
    QVERIFY(ini.setValue(section, key, value));
    QCOMPARE(ini.bytes(), after);
    QCOMPARE(ini.value(section, key), std::optional<QString>(value.trimmed()));
}

void TestIniFile::refusedNames_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("bracket in section") << u"a]b"_qs << u"k"_qs << u"v"_qs;
    QTest::newRow("equals in key") << u"a"_qs << u"k=j"_qs << u"v"_qs;
    QTest::newRow("line break in section") << u"a\nb"_qs << u"k"_qs << u"v"_qs;
    QTest::newRow("line break in value") << u"a"_qs << u"k"_qs << u"v\r\n[evil]"_qs;
    QTest::newRow("empty key") << u"a"_qs << u" "_qs << u"v"_qs;
    // "[k=v]" would read as a section line.
    QTest::newRow("key opening with a bracket") << u"a"_qs << u" [k"_qs << u"v]"_qs;
}

void TestIniFile::refusedNames()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QByteArray before = "[a]\r\nk=1\r\n";
    IniFile ini(before);
    QVERIFY(!ini.setValue(section, key, value));
    QCOMPARE(ini.bytes(), before);

    TestFolder folder;
    folder.write(u"shopping.ini"_qs, before);
    WriteIniValue(section, key, value, folder.filePath(u"shopping.ini"_qs));
    QCOMPARE(folder.read(u"shopping.ini"_qs), before);
}

void TestIniFile::windows1252File()
{
    // Text that Windows-1252 can hold goes in as Windows-1252 and every old byte stays.
    IniFile ini(QByteArray("[a]\r\nk=Cr\xE8me\r\n"));
    QVERIFY(ini.setValue(u"a"_qs, u"j"_qs, u"€ é"_qs));
    QCOMPARE(ini.bytes(), QByteArray("[a]\r\nk=Cr\xE8me\r\nj=\x80 \xE9\r\n"));

    // A file that ends in a Windows-1252 letter is no UTF-8 file waiting for more bytes.
    QCOMPARE(IniFile(QByteArray("[a]\r\nk=Caf\xE9")).value(u"a"_qs, u"k"_qs),
             std::optional<QString>(u"Café"_qs));

    // Text that it cannot hold turns the file into UTF-8, so that both read back.
    QVERIFY(ini.setValue(u"a"_qs, u"k"_qs, u"Ωmega"_qs));
    QCOMPARE(ini.bytes(), u"[a]\r\nk=Ωmega\r\nj=€ é\r\n"_qs.toUtf8());
    QCOMPARE(*ini.value(u"a"_qs, u"j"_qs), u"€ é"_qs);
}

void TestIniFile::windows1252FileKeepsOtherValues_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    // The Windows-1252 bytes of "Ã©" happen to be the UTF-8 bytes of "é". Once the one byte
    // that is not UTF-8 is gone, the file must not start to read as UTF-8.
    QTest::newRow("old value replaced")
        << B("[a]\r\nk=\xC3\xA9\r\nj=Cr\xE8me\r\n") << u"j"_qs << u"plain"_qs;
    QTest::newRow("new value that looks like UTF-8")
        << B("[a]\r\nk=x\r\nj=\xE8\r\n") << u"j"_qs << u"Ã©"_qs;
}

void TestIniFile::windows1252FileKeepsOtherValues()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const IniFile old(before);
    IniFile ini(before);
    QVERIFY(ini.setValue(u"a"_qs, key, value));
    const IniFile reread(ini.bytes());
    QCOMPARE(reread.value(u"a"_qs, key), std::optional<QString>(value));
    QCOMPARE(reread.value(u"a"_qs, u"k"_qs), old.value(u"a"_qs, u"k"_qs));
}

void TestIniFile::roundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("read");
    QTest::newRow("blanks around, inside kept") << u"  a  b  "_qs << u"a  b"_qs;
    QTest::newRow("double quotes around") << u"\"quoted\""_qs << u"\"quoted\""_qs;
    QTest::newRow("tabs around") << u"\tx\t"_qs << u"\tx\t"_qs;
    QTest::newRow("non-ASCII") << u"日本 Ωmega"_qs << u"日本 Ωmega"_qs;
    QTest::newRow("NUL ends the value") << u"ab"_qs + QChar(u'\0') + u"cd"_qs << u"ab"_qs;
    QTest::newRow("byte order mark first") << u"\uFEFFx"_qs << u"\uFEFFx"_qs;
    QTest::newRow("only blanks") << u"   "_qs << u""_qs;
}

void TestIniFile::roundTrip()
{
    QFETCH(QString, value);
    QFETCH(QString, read);
    TestFolder folder;
    const Log log(folder.path(), u"shopping"_qs);
    const QString file = folder.filePath(u"shopping.ini"_qs);
    folder.write(u"shopping.ini"_qs, "[s]\r\nk=old\r\n");
    for (const QString &key : {u"k"_qs, u"new"_qs}) {
        WriteIniValue(u"s"_qs, key, value, file);
        QCOMPARE(ReadIniValue(file, u"s"_qs, key, log), read);
    }
}

void TestIniFile::readIniValueWarnsOnce_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("warned");
    QTest::newRow("missing file") << B() << true;
    QTest::newRow("missing key") << B("[display]\r\nlistCol2=1\r\n") << true;
    QTest::newRow("empty value") << B("[display]\r\nlistCol1=\r\n") << true;
    QTest::newRow("present") << B("[display]\r\nlistCol1= 900\r\n") << false;
}

void TestIniFile::readIniValueWarnsOnce()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, warned);
    TestFolder folder;
    if (!file.isEmpty()) {
        folder.write(u"shopping.ini"_qs, file);
    }
    const Log log(folder.path(), u"shopping"_qs);
    const QString path = folder.filePath(u"shopping.ini"_qs);
    const qint16 threshold = LogLevel;
    LogLevel = 3;
    const QString value = ReadIniValue(path, u"display"_qs, u"listCol1"_qs, log);
    LogLevel = threshold;
    QCOMPARE(value, warned ? QString() : u"900"_qs);
    const QByteArray logged = folder.read(u"shopping.log"_qs);
    const QByteArray warning =
        "Warning - failed to read INI :file=" + path.toUtf8() + "    sect=display   key=listCol1";
    QCOMPARE(logged.count(warning), warned ? 1 : 0);
    QCOMPARE(folder.exists(u"shopping.ini"_qs), !file.isEmpty());
}

void TestIniFile::writeCreatesFileAndKeepsUntouchedFile()
{
    TestFolder folder;
    const QString file = folder.filePath(u"shopping.ini"_qs);
    WriteIniValue(u"font"_qs, u"bold"_qs, u"0"_qs, file);
    WriteIniValue(u"font"_qs, u"italic"_qs, u"-1"_qs, file);
    WriteIniValue(u"display"_qs, u"listCol1"_qs, u" 900"_qs, file);
    WriteIniValue(u"FONT"_qs, u"Bold"_qs, u"-1"_qs, file);
    QCOMPARE(folder.read(u"shopping.ini"_qs),
             QByteArray("[font]\r\nbold=-1\r\nitalic=-1\r\n[display]\r\nlistCol1= 900\r\n"));
}

void TestIniFile::unreadableFileIsNotOverwritten()
{
    TestFolder folder;
    const QString file = folder.filePath(u"shopping.ini"_qs);
    folder.write(u"shopping.ini"_qs, "[a]\r\nk=1\r\n");
    QFile::setPermissions(file, QFileDevice::WriteOwner);
    if (QFile(file).open(QIODevice::ReadOnly)) {
        QSKIP("running with the rights to read any file");
    }
    WriteIniValue(u"a"_qs, u"j"_qs, u"2"_qs, file);
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(folder.read(u"shopping.ini"_qs), QByteArray("[a]\r\nk=1\r\n"));
}

void TestIniFile::failedWriteInPlaceKeepsTheOldFile()
{
    // A folder that refuses new files: the file is written in place, and runs out of room.
    // The write runs as an ordinary user in a child process, since permissions do not stop root.
    TestFolder folder;
    const QString file = folder.filePath(u"shopping.ini"_qs);
    const QByteArray before = "[s]\r\nk=1\r\n[t]\r\nj=2\r\n";
    folder.write(u"shopping.ini"_qs, before);
    QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther));
    QVERIFY(QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                     QFileDevice::ReadOther |
                                                     QFileDevice::ExeOther));
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(2);
        }
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit room{rlim_t(before.size() + 4), rlim_t(before.size() + 4)};
        ::setrlimit(RLIMIT_FSIZE, &room);
        WriteIniValue(u"s"_qs, u"k"_qs, QString(40, u'x'), file);
        ::_exit(0);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ExeOwner));
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(folder.read(u"shopping.ini"_qs), before);
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"

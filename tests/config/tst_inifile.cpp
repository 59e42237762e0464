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

void TestIniFile::value_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("value");

    const QByteArray plain = "[display]\r\nlistCol1= 900\r\nlistCol2=2200\r\n";
    QTest::newRow("plain") << plain << "display"
                           << "listCol2" << true << "2200";
    QTest::newRow("blank before value dropped") << plain << "display"
                                                << "listCol1" << true << "900";
    QTest::newRow("case of section and key") << QByteArray("[FONT]\r\nNAME=Arial\r\n") << "font"
                                             << "name" << true << "Arial";
    QTest::newRow("LF line ends") << QByteArray("[a]\nk=1\n[b]\nk=2\n") << "b"
                                  << "k" << true << "2";
    QTest::newRow("CR line ends") << QByteArray("[a]\rk=1\r") << "a"
                                  << "k" << true << "1";
    QTest::newRow("no final line end") << QByteArray("[a]\r\nk=last") << "a"
                                       << "k" << true << "last";
    QTest::newRow("blanks and tabs around") << QByteArray("[a]\r\n \tk \t= \t v w \t\r\n") << "a"
                                            << "k" << true << "v w";
    QTest::newRow("double quotes") << QByteArray("[a]\r\nk=\" v \"\r\n") << "a"
                                   << "k" << true << " v ";
    QTest::newRow("single quotes") << QByteArray("[a]\r\nk='v'\r\n") << "a"
                                   << "k" << true << "v";
    QTest::newRow("one pair only") << QByteArray("[a]\r\nk=\"\"v\"\"\r\n") << "a"
                                   << "k" << true << "\"v\"";
    QTest::newRow("unmatched quotes kept") << QByteArray("[a]\r\nk=\"v'\r\n") << "a"
                                           << "k" << true << "\"v'";
    QTest::newRow("lone quote kept") << QByteArray("[a]\r\nk=\"\r\n") << "a"
                                     << "k" << true << "\"";
    QTest::newRow("empty value") << QByteArray("[display]\r\nlistCol1=\r\n") << "display"
                                 << "listCol1" << true << "";
    QTest::newRow("equals in value") << QByteArray("[a]\r\nk=x=y\r\n") << "a"
                                     << "k" << true << "x=y";
    QTest::newRow("first key wins") << QByteArray("[a]\r\nk=1\r\nK=2\r\n") << "a"
                                    << "k" << true << "1";
    QTest::newRow("first section wins") << QByteArray("[a]\r\nk=1\r\n[A]\r\nk=2\r\n") << "a"
                                        << "k" << true << "1";
    QTest::newRow("key of another section") << QByteArray("[a]\r\nx=1\r\n[b]\r\nk=2\r\n") << "a"
                                            << "k" << false << "";
    QTest::newRow("key before any section") << QByteArray("k=1\r\n[a]\r\n") << "a"
                                            << "k" << false << "";
    QTest::newRow("missing section") << plain << "font"
                                     << "name" << false << "";
    QTest::newRow("missing key") << plain << "display"
                                 << "listCol3" << false << "";
    QTest::newRow("empty file") << QByteArray() << "a"
                                << "k" << false << "";
    QTest::newRow("comments and junk kept out")
        << QByteArray("; note\r\n[a]\r\n# remark\r\njunk line\r\nk=1\r\n") << "a"
        << "k" << true << "1";
    QTest::newRow("blanks in section line") << QByteArray("  [ a ]  \r\nk=1\r\n") << "a"
                                            << "k" << true << "1";
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[a]\r\nk=1\r\n") << "a"
                                     << "k" << true << "1";
    QTest::newRow("UTF-8 value") << QByteArray("[a]\r\nk=Crème\r\n") << "a"
                                 << "k" << true << QStringLiteral("Crème");
    QTest::newRow("Windows-1252 value") << QByteArray("[a]\r\nk=Cr\xE8me \x80\r\n") << "a"
                                        << "k" << true << QStringLiteral("Crème €");
    QTest::newRow("UTF-8 look-alike in a Windows-1252 file")
        << QByteArray("[a]\r\nk=\xC3\xA9\r\nj=\xE9\r\n") << "a"
        << "k" << true << QStringLiteral("Ã©");
    QTest::newRow("non-ASCII names")
        << QByteArray("[Größe]\r\nWert=1\r\n") << QStringLiteral("Größe") << "Wert" << true << "1";
}

void TestIniFile::value()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(bool, found);
    QFETCH(QString, value);
    const std::optional<QString> read = IniFile(file).value(section, key);
    QCOMPARE(read.has_value(), found);
    QCOMPARE(read.value_or(QString()), value);
}

void TestIniFile::longValueIsCut()
{
    const QByteArray value(40000, 'x');
    const IniFile ini("[a]\r\nk=" + value + "\r\n");
    QCOMPARE(ini.value(QStringLiteral("a"), QStringLiteral("k"))->size(),
             IniFile::MaximumValueLength);
}

void TestIniFile::setValue_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("new file") << QByteArray() << "frmShopping"
                              << "Height"
                              << " 8640" << QByteArray("[frmShopping]\r\nHeight= 8640\r\n");
    QTest::newRow("replace in place keeps all else")
        << QByteArray("; mine\n[A]\n  K  =  old value ; c\nz=1\n") << "a"
        << "k"
        << "new" << QByteArray("; mine\n[A]\n  K  =new\nz=1\n");
    QTest::newRow("replace keeps CR LF") << QByteArray("[a]\r\nk=1\r\nj=2\r\n") << "a"
                                         << "k"
                                         << "10" << QByteArray("[a]\r\nk=10\r\nj=2\r\n");
    QTest::newRow("replace the first of two") << QByteArray("[a]\r\nk=1\r\nk=2\r\n") << "a"
                                              << "K"
                                              << "3" << QByteArray("[a]\r\nk=3\r\nk=2\r\n");
    QTest::newRow("same value changes nothing") << QByteArray("[a]\nk= 5\n") << "a"
                                                << "k"
                                                << " 5" << QByteArray("[a]\nk= 5\n");
    QTest::newRow("key after last key, before blank lines")
        << QByteArray("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n") << "a"
        << "z"
        << "3" << QByteArray("[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
    QTest::newRow("key after last key, before a comment")
        << QByteArray("[a]\nx=1\n; about b\n[b]\n") << "a"
        << "z"
        << "3" << QByteArray("[a]\nx=1\nz=3\r\n; about b\n[b]\n");
    QTest::newRow("key into empty section") << QByteArray("[a]\r\n[b]\r\n") << "a"
                                            << "k"
                                            << "v" << QByteArray("[a]\r\nk=v\r\n[b]\r\n");
    QTest::newRow("key at end of last section") << QByteArray("[a]\r\nx=1\r\n") << "a"
                                                << "y"
                                                << "2" << QByteArray("[a]\r\nx=1\r\ny=2\r\n");
    QTest::newRow("last line without line end") << QByteArray("[a]\r\nx=1") << "a"
                                                << "y"
                                                << "2" << QByteArray("[a]\r\nx=1\r\ny=2\r\n");
    QTest::newRow("section at end") << QByteArray("[a]\nx=1\n") << "b"
                                    << "k"
                                    << "v" << QByteArray("[a]\nx=1\n[b]\r\nk=v\r\n");
    QTest::newRow("section after text without line end")
        << QByteArray("; only a note") << "b"
        << "k"
        << "v" << QByteArray("; only a note\r\n[b]\r\nk=v\r\n");
    QTest::newRow("byte order mark kept") << QByteArray("\xEF\xBB\xBF[a]\r\nk=1\r\n") << "a"
                                          << "k"
                                          << "2" << QByteArray("\xEF\xBB\xBF[a]\r\nk=2\r\n");
    QTest::newRow("empty value") << QByteArray("[a]\r\nk=1\r\n") << "a"
                                 << "k"
                                 << "" << QByteArray("[a]\r\nk=\r\n");
    QTest::newRow("key opening with a byte order mark")
        << QByteArray("[a]\r\n") << "a" << QStringLiteral("\uFEFFk") << "v"
        << QByteArray("[a]\r\n\xEF\xBB\xBFk=v\r\n");
    QTest::newRow("UTF-8 written")
        << QByteArray() << "font"
        << "name" << QStringLiteral("Crème") << QByteArray("[font]\r\nname=Crème\r\n");
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
    QTest::newRow("bracket in section") << "a]b"
                                        << "k"
                                        << "v";
    QTest::newRow("equals in key") << "a"
                                   << "k=j"
                                   << "v";
    QTest::newRow("line break in section") << "a\nb"
                                           << "k"
                                           << "v";
    QTest::newRow("line break in key") << "a"
                                       << "k\rj"
                                       << "v";
    QTest::newRow("line break in value") << "a"
                                         << "k"
                                         << "v\r\n[evil]";
    QTest::newRow("empty key") << "a"
                               << " "
                               << "v";
    QTest::newRow("empty section") << ""
                                   << "k"
                                   << "v";
    // "[k=v]" would read as a section line.
    QTest::newRow("key opening with a bracket") << "a"
                                                << " [k"
                                                << "v]";
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
    folder.write(QStringLiteral("shopping.ini"), before);
    WriteIniValue(section, key, value, folder.filePath(QStringLiteral("shopping.ini")));
    QCOMPARE(folder.read(QStringLiteral("shopping.ini")), before);
}

void TestIniFile::windows1252File()
{
    // Text that Windows-1252 can hold goes in as Windows-1252 and every old byte stays.
    IniFile ini(QByteArray("[a]\r\nk=Cr\xE8me\r\n"));
    QVERIFY(ini.setValue(QStringLiteral("a"), QStringLiteral("j"), QStringLiteral("€ é")));
    QCOMPARE(ini.bytes(), QByteArray("[a]\r\nk=Cr\xE8me\r\nj=\x80 \xE9\r\n"));

    // A file that ends in a Windows-1252 letter is no UTF-8 file waiting for more bytes.
    QCOMPARE(
        IniFile(QByteArray("[a]\r\nk=Caf\xE9")).value(QStringLiteral("a"), QStringLiteral("k")),
        std::optional<QString>(QString::fromUtf8("Café")));

    // Text that it cannot hold turns the file into UTF-8, so that both read back.
    QVERIFY(ini.setValue(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("Ωmega")));
    QCOMPARE(ini.bytes(), QStringLiteral("[a]\r\nk=Ωmega\r\nj=€ é\r\n").toUtf8());
    QCOMPARE(*ini.value(QStringLiteral("a"), QStringLiteral("j")), QStringLiteral("€ é"));
}

void TestIniFile::windows1252FileKeepsOtherValues_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    // The Windows-1252 bytes of "Ã©" happen to be the UTF-8 bytes of "é". Once the one byte
    // that is not UTF-8 is gone, the file must not start to read as UTF-8.
    QTest::newRow("old value replaced") << QByteArray("[a]\r\nk=\xC3\xA9\r\nj=Cr\xE8me\r\n") << "j"
                                        << "plain";
    QTest::newRow("new value that looks like UTF-8")
        << QByteArray("[a]\r\nk=x\r\nj=\xE8\r\n") << "j" << QStringLiteral("Ã©");
}

void TestIniFile::windows1252FileKeepsOtherValues()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QString section = QStringLiteral("a");
    const IniFile old(before);
    const QString other = key == u"k" ? QStringLiteral("j") : QStringLiteral("k");
    IniFile ini(before);
    QVERIFY(ini.setValue(section, key, value));
    const IniFile reread(ini.bytes());
    QCOMPARE(reread.value(section, key), std::optional<QString>(value));
    QCOMPARE(reread.value(section, other), old.value(section, other));
}

void TestIniFile::roundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("read");
    QTest::newRow("plain") << "Arial"
                           << "Arial";
    QTest::newRow("length with blank") << " 900"
                                       << "900";
    QTest::newRow("negative") << "-2147483640"
                              << "-2147483640";
    QTest::newRow("blanks around, inside kept") << "  a  b  "
                                                << "a  b";
    QTest::newRow("double quotes around") << "\"quoted\""
                                          << "\"quoted\"";
    QTest::newRow("single quotes around") << "'x'"
                                          << "'x'";
    QTest::newRow("quotes after blanks") << " \"x\" "
                                         << "\"x\"";
    QTest::newRow("quote at one end") << "\"x"
                                      << "\"x";
    QTest::newRow("tabs around") << "\tx\t"
                                 << "\tx\t";
    QTest::newRow("only a tab") << " \t "
                                << "\t";
    QTest::newRow("equals and brackets") << "[a]=b"
                                         << "[a]=b";
    QTest::newRow("semicolon") << ";x"
                               << ";x";
    QTest::newRow("non-ASCII") << QStringLiteral("日本 Ωmega") << QStringLiteral("日本 Ωmega");
    QTest::newRow("NUL ends the value")
        << QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("cd") << "ab";
    QTest::newRow("byte order mark first")
        << QStringLiteral("\uFEFFx") << QStringLiteral("\uFEFFx");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("only blanks") << "   "
                                 << "";
}

void TestIniFile::roundTrip()
{
    QFETCH(QString, value);
    QFETCH(QString, read);
    TestFolder folder;
    const Log log(folder.path(), QStringLiteral("shopping"));
    const QString file = folder.filePath(QStringLiteral("shopping.ini"));
    folder.write(QStringLiteral("shopping.ini"), "[s]\r\nk=old\r\n");
    for (const QString &key : {QStringLiteral("k"), QStringLiteral("new")}) {
        WriteIniValue(QStringLiteral("s"), key, value, file);
        QCOMPARE(ReadIniValue(file, QStringLiteral("s"), key, log), read);
    }
}

void TestIniFile::readIniValueWarnsOnce_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("warned");
    QTest::newRow("missing file") << QByteArray() << true;
    QTest::newRow("missing section") << QByteArray("[other]\r\nlistCol1=1\r\n") << true;
    QTest::newRow("missing key") << QByteArray("[display]\r\nlistCol2=1\r\n") << true;
    QTest::newRow("empty value") << QByteArray("[display]\r\nlistCol1=\r\n") << true;
    QTest::newRow("present") << QByteArray("[display]\r\nlistCol1= 900\r\n") << false;
}

void TestIniFile::readIniValueWarnsOnce()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, warned);
    TestFolder folder;
    if (!file.isEmpty()) {
        folder.write(QStringLiteral("shopping.ini"), file);
    }
    const Log log(folder.path(), QStringLiteral("shopping"));
    const QString path = folder.filePath(QStringLiteral("shopping.ini"));
    const qint16 threshold = LogLevel;
    LogLevel = 3;
    const QString value =
        ReadIniValue(path, QStringLiteral("display"), QStringLiteral("listCol1"), log);
    LogLevel = threshold;
    QCOMPARE(value, warned ? QString() : QStringLiteral("900"));
    const QByteArray logged = folder.read(QStringLiteral("shopping.log"));
    const QByteArray warning =
        "Warning - failed to read INI :file=" + path.toUtf8() + "    sect=display   key=listCol1";
    QCOMPARE(logged.count(warning), warned ? 1 : 0);
    QCOMPARE(folder.exists(QStringLiteral("shopping.ini")), !file.isEmpty());
}

void TestIniFile::writeCreatesFileAndKeepsUntouchedFile()
{
    TestFolder folder;
    const QString file = folder.filePath(QStringLiteral("shopping.ini"));
    WriteIniValue(QStringLiteral("font"), QStringLiteral("bold"), QStringLiteral("0"), file);
    WriteIniValue(QStringLiteral("font"), QStringLiteral("italic"), QStringLiteral("-1"), file);
    WriteIniValue(QStringLiteral("display"), QStringLiteral("listCol1"), QStringLiteral(" 900"),
                  file);
    WriteIniValue(QStringLiteral("FONT"), QStringLiteral("Bold"), QStringLiteral("-1"), file);
    QCOMPARE(folder.read(QStringLiteral("shopping.ini")),
             QByteArray("[font]\r\nbold=-1\r\nitalic=-1\r\n[display]\r\nlistCol1= 900\r\n"));
}

void TestIniFile::unreadableFileIsNotOverwritten()
{
    TestFolder folder;
    const QString file = folder.filePath(QStringLiteral("shopping.ini"));
    folder.write(QStringLiteral("shopping.ini"), "[a]\r\nk=1\r\n");
    QFile::setPermissions(file, QFileDevice::WriteOwner);
    if (QFile(file).open(QIODevice::ReadOnly)) {
        QSKIP("running with the rights to read any file");
    }
    WriteIniValue(QStringLiteral("a"), QStringLiteral("j"), QStringLiteral("2"), file);
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(folder.read(QStringLiteral("shopping.ini")), QByteArray("[a]\r\nk=1\r\n"));
}

void TestIniFile::failedWriteInPlaceKeepsTheOldFile()
{
    // A folder that refuses new files but holds a settings file anyone may write: the file is
    // written in place, and here the write runs out of room half-way.
    TestFolder folder;
    const QString file = folder.filePath(QStringLiteral("shopping.ini"));
    const QByteArray before = "[s]\r\nk=1\r\n[t]\r\nj=2\r\n";
    folder.write(QStringLiteral("shopping.ini"), before);
    QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther));
    QVERIFY(QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                     QFileDevice::ReadOther |
                                                     QFileDevice::ExeOther));
    // Permission bits do not stop root: the write runs as an ordinary user in a child process.
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(2);
        }
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit room{rlim_t(before.size() + 4), rlim_t(before.size() + 4)};
        ::setrlimit(RLIMIT_FSIZE, &room);
        WriteIniValue(QStringLiteral("s"), QStringLiteral("k"), QString(40, u'x'), file);
        ::_exit(0);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ExeOwner));
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(folder.read(QStringLiteral("shopping.ini")), before);
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"

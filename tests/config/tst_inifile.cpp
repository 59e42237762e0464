#include "common/Blanks.h"
#include "config/IniFile.h"
#include "config/Settings.h"
#include "log/Log.h"
#include "support/TestFolder.h"

#include <QFile>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using B = QByteArray;

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    // Every row looks up key "k" of section "a"; "-" means not found.
    void value_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("value");
        QTest::newRow("case of section and key") << B("[A]\r\nK=Arial\r\n") << u"Arial"_qs;
        QTest::newRow("LF line ends") << B("[b]\nk=1\n[a]\nk=2\n") << u"2"_qs;
        QTest::newRow("CR line ends") << B("[a]\rk=1\r") << u"1"_qs;
        QTest::newRow("no final line end") << B("[a]\r\nk=last") << u"last"_qs;
        QTest::newRow("blanks and tabs") << B("[ a ]\r\n \tk \t= \t v w \t\r\n") << u"v w"_qs;
        QTest::newRow("double quotes") << B("[a]\r\nk=\" v \"\r\n") << u" v "_qs;
        QTest::newRow("single quotes") << B("[a]\r\nk='v'\r\n") << u"v"_qs;
        QTest::newRow("one pair only") << B("[a]\r\nk=\"\"v\"\"\r\n") << u"\"v\""_qs;
        QTest::newRow("unmatched quotes kept") << B("[a]\r\nk=\"v'\r\n") << u"\"v'"_qs;
        QTest::newRow("lone quote kept") << B("[a]\r\nk=\"\r\n") << u"\""_qs;
        QTest::newRow("empty value") << B("[a]\r\nk=\r\n") << u""_qs;
        QTest::newRow("cut at NUL") << B("[a]\r\nk= 9 \0 0", 13) << u"9 \0 0"_qs;
        QTest::newRow("first key wins") << B("[a]\r\nk=1\r\nK=2\r\n") << u"1"_qs;
        QTest::newRow("first section wins") << B("[a]\r\nk=1\r\n[A]\r\nk=2\r\n") << u"1"_qs;
        QTest::newRow("key of another section") << B("[a]\r\nx=1\r\n[b]\r\nk=2\r\n") << u"-"_qs;
        QTest::newRow("missing section") << B("[b]\r\nk=1\r\n") << u"-"_qs;
        QTest::newRow("comments and junk")
            << B("; note\r\n[a]\r\n# remark\r\njunk line\r\n[broken\r\nk=1\r\n") << u"1"_qs;
        QTest::newRow("byte order mark") << B("\xEF\xBB\xBF[a]\r\nk=1\r\n") << u"1"_qs;
        QTest::newRow("Windows-1252") << B("[a]\r\nk=Cr\xE8me \x80\r\n") << u"Crème €"_qs;
        QTest::newRow("Windows-1252 letter last") << B("[a]\r\nk=Caf\xE9") << u"Café"_qs;
        QTest::newRow("UTF-8 look-alike in a Windows-1252 file")
            << B("[a]\r\nk=\xC3\xA9\r\nj=\xE9\r\n") << u"Ã©"_qs;
        QTest::newRow("long value cut") << B("[a]\r\nk=" + B(40000, 'x')) << QString(31999, u'x');
    }

    // Read through the file, the value also loses its spaces and whatever follows a NUL, and
    // a value that is missing or empty is warned of.
    void value()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, value);
        QCOMPARE(IniFile(file).value(u"a"_qs, u"k"_qs).value_or(u"-"_qs), value);
        TestFolder folder;
        const QString path = folder.filePath(u"shopping.ini"_qs);
        folder.write(u"shopping.ini"_qs, file);
        LogLevel = 3;
        const QString read =
            ReadIniValue(path, u"a"_qs, u"k"_qs, Log(folder.path(), u"shopping"_qs));
        LogLevel = 0;
        QCOMPARE(read, value == u"-" ? QString() : TrimBlanks(TextBeforeNull(value)));
        const QByteArray warning =
            "Warning - failed to read INI :file=" + path.toUtf8() + "    sect=a   key=k";
        QCOMPARE(folder.read(u"shopping.log"_qs).count(warning), read.isEmpty() ? 1 : 0);
    }

    // A row whose bytes stay as they were is a change that must be refused.
    void setValue_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        const B file("[a]\r\nk=1\r\n");
        QTest::newRow("new file") << B() << u"frmShopping"_qs << u"Height"_qs << u" 8640"_qs
                                  << B("[frmShopping]\r\nHeight= 8640\r\n");
        QTest::newRow("replace in place keeps all else")
            << B("; mine\n[A]\n  K  =  old value ; c\nz=1\n") << u" a"_qs << u"k "_qs << u"new"_qs
            << B("; mine\n[A]\n  K  =new\nz=1\n");
        QTest::newRow("replace the first of two")
            << B("[a]\r\nk=1\r\nk=2\r\n") << u"a"_qs << u"K"_qs << u"3"_qs
            << B("[a]\r\nk=3\r\nk=2\r\n");
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
            << B("[a]\nx=1") << u"b"_qs << u"k"_qs << u"v"_qs << B("[a]\nx=1\r\n[b]\r\nk=v\r\n");
        QTest::newRow("byte order mark kept")
            << B("\xEF\xBB\xBF[a]\r\nk=1\r\n") << u"a"_qs << u"k"_qs << u"2"_qs
            << B("\xEF\xBB\xBF[a]\r\nk=2\r\n");
        QTest::newRow("key opening with a byte order mark")
            << B("[a]\r\n") << u"a"_qs << u"\uFEFFk"_qs << u"v"_qs
            << B("[a]\r\n\xEF\xBB\xBFk=v\r\n");
        QTest::newRow("UTF-8 written") << B() << u"font"_qs << u"name"_qs << u"Crème"_qs
                                       << B("[font]\r\nname=Cr\xC3\xA8me\r\n");
        // Text that Windows-1252 can hold goes into such a file in Windows-1252.
        QTest::newRow("Windows-1252 file")
            << B("[a]\r\nk=Cr\xE8me\r\n") << u"a"_qs << u"j"_qs << u"€ é"_qs
            << B("[a]\r\nk=Cr\xE8me\r\nj=\x80 \xE9\r\n");
        // Text that it cannot hold turns the file into UTF-8, so that both read back.
        QTest::newRow("Windows-1252 file turned into UTF-8")
            << B("[a]\r\nk=Cr\xE8me\r\nj=\x80\r\n") << u"a"_qs << u"k"_qs << u"Ωmega"_qs
            << u"[a]\r\nk=Ωmega\r\nj=€\r\n"_qs.toUtf8();
        // The Windows-1252 bytes of "Ã©" are the UTF-8 bytes of "é": once the one byte that is
        // not UTF-8 is gone, or the new bytes look like UTF-8, the file would read differently.
        QTest::newRow("last Windows-1252 byte replaced")
            << B("[a]\r\nk=\xC3\xA9\r\nj=Cr\xE8me\r\n") << u"a"_qs << u"j"_qs << u"plain"_qs
            << u"[a]\r\nk=Ã©\r\nj=plain\r\n"_qs.toUtf8();
        QTest::newRow("new value that looks like UTF-8")
            << B("[a]\r\nk=x\r\nj=\xE8\r\n") << u"a"_qs << u"j"_qs << u"Ã©"_qs
            << u"[a]\r\nk=x\r\nj=Ã©\r\n"_qs.toUtf8();
        QTest::newRow("bracket in section") << file << u"a]b"_qs << u"k"_qs << u"v"_qs << file;
        QTest::newRow("equals in key") << file << u"a"_qs << u"k=j"_qs << u"v"_qs << file;
        QTest::newRow("NUL in key") << file << u"a"_qs << u"k\0"_qs << u"v"_qs << file;
        QTest::newRow("line break in section") << file << u"a\nb"_qs << u"k"_qs << u"v"_qs << file;
        QTest::newRow("CR in value") << file << u"a"_qs << u"k"_qs << u"v\r[x]"_qs << file;
        QTest::newRow("LF in value") << file << u"a"_qs << u"k"_qs << u"v\n[x]"_qs << file;
        QTest::newRow("blank key") << file << u"a"_qs << u" \t"_qs << u"v"_qs << file;
        // "[k=v]" would read as a section line.
        QTest::newRow("key opening with a bracket")
            << file << u"a"_qs << u" [k"_qs << u"v]"_qs << file;
    }

    void setValue()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        IniFile ini(before);
        const bool refused = before == after;
        QCOMPARE(ini.setValue(section, key, value), !refused);
        QCOMPARE(ini.bytes(), after);
        if (!refused) {
            QCOMPARE(ini.value(section, key), std::optional<QString>(value.trimmed()));
        }
    }

    // A write creates a missing file. A file too large to have been written by the program is
    // neither read nor overwritten.
    void writeCreatesAMissingFileAndKeepsAHugeOne()
    {
        TestFolder folder;
        const QString path = folder.filePath(u"shopping.ini"_qs);
        WriteIniValue(u"font"_qs, u"bold"_qs, u"-1"_qs, path);
        QCOMPARE(folder.read(u"shopping.ini"_qs), B("[font]\r\nbold=-1\r\n"));
        const B huge = "[font]\r\nbold=-1\r\n" + B(IniFile::MaximumFileSize, ';');
        folder.write(u"shopping.ini"_qs, huge);
        WriteIniValue(u"font"_qs, u"bold"_qs, u"0"_qs, path);
        QCOMPARE(folder.read(u"shopping.ini"_qs), huge);
        QCOMPARE(ReadIniValue(path, u"font"_qs, u"bold"_qs, Log(folder.path(), u"shopping"_qs)),
                 QString());
    }

    void failedWriteInPlaceKeepsTheOldFile()
    {
        // A folder that refuses new files: the file is written in place, and runs out of room.
        // The write runs as an ordinary user in a child process, since permissions do not stop
        // root.
        TestFolder folder;
        const QString file = folder.filePath(u"shopping.ini"_qs);
        const QByteArray before = "[s]\r\nk=1\r\n[t]\r\nj=2\r\n";
        folder.write(u"shopping.ini"_qs, before);
        QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0666), 0);
        QCOMPARE(::chmod(QFile::encodeName(folder.path()).constData(), 0555), 0);
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
        QCOMPARE(::chmod(QFile::encodeName(folder.path()).constData(), 0700), 0);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(folder.read(u"shopping.ini"_qs), before);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"

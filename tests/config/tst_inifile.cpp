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

// That a write reads back as written, changes no other setting and breaks no line, whatever the
// file, names and value, is the settings fuzz target's; these are the rules it cannot know.
class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void init() { LogLevel = 3; }
    void cleanup() { LogLevel = 0; }

    // Every row looks up key "k" of section "a"; "-" means not found.
    void value_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("value");
        QTest::newRow("case of section and key") << B("[A]\r\nK=Arial\r\n") << u"Arial"_qs;
        QTest::newRow("LF and CR line ends, none last") << B("[b]\nk=1\n[a]\rj=0\rk=2") << u"2"_qs;
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
        folder.write(u"shopping.ini"_qs, file);
        const QString path = folder.filePath(u"shopping.ini"_qs);
        const QString read =
            ReadIniValue(path, u"a"_qs, u"k"_qs, Log(folder.path(), u"shopping"_qs));
        QCOMPARE(read, value == u"-" ? QString() : TrimBlanks(TextBeforeNull(value)));
        const B warning =
            "Warning - failed to read INI :file=" + path.toUtf8() + "    sect=a   key=k";
        QCOMPARE(folder.read(u"shopping.log"_qs).contains(warning), read.isEmpty());
    }

    // The file before (none: missing), the change as "section|key|value", the file after. A
    // row whose bytes stay as they were is a change that must be refused.
    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QByteArray>("after");
        const B file("[a]\r\nk=1\r\n");
        QTest::newRow("missing file, UTF-8 written")
            << B() << u"font|name| Crème"_qs << B("[font]\r\nname= Cr\xC3\xA8me\r\n");
        QTest::newRow("replace in place keeps all else")
            << B("; mine\n[A]\n  K  =  old value ; c\nz=1\n") << u" a|k |new"_qs
            << B("; mine\n[A]\n  K  =new\nz=1\n");
        QTest::newRow("key after last key, before blank lines and comments")
            << B("[a]\nx=1\n\n; about b\n[b]\n") << u"a|z|3"_qs
            << B("[a]\nx=1\nz=3\r\n\n; about b\n[b]\n");
        QTest::newRow("section at end")
            << B("[a]\nx=1") << u"b|k|v"_qs << B("[a]\nx=1\r\n[b]\r\nk=v\r\n");
        QTest::newRow("byte order mark kept")
            << B("\xEF\xBB\xBF[a]\r\nk=1\r\n") << u"a|k|2"_qs << B("\xEF\xBB\xBF[a]\r\nk=2\r\n");
        QTest::newRow("key opening with a byte order mark")
            << B("[a]\r\n") << u"a|\uFEFFk|v"_qs << B("[a]\r\n\xEF\xBB\xBFk=v\r\n");
        // Text that Windows-1252 can hold goes into such a file in Windows-1252.
        QTest::newRow("Windows-1252 file") << B("[a]\r\nk=Cr\xE8me\r\n") << u"a|j|€ é"_qs
                                           << B("[a]\r\nk=Cr\xE8me\r\nj=\x80 \xE9\r\n");
        QTest::newRow("bracket in section") << file << u"a]b|k|v"_qs << file;
        QTest::newRow("line break in section") << file << u"a\nb|k|v"_qs << file;
        QTest::newRow("equals in key") << file << u"a|k=j|v"_qs << file;
        QTest::newRow("NUL in key") << file << u"a|k\0|v"_qs << file;
        QTest::newRow("blank key") << file << u"a| \t|v"_qs << file;
        // "[k=v]" would read as a section line.
        QTest::newRow("key opening with a bracket") << file << u"a| [k|v]"_qs << file;
        // Too large to have been written by the program: neither read nor overwritten.
        const B huge = file + B(IniFile::MaximumFileSize, ';');
        QTest::newRow("huge file") << huge << u"a|k|2"_qs << huge;
    }

    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, change);
        QFETCH(QByteArray, after);
        const QStringList parts = change.split(u'|'); // section, key, value
        TestFolder folder;
        const QString path = folder.filePath(u"shopping.ini"_qs);
        if (!before.isNull()) {
            folder.write(u"shopping.ini"_qs, before);
        }
        WriteIniValue(parts[0], parts[1], parts[2], path);
        QCOMPARE(folder.read(u"shopping.ini"_qs), after);
        const QString read =
            ReadIniValue(path, parts[0], parts[1], Log(folder.path(), u"shopping"_qs));
        if (before != after || before.size() > IniFile::MaximumFileSize) {
            QCOMPARE(read, before == after ? QString() : TrimBlanks(parts[2]));
        }
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
            const bool user = ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0);
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit room{rlim_t(before.size() + 4), rlim_t(before.size() + 4)};
            ::setrlimit(RLIMIT_FSIZE, &room);
            WriteIniValue(u"s"_qs, u"k"_qs, QString(40, u'x'), file);
            ::_exit(user ? 0 : 2);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QCOMPARE(::chmod(QFile::encodeName(folder.path()).constData(), 0700), 0);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QCOMPARE(folder.read(u"shopping.ini"_qs), before);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"

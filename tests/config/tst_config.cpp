#include "common/Blanks.h"
#include "config/ColorValue.h"
#include "config/IniFile.h"
#include "config/Settings.h"
#include "config/ViewSettings.h"
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

class TestConfig : public QObject
{
    Q_OBJECT

private slots:
    // That a write reads back as written, changes no other setting and breaks no line, whatever the
    // file, names and value, is the settings fuzz target's; these are the rules it cannot know.
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
        QTest::newRow("quotes that do not pair")
            << B("[a]\r\n") << u"a|k|\"x'"_qs << B("[a]\r\nk=\"x'\r\n");
        QTest::newRow("section at end")
            << B("[a]\nx=1") << u"b|k|v"_qs << B("[a]\nx=1\r\n[b]\r\nk=v\r\n");
        QTest::newRow("byte order mark kept")
            << B("\xEF\xBB\xBF[a]\r\nk=1\r\n") << u"a|k|2"_qs << B("\xEF\xBB\xBF[a]\r\nk=2\r\n");
        QTest::newRow("key opening with a byte order mark")
            << B("[a]\r\n") << u"a|\uFEFFk|v"_qs << B("[a]\r\n\xEF\xBB\xBFk=v\r\n");
        // Text that Windows-1252 can hold goes into such a file in Windows-1252.
        QTest::newRow("Windows-1252 file") << B("[a]\r\nk=Cr\xE8me\r\n") << u"a|j|€ é"_qs
                                           << B("[a]\r\nk=Cr\xE8me\r\nj=\x80 \xE9\r\n");
        // Written in Windows-1252 this file would read as UTF-8 ("é"): it turns into UTF-8 first.
        QTest::newRow("Windows-1252 bytes that would read as UTF-8")
            << B("[a]\r\nk=\xE8\r\n") << u"a|k|Ã©"_qs << B("[a]\r\nk=\xC3\x83\xC2\xA9\r\n");
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
    }

    void noWriteInPlace()
    {
        // A folder that refuses new files, and a process killed at its first write: the file is
        // never truncated to be written in place. The write runs as an ordinary user in a child
        // process, since permissions do not stop root.
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
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit none{0, 0};
            ::setrlimit(RLIMIT_FSIZE, &none);
            WriteIniValue(u"s"_qs, u"k"_qs, QString(40, u'x'), file);
            ::_exit(user ? 0 : 2);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QCOMPARE(::chmod(QFile::encodeName(folder.path()).constData(), 0700), 0);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QCOMPARE(folder.read(u"shopping.ini"_qs), before);
    }

    // How the view settings' texts read, as text, by the rule that opens the row's name: a column
    // width (designed 2200), a font size in a locale as it is written back ("-": not taken), a
    // colour as the colour it names ("none") and the colour text is drawn in ("-": not taken), and
    // a kept length as the twips written for "twips read, pixels shown, pixels now" at 15 twips a
    // pixel.
    void rules_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read");
        QTest::newRow("width: empty") << u""_qs << u"2200"_qs;
        QTest::newRow("width: zero") << u"0"_qs << u"2200"_qs;
        QTest::newRow("width: smallest, rounded") << u"0.6 twips"_qs << u"1"_qs;
        QTest::newRow("width: beyond 16 bits") << u"32767.5"_qs << u"2200"_qs;
        QTest::newRow("size en_US: fraction") << u" 9.75"_qs << u"9.75"_qs;
        QTest::newRow("size de_DE: locale comma") << u"9,75"_qs << u"9,75"_qs;
        QTest::newRow("size de_DE: full stop in comma locale") << u"9.5"_qs << u"9,5"_qs;
        QTest::newRow("size en_US: whole, no group separator") << u"2000.000"_qs << u"2000"_qs;
        QTest::newRow("size en_US: four decimals") << u"8.123456"_qs << u"8.1235"_qs;
        QTest::newRow("size en_US: number then text") << u"12pt"_qs << u"-"_qs;
        QTest::newRow("size en_US: zero") << u"0"_qs << u"-"_qs;
        QTest::newRow("size en_US: written as zero") << u"0.00004"_qs << u"-"_qs;
        QTest::newRow("size en_US: largest") << u"2160"_qs << u"2160"_qs;
        QTest::newRow("size en_US: too large") << u"2160.5"_qs << u"-"_qs;
        QTest::newRow("colour: red") << u"255"_qs << u"#ff0000 #ff0000"_qs;
        QTest::newRow("colour: blue, blanks around") << u" 16711680 "_qs << u"#0000ff #0000ff"_qs;
        // The system colours come from the test's own palette.
        QTest::newRow("colour: system window text") << u"-2147483640"_qs << u"#010203 #010203"_qs;
        QTest::newRow("colour: last system colour") << u"-2147483624"_qs << u"#070809 #070809"_qs;
        QTest::newRow("colour: no such system colour") << u"-2147483623"_qs << u"none #010203"_qs;
        QTest::newRow("colour: bits above 24") << u"16777471"_qs << u"none #ff0000"_qs;
        QTest::newRow("colour: number then text") << u"12abc"_qs << u"-"_qs;
        QTest::newRow("colour: beyond 32 bits") << u"4294967296"_qs << u"-"_qs;
        QTest::newRow("length: unchanged, not a pixel multiple") << u"1340 89 89"_qs << u"1340"_qs;
        QTest::newRow("length: changed") << u"1340 89 100"_qs << u"1500"_qs;
        QTest::newRow("length: never read") << u"0 -1 40"_qs << u"600"_qs;
        QTest::newRow("length: fraction read is not kept") << u"7000.4 467 467"_qs << u"7005"_qs;
        QTest::newRow("length: absurd read is not kept") << u"1e300 0 0"_qs << u"0"_qs;
        QTest::newRow("length: negative place") << u"-120 -8 -8"_qs << u"-120"_qs;
    }

    void rules()
    {
        const QString rule = QString::fromUtf8(QTest::currentDataTag()).section(u':', 0, 0);
        QFETCH(QString, text);
        QFETCH(QString, read);
        QString got = u"-"_qs;
        if (rule == u"width") {
            got = QString::number(ColumnWidthFromText(text, 2200));
        } else if (rule.startsWith(u"size")) {
            const QLocale locale(rule.section(u' ', 1));
            if (const std::optional<double> size = FontSizeFromText(text, locale)) {
                got = FontSizeText(*size, locale);
            }
        } else if (rule == u"colour") {
            QPalette palette;
            palette.setColor(QPalette::Text, QColor(1, 2, 3));
            palette.setColor(QPalette::WindowText, QColor(1, 2, 3));
            palette.setColor(QPalette::ToolTipBase, QColor(7, 8, 9));
            if (const std::optional<qint32> value = ColorValueFromText(text)) {
                const std::optional<QColor> color = ColorFromValue(*value, palette);
                got = (color ? color->name() : u"none"_qs) + u' ' +
                      DrawingColor(*value, palette).name();
                QVERIFY(!color || *value < 0 || ColorValue(*color) == *value);
            }
        } else {
            const QStringList numbers = text.split(u' ');
            const KeptLength kept{numbers[0].toDouble(), numbers[1].toInt()};
            got = QString::number(kept.twipsFor(numbers[2].toInt(), 15.0));
        }
        QCOMPARE(got, read);
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"

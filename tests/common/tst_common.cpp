#include "common/FileAccess.h"
#include "common/NumberText.h"
#include "common/ProgramFolders.h"
#include "common/TextDecoding.h"
#include "support/TestFolder.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <unistd.h>

namespace {

// The catalogue as installed, "name=text".
const QStringList installedCatalogue{"Bakery.txt=Bread", "Dairy.txt=Milk", "headings.txt=Dairy"};

void writeFiles(const TestFolder &root, const QString &folder, const QStringList &files)
{
    QDir(root.path()).mkpath(folder);
    for (const QString &file : files) {
        root.write(folder + u'/' + file.section(u'=', 0, 0), file.section(u'=', 1).toUtf8());
    }
}

} // namespace

class TestCommon : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumberValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("fraction") << u"1.5"_qs << 1.5;
        QTest::newRow("unit after") << u"2 kg"_qs << 2.0;
        QTest::newRow("comma is no decimal point") << u"1,5"_qs << 1.0;
        QTest::newRow("word") << u"two"_qs << 0.0;
        QTest::newRow("empty") << u""_qs << 0.0;
        QTest::newRow("blanks, tabs and line feeds skipped") << u" \t1 2\n3"_qs << 123.0;
        QTest::newRow("carriage return stops") << u"1\r2"_qs << 1.0;
        QTest::newRow("sign then blank") << u"- 3"_qs << -3.0;
        QTest::newRow("two signs") << u"+-4"_qs << 0.0;
        QTest::newRow("point first") << u".5"_qs << 0.5;
        QTest::newRow("second point stops") << u"1.2.3"_qs << 1.2;
        QTest::newRow("exponent D with blanks") << u"2D 2"_qs << 200.0;
        QTest::newRow("exponent d, blank after sign") << u"25d- 1"_qs << 2.5;
        QTest::newRow("exponent without digits") << u"7e"_qs << 7.0;
        QTest::newRow("exponent sign only") << u"7e+x"_qs << 7.0;
        QTest::newRow("huge") << u"-1e400"_qs << std::numeric_limits<double>::lowest();
        QTest::newRow("tiny") << u"1e-400"_qs << 0.0;
        QTest::newRow("exponent's leading zeros") << u"1e-000000000005"_qs << 1e-5;
    }

    void leadingNumberValue()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(LeadingNumberValue(text), value);
    }

    // Rounding halves to even, then the range checks of the 16- and 32-bit conversions.
    void rounding_data()
    {
        using I16 = std::optional<qint16>;
        using I32 = std::optional<qint32>;
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("rounded");
        QTest::addColumn<I16>("int16");
        QTest::addColumn<I32>("int32");
        QTest::newRow("0.5") << 0.5 << 0.0 << I16(0) << I32(0);
        QTest::newRow("1.5") << 1.5 << 2.0 << I16(2) << I32(2);
        QTest::newRow("-2.5") << -2.5 << -2.0 << I16(-2) << I32(-2);
        QTest::newRow("16-bit top") << 32767.4 << 32767.0 << I16(32767) << I32(32767);
        QTest::newRow("rounds beyond 16 bits") << 32767.5 << 32768.0 << I16() << I32(32768);
        QTest::newRow("16-bit bottom") << -32768.5 << -32768.0 << I16(-32768) << I32(-32768);
        QTest::newRow("below 16 bits") << -32769.0 << -32769.0 << I16() << I32(-32769);
        QTest::newRow("32-bit top") << 2147483647.0 << 2147483647.0 << I16() << I32(2147483647);
        QTest::newRow("beyond 32 bits") << 2147483648.0 << 2147483648.0 << I16() << I32();
        QTest::newRow("32-bit bottom")
            << -2147483648.0 << -2147483648.0 << I16() << I32(std::numeric_limits<qint32>::min());
        QTest::newRow("below 32 bits") << -2147483649.0 << -2147483649.0 << I16() << I32();
        QTest::newRow("not a number") << std::nan("") << std::nan("") << I16() << I32();
    }

    void rounding()
    {
        QFETCH(double, value);
        QFETCH(double, rounded);
        QFETCH(std::optional<qint16>, int16);
        QFETCH(std::optional<qint32>, int32);
        QCOMPARE(RoundHalfEven(value), rounded);
        QCOMPARE(ToInt16(value), int16);
        QCOMPARE(ToInt32(value), int32);
    }

    void shortestDecimal_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("negative") << -3.0 << u"-3"_qs;
        QTest::newRow("1e15") << 1e15 << u"1E+15"_qs;
        QTest::newRow("smaller") << 0.00001 << u"1E-05"_qs;
        QTest::newRow("binary fraction noise") << 0.1 + 0.2 << u"0.3"_qs;
        QTest::newRow("infinite") << -HUGE_VAL << u"-1.79769313486232E+308"_qs;
    }

    void shortestDecimal()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(ShortestDecimal(value), text);
    }

    // A negative length puts its sign where a positive one has a blank; the start-up tests read
    // positive ones back from the settings file.
    void lengthText() { QCOMPARE(LengthText(-120), u"-120"_qs); }

    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << u""_qs << QStringList();
        QTest::newRow("CR LF") << u"a\r\nb\r\n"_qs << QStringList{"a", "b"};
        QTest::newRow("CR") << u"a\rb\r"_qs << QStringList{"a", "b"};
        QTest::newRow("last line without end") << u"a\r\nb"_qs << QStringList{"a", "b"};
        QTest::newRow("LF CR is two ends") << u"a\n\rb"_qs << QStringList{"a", "", "b"};
        QTest::newRow("empty lines") << u"\r\n\n\r"_qs << QStringList{"", "", ""};
    }

    void splitLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(SplitLines(text), lines);
        // The count taken on the bytes, before a file is decoded, agrees.
        QCOMPARE(LineCount(text.toUtf8()), lines.size());
    }

    // Line ends and plain ASCII are found on the bytes a word at a time: at every length and
    // place they agree with the decoded text.
    void lineEndsOnBytes()
    {
        QRandomGenerator random(20261209);
        const QByteArray alphabet("\r\n\r\nab\x7F\x80\xC3\xA9\xFF", 11);
        for (int round = 0; round < 4000; ++round) {
            QByteArray bytes;
            for (int n = int(random.bounded(40)); n > 0; --n) {
                bytes += alphabet[random.bounded(alphabet.size())];
            }
            QCOMPARE(LineCount(bytes), SplitLines(DecodeText(bytes)).size());
            const qsizetype from = random.bounded(bytes.size() + 1);
            qsizetype end = from;
            while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') {
                ++end;
            }
            QCOMPARE(FindLineEnd(bytes, from), end);
            QCOMPARE(IsAscii(bytes), std::all_of(bytes.cbegin(), bytes.cend(), [](char c) {
                         return static_cast<unsigned char>(c) < 0x80;
                     }));
        }
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("BOM dropped") << QByteArray("\xEF\xBB\xBFMilk") << u"Milk"_qs;
        // A lead byte at the very end is not the start of a character still to come.
        QTest::newRow("Windows-1252 letter last") << QByteArray("Caf\xE9") << u"Café"_qs;
        QTest::newRow("UTF-8 cut short at the end")
            << QByteArray("Cr\xC3\xA8me \xC3") << u"CrÃ¨me Ã"_qs;
        QTest::newRow("NUL kept") << QByteArray("a\0b", 3) << QStringView(u"a\0b", 3).toString();
        // One stray byte spoils only its own line; a byte order mark is dropped only at the start.
        QTest::newRow("one Windows-1252 line")
            << QByteArray("Cr\xC3\xA8me\r\nCaf\xE9\n\n\xEF\xBB\xBFTh\xC3\xA9")
            << u"Crème\r\nCafé\n\n\uFEFFThé"_qs;
    }

    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DecodeText(bytes), text);
    }

    // Both ways through the one table.
    void windows1252_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("euro, and the five bytes left undefined")
            << QByteArray("\x80\x81\x8D\x8F\x90\x9D") << u"€\u0081\u008D\u008F\u0090\u009D"_qs;
        QTest::newRow("edges of the table")
            << QByteArray("\x7F\x9F\xA0\xFF") << u"\u007FŸ\u00A0ÿ"_qs;
    }

    void windows1252()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DecodeWindows1252(bytes), text);
        QCOMPARE(EncodeWindows1252(text), bytes);
        // What it cannot hold: a control character the table replaces, and beyond Latin-1.
        QVERIFY(!EncodeWindows1252(u"\u0080"_qs) && !EncodeWindows1252(u"Ω"_qs));
    }

    void fileReadUpToItsLimit()
    {
        TestFolder folder;
        folder.write(u"plain.txt"_qs, "x");
        QByteArray bytes;
        FileError error;
        // Started with its standard input closed, the program gets descriptor 0 for a file.
        const int input = ::dup(STDIN_FILENO);
        ::close(STDIN_FILENO);
        const bool read = ReadRegularFile(folder.filePath(u"plain.txt"_qs), bytes, error, 1);
        ::dup2(input, STDIN_FILENO);
        ::close(input);
        QVERIFY(read);
        QCOMPARE(bytes, QByteArray("x"));
        QVERIFY(!ReadRegularFile(folder.filePath(u"plain.txt"_qs), bytes, error, 0));
        QCOMPARE(error.number, EFBIG);
        // A system file that says it is empty and never ends is read only up to the limit.
        QVERIFY(QFile::link(u"/proc/self/pagemap"_qs, folder.filePath(u"endless"_qs)));
        QVERIFY(!ReadRegularFile(folder.filePath(u"endless"_qs), bytes, error, 4096));
        QCOMPARE(error.number, EFBIG);
    }

    // The program folder is the executable's when the catalogue lies beside it; otherwise the
    // user's XDG folders are, and the dialogs start in the documents folder when there is one.
    void programFolders_data()
    {
        QTest::addColumn<QString>("beside");
        QTest::addColumn<int>("xdg");             // the XDG variables: 0 unset, 1 set, 2 relative
        QTest::addColumn<QStringList>("folders"); // settings, log, catalogue, dialogs
        const QStringList inBin(4, u"usr/bin"_qs);
        QTest::newRow("catalogue beside") << u"headings.txt"_qs << 1 << inBin;
        QTest::newRow("beside, any case") << u"HEADINGS.TXT"_qs << 0 << inBin;
        QTest::newRow("installed")
            << QString() << 1 << QStringList{"c/shopping", "s/shopping", "d/shopping", "Docs"};
        const QStringList byDefault{"home/.config/shopping", "home/.local/state/shopping",
                                    "home/.local/share/shopping", "home"};
        QTest::newRow("installed, XDG unset, no documents") << QString() << 0 << byDefault;
        QTest::newRow("relative XDG counts as unset") << QString() << 2 << byDefault;
    }

    void programFolders()
    {
        QFETCH(QString, beside);
        QFETCH(int, xdg);
        QFETCH(QStringList, folders);
        TestFolder root;
        QDir(root.path()).mkpath(u"usr/bin"_qs);
        if (!beside.isEmpty()) {
            root.write(u"usr/bin/"_qs + beside, "Dairy");
        }
        const auto variable = [&](const QString &name) {
            return xdg == 0 ? QString() : xdg == 2 ? name : root.filePath(name);
        };
        QDir(root.path()).mkpath(xdg == 1 ? u"Docs"_qs : u"home"_qs);
        const ProgramFolders decided = ProgramFolders::decide(
            {root.filePath(u"usr/bin"_qs), root.filePath(u"home"_qs), variable(u"c"_qs),
             variable(u"s"_qs), variable(u"d"_qs), root.filePath(u"Docs"_qs)});
        QCOMPARE(decided.installed, beside.isEmpty());
        QCOMPARE(QStringList({decided.settings, decided.log, decided.catalogue, decided.dialogs})
                     .replaceInStrings(root.path() + u'/', QString()),
                 folders);
    }

    // An installed program's first start copies the catalogue to the user, never over a file
    // there, and reads the installed one when the user's folder cannot be written.
    void firstStart_data()
    {
        QTest::addColumn<QStringList>("before"); // the user's catalogue files, "name=text"
        QTest::addColumn<QStringList>("after");
        QTest::newRow("first start") << QStringList() << installedCatalogue;
        QTest::newRow("the user's own file stays")
            << QStringList{"dairy.txt=Mine"}
            << QStringList{"Bakery.txt=Bread", "dairy.txt=Mine", "headings.txt=Dairy"};
        QTest::newRow("a catalogue there is left alone")
            << QStringList{"HEADINGS.TXT=Mine"} << QStringList{"HEADINGS.TXT=Mine"};
        QTest::newRow("not writable") << QStringList{"blocked"} << QStringList();
    }

    void firstStart()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        TestFolder root;
        writeFiles(root, u"usr/share/shopping/catalogue"_qs, installedCatalogue);
        writeFiles(root, u"data/shopping"_qs, before);
        const bool blocked = before == QStringList{"blocked"};
        const QString data = root.filePath(blocked ? u"data/shopping/blocked"_qs : u"data"_qs);
        ProgramFolders folders = ProgramFolders::decide(
            {root.filePath(u"usr/bin"_qs), root.path(), root.filePath(u"config"_qs),
             root.filePath(u"state"_qs), data, root.path()});
        folders.prepare();
        QVERIFY(QFileInfo(folders.settings).isDir() && QFileInfo(folders.log).isDir());
        // A base folder that was not there is the user's alone.
        QVERIFY(!(QFile::permissions(root.filePath(u"config"_qs)) &
                  (QFile::ReadGroup | QFile::ReadOther)));
        QCOMPARE(folders.catalogue, blocked ? folders.installedCatalogue : data + u"/shopping"_qs);
        QStringList files;
        for (const QString &name : QDir(data + u"/shopping"_qs).entryList(QDir::Files)) {
            files << name + u'=' + root.read(u"data/shopping/"_qs + name);
        }
        QCOMPARE(files, after);
    }
};

QTEST_GUILESS_MAIN(TestCommon)
#include "tst_common.moc"

#include "common/FileAccess.h"
#include "common/TextDecoding.h"
#include "support/TestFolder.h"

#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

class TestTextDecoding : public QObject
{
    Q_OBJECT

private slots:
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

    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTF-8") << QByteArray("Cr\xC3\xA8me") << u"Crème"_qs;
        QTest::newRow("BOM dropped") << QByteArray("\xEF\xBB\xBFMilk") << u"Milk"_qs;
        // A lead byte at the very end is not the start of a character still to come.
        QTest::newRow("Windows-1252 letter last") << QByteArray("Caf\xE9") << u"Café"_qs;
        QTest::newRow("UTF-8 cut short at the end")
            << QByteArray("Cr\xC3\xA8me \xC3") << u"CrÃ¨me Ã"_qs;
        QTest::newRow("NUL kept") << QByteArray("a\0b", 3) << QStringView(u"a\0b", 3).toString();
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

    void onlyRegularFilesAreRead()
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
        QVERIFY(!ReadRegularFile(folder.filePath(u"missing.txt"_qs), bytes, error));
        QCOMPARE(error.number, ENOENT);
        QVERIFY(!ReadRegularFile(folder.path(), bytes, error));
        QCOMPARE(error.description, u"Is a directory"_qs);
        // A pipe nobody writes to must not block the reader.
        const QByteArray fifo = QFile::encodeName(folder.filePath(u"pipe.txt"_qs));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        QVERIFY(!ReadRegularFile(QString::fromLocal8Bit(fifo), bytes, error));
    }
};

QTEST_GUILESS_MAIN(TestTextDecoding)
#include "tst_textdecoding.moc"

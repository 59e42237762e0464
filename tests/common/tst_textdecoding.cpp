#include "common/FileAccess.h"
#include "common/TextDecoding.h"
#include "support/TestFolder.h"

#include <QTest>

#include <sys/stat.h>

class TestTextDecoding : public QObject
{
    Q_OBJECT

private slots:
    void splitLines_data();
    void splitLines();
    void decode_data();
    void decode();
    void onlyRegularFilesAreRead();
};

void TestTextDecoding::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << u""_qs << QStringList();
    QTest::newRow("CR LF") << u"a\r\nb\r\n"_qs << QStringList{"a", "b"};
    QTest::newRow("CR") << u"a\rb\r"_qs << QStringList{"a", "b"};
    QTest::newRow("last line without end") << u"a\r\nb"_qs << QStringList{"a", "b"};
    QTest::newRow("LF CR is two ends") << u"a\n\rb"_qs << QStringList{"a", "", "b"};
}

void TestTextDecoding::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(SplitLines(text), lines);
    // The count taken on the bytes, before a file is decoded, agrees.
    QCOMPARE(LineCount(text.toUtf8()), lines.size());
}

void TestTextDecoding::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("UTF-8") << QByteArray("Cr\xC3\xA8me") << QString::fromUtf8("Crème");
    QTest::newRow("BOM dropped") << QByteArray("\xEF\xBB\xBFMilk") << u"Milk"_qs;
    QTest::newRow("Windows-1252") << QByteArray("Cr\xE8me \x80 \x93q\x94")
                                  << QString::fromUtf8("Crème € “q”");
    QTest::newRow("undefined 1252 byte") << QByteArray("a\x81z") << QString::fromUtf8("a\u0081z");
    // A lead byte at the very end is not the start of a character still to come.
    QTest::newRow("Windows-1252 letter last") << QByteArray("Caf\xE9") << QString::fromUtf8("Café");
    QTest::newRow("UTF-8 cut short at the end")
        << QByteArray("Cr\xC3\xA8me \xC3") << QString::fromUtf8("CrÃ¨me Ã");
    QTest::newRow("NUL kept") << QByteArray("a\0b", 3) << QStringView(u"a\0b", 3).toString();
}

void TestTextDecoding::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeText(bytes), text);
}

void TestTextDecoding::onlyRegularFilesAreRead()
{
    TestFolder folder;
    folder.write(u"plain.txt"_qs, "x");
    QByteArray bytes;
    FileError error;
    QVERIFY(ReadRegularFile(folder.filePath(u"plain.txt"_qs), bytes, error));
    QCOMPARE(bytes, QByteArray("x"));
    QVERIFY(!ReadRegularFile(folder.filePath(u"missing.txt"_qs), bytes, error));
    QCOMPARE(error.number, 2);
    QVERIFY(!ReadRegularFile(folder.path(), bytes, error));
    QCOMPARE(error.description, u"Is a directory"_qs);
    // A pipe nobody writes to must not block the reader.
    const QByteArray fifo = QFile::encodeName(folder.filePath(u"pipe.txt"_qs));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    QVERIFY(!ReadRegularFile(QString::fromLocal8Bit(fifo), bytes, error));
}

QTEST_GUILESS_MAIN(TestTextDecoding)
#include "tst_textdecoding.moc"

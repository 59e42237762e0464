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
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("CR") << "a\rb\r" << QStringList{"a", "b"};
    QTest::newRow("LF") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("last line without end") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("empty lines kept") << "\r\n\r\na" << QStringList{"", "", "a"};
    QTest::newRow("LF CR is two ends") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("lone line end") << "\r\n" << QStringList{""};
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
    QTest::newRow("ASCII") << QByteArray("Milk") << "Milk";
    QTest::newRow("UTF-8") << QByteArray("Cr\xC3\xA8me") << QString::fromUtf8("Crème");
    QTest::newRow("BOM dropped") << QByteArray("\xEF\xBB\xBFMilk") << "Milk";
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
    folder.write(QStringLiteral("plain.txt"), "x");
    QByteArray bytes;
    FileError error;
    QVERIFY(ReadRegularFile(folder.filePath(QStringLiteral("plain.txt")), bytes, error));
    QCOMPARE(bytes, QByteArray("x"));
    QVERIFY(!ReadRegularFile(folder.filePath(QStringLiteral("missing.txt")), bytes, error));
    QCOMPARE(error.number, 2);
    QVERIFY(!ReadRegularFile(folder.path(), bytes, error));
    QCOMPARE(error.description, QStringLiteral("Is a directory"));
    // A pipe nobody writes to must not block the reader.
    const QByteArray fifo = QFile::encodeName(folder.filePath(QStringLiteral("pipe.txt")));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    QVERIFY(!ReadRegularFile(QString::fromLocal8Bit(fifo), bytes, error));
}

QTEST_GUILESS_MAIN(TestTextDecoding)
#include "tst_textdecoding.moc"

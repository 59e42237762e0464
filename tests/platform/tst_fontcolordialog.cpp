#include "platform/FontColorDialog.h"
#include "platform/Platform.h"
#include "platform/QtPlatform.h"

#include <QComboBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTest>

// The screen font chooser holds Qt's font dialog inside; keys that close a dialog must close
// the whole chooser, never only the part inside it.
class TestFontColorDialog : public QObject
{
    Q_OBJECT

private slots:
    void keysCloseTheWholeDialog_data()
    {
        QTest::addColumn<int>("part"); // 0 the family list, 1 the style list, 2 the size box
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        const char *parts[] = {"family list", "style list", "size box"};
        for (int part = 0; part < 3; ++part) {
            const QByteArray name(parts[part]);
            QTest::newRow(name + ", Escape")
                << part << int(Qt::Key_Escape) << int(QDialog::Rejected);
            QTest::newRow(name + ", Return")
                << part << int(Qt::Key_Return) << int(QDialog::Accepted);
            QTest::newRow(name + ", Enter") << part << int(Qt::Key_Enter) << int(QDialog::Accepted);
        }
    }

    void keysCloseTheWholeDialog()
    {
        QFETCH(int, part);
        QFETCH(int, key);
        QFETCH(int, result);
        CommonDialog properties;
        properties.flags = 259;
        FontColorDialog dialog(properties);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *inner = dialog.findChild<QFontDialog *>();
        // The family list, the style list or the size box.
        QWidget *target =
            part < 2 ? static_cast<QWidget *>(inner->findChildren<QListView *>().value(part))
                     : inner->findChildren<QLineEdit *>().value(2);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), result);
        QVERIFY(!inner->isHidden()); // the inner part was not closed on its own
    }

    void choiceIsStored()
    {
        CommonDialog properties;
        properties.flags = 259;
        properties.color = 0x0000FF;
        FontColorDialog dialog(properties);
        auto *inner = dialog.findChild<QFontDialog *>();
        QFont chosen(u"Liberation Sans"_qs);
        chosen.setPointSize(12);
        chosen.setBold(true);
        chosen.setUnderline(true);
        inner->setCurrentFont(chosen);
        auto *color = dialog.findChild<QComboBox *>(u"fontColor"_qs);
        QCOMPARE(color->currentText(), u"Red"_qs);
        color->setCurrentText(u"Navy"_qs);
        dialog.storeInto(properties);
        QCOMPARE(properties.fontName, u"Liberation Sans"_qs);
        QCOMPARE(properties.fontSize, 12.0);
        QVERIFY(properties.fontBold);
        QVERIFY(properties.fontUnderline);
        QCOMPARE(properties.color, quint32(0x800000));
    }

    // A message names files the user named: its text is never read as markup.
    void messagesArePlainText()
    {
        struct Peek final : QtPlatform
        {
            Qt::TextFormat format = Qt::AutoText;
            int exec(QDialog &box) override
            {
                format = static_cast<QMessageBox &>(box).textFormat();
                return QMessageBox::Ok;
            }
        } platform;
        platform.messageBox({u"<h1>BIG</h1>.shp cannot be opened"_qs});
        QCOMPARE(platform.format, Qt::PlainText);
    }
};

QTEST_MAIN(TestFontColorDialog)
#include "tst_fontcolordialog.moc"

#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

class QDialog;

// The application title; it titles message boxes that have no title of their own.
inline QString ApplicationTitle()
{
    return QStringLiteral("shopping");
}

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, SaveDiscardCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No, Save, Discard };

struct MessageBoxRequest
{
    QString text;
    QString title = ApplicationTitle();
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
};

// The properties of the one common dialog behind the file, font and colour dialogs. They keep
// their values from one use to the next for the whole run: a dialog is shown with whatever
// its previous users left in them.
struct CommonDialog
{
    bool cancelError = false;
    QString dialogTitle;
    QString filter;
    QString defaultExt;
    QString initDir;
    QString fileName;
    int flags = 0;
    quint32 color = 0; // 0x00BBGGRR, red in the lowest byte
    QString fontName;
    double fontSize = 0;
    bool fontBold = false;
    bool fontItalic = false;
    bool fontUnderline = false;
    bool fontStrikethru = false;
};

// What the Add Other Item dialog asks for: an item that is not in the catalogue.
struct OtherItem
{
    QString quantity;
    QString item;
    QString category;
    bool keepInCatalogue = false; // also append it to the category's catalogue file
};

// Everything that asks the user in a modal dialog, and the few facts of the desktop the
// program needs. The program uses the Qt implementation; tests use a scripted one that
// answers and records, so no test ever blocks on a dialog.
class Platform
{
public:
    virtual ~Platform() = default;

    virtual MessageAnswer messageBox(const MessageBoxRequest &request) = 0;
    // Nothing when the user cancels.
    virtual std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                            const QString &defaultText) = 0;

    // The Add Other Item dialog, showing proposed; categories are offered in the category's
    // list, which also takes a new one. Nothing when the user cancels.
    virtual std::optional<OtherItem> otherItemBox(const OtherItem &proposed,
                                                  const QStringList &categories) = 0;

    // Each shows one modal dialog set up from the common dialog's properties and, when the
    // user confirms, stores the choice back into them. False when the user cancelled; the
    // properties then keep the values they had.
    virtual bool showOpen() = 0;
    virtual bool showSave() = 0;
    virtual bool showColor() = 0;
    virtual bool showFont() = 0;

    // Runs any other modal window of the program (the about box, ...) until it closes and
    // returns its result (QDialog::Accepted or QDialog::Rejected).
    virtual int exec(QDialog &dialog) = 0;

    // The size of the whole screen, in twips.
    virtual QSizeF screenSizeTwips() const = 0;
    // Opens a web address in the default browser without waiting for it.
    virtual void openUrl(const QUrl &url) = 0;

    CommonDialog &commonDialog() { return m_commonDialog; }

private:
    CommonDialog m_commonDialog;
};

#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QStringList>

#include <functional>

// A platform layer for tests: dialogs take the answers the test queued, in order, and every
// request is recorded. A message box with only OK needs no answer; any other dialog without a
// queued answer is counted as unanswered and cancelled, so a test never blocks.
class ScriptedPlatform final : public Platform
{
public:
    enum class DialogKind { Open, Save, Color, Font };
    struct DialogShow
    {
        DialogKind kind;
        CommonDialog properties; // as they were when the dialog was shown
    };
    struct InputRequest
    {
        QString prompt;
        QString title;
        QString defaultText;
    };
    // Changes the common dialog's properties as the user's choice would; false cancels.
    using DialogAnswer = std::function<bool(CommonDialog &)>;

    QList<MessageAnswer> messageAnswers;
    QList<std::optional<QString>> inputAnswers;
    QList<DialogAnswer> dialogAnswers;

    // The Add Other Item dialog: what it was shown with, and the answers (nothing cancels).
    struct OtherItemRequest
    {
        OtherItem proposed;
        QStringList categories;
    };
    QList<std::optional<OtherItem>> otherItemAnswers;

    QList<MessageBoxRequest> messages;
    QList<InputRequest> inputs;
    QList<OtherItemRequest> otherItemRequests;
    QList<DialogShow> dialogs;
    QList<QUrl> openedUrls;
    // Other modal windows: each answer acts on the window as the user would, while it is open,
    // and returns its result. The object names of the windows run, in order.
    using WindowAnswer = std::function<int(QDialog &)>;
    QList<WindowAnswer> windowAnswers;
    QStringList windows;
    int unanswered = 0;
    QSizeF screen{15360, 11520};

    void answerFileName(const QString &fileName);
    void cancelNextDialog();

    MessageAnswer messageBox(const MessageBoxRequest &request) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &defaultText) override;
    std::optional<OtherItem> otherItemBox(const OtherItem &proposed,
                                          const QStringList &categories) override;
    bool showOpen() override { return show(DialogKind::Open); }
    bool showSave() override { return show(DialogKind::Save); }
    bool showColor() override { return show(DialogKind::Color); }
    bool showFont() override { return show(DialogKind::Font); }
    int exec(QDialog &dialog) override;
    QSizeF screenSizeTwips() const override { return screen; }
    void openUrl(const QUrl &url) override { openedUrls.append(url); }

private:
    bool show(DialogKind kind);
};

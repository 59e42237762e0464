#include "ScriptedPlatform.h"

#include <QDialog>

void ScriptedPlatform::answerFileName(const QString &fileName)
{
    dialogAnswers.append([fileName](CommonDialog &properties) {
        properties.fileName = fileName;
        return true;
    });
}

void ScriptedPlatform::cancelNextDialog()
{
    dialogAnswers.append([](CommonDialog &) { return false; });
}

MessageAnswer ScriptedPlatform::messageBox(const MessageBoxRequest &request)
{
    messages.append(request);
    if (request.buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok; // nothing to decide
    }
    if (messageAnswers.isEmpty()) {
        ++unanswered;
        switch (request.buttons) {
        case MessageButtons::YesNo:
            return MessageAnswer::No;
        case MessageButtons::SaveDiscardCancel:
            return MessageAnswer::Cancel;
        default:
            return MessageAnswer::Ok;
        }
    }
    return messageAnswers.takeFirst();
}

std::optional<QString> ScriptedPlatform::inputBox(const QString &prompt, const QString &title,
                                                  const QString &defaultText)
{
    inputs.append({prompt, title, defaultText});
    if (inputAnswers.isEmpty()) {
        ++unanswered;
        return std::nullopt;
    }
    return inputAnswers.takeFirst();
}

std::optional<OtherItem> ScriptedPlatform::otherItemBox(const OtherItem &proposed,
                                                        const QStringList &categories)
{
    otherItemRequests.append({proposed, categories});
    if (otherItemAnswers.isEmpty()) {
        ++unanswered;
        return std::nullopt;
    }
    return otherItemAnswers.takeFirst();
}

bool ScriptedPlatform::show(DialogKind kind)
{
    dialogs.append({kind, commonDialog()});
    if (dialogAnswers.isEmpty()) {
        ++unanswered;
        return false;
    }
    CommonDialog changed = commonDialog();
    if (!dialogAnswers.takeFirst()(changed)) {
        return false;
    }
    commonDialog() = changed;
    return true;
}

int ScriptedPlatform::exec(QDialog &dialog)
{
    windows.append(dialog.objectName());
    if (windowAnswers.isEmpty()) {
        ++unanswered;
        return QDialog::Rejected;
    }
    return windowAnswers.takeFirst()(dialog);
}

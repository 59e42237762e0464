#include "QtPlatform.h"

#include "FontColorDialog.h"
#include "OtherItemDialog.h"
#include "common/Twips.h"
#include "config/ColorValue.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

namespace {

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQt(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Ok:
        return QMessageBox::Ok;
    case MessageAnswer::Cancel:
        return QMessageBox::Cancel;
    case MessageAnswer::Yes:
        return QMessageBox::Yes;
    case MessageAnswer::No:
        return QMessageBox::No;
    case MessageAnswer::Save:
        return QMessageBox::Save;
    case MessageAnswer::Discard:
        return QMessageBox::Discard;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons toQt(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::SaveDiscardCancel:
        return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// Commands that take time show the wait cursor; a question they ask in the middle shows the
// ordinary pointer while it waits for the answer.
class PointerWhileAsking final
{
public:
    PointerWhileAsking() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~PointerWhileAsking() { QGuiApplication::restoreOverrideCursor(); }
    Q_DISABLE_COPY_MOVE(PointerWhileAsking)
};

} // namespace

int QtPlatform::exec(QDialog &dialog)
{
    const PointerWhileAsking pointer;
    return dialog.exec();
}

MessageAnswer QtPlatform::messageBox(const MessageBoxRequest &request)
{
    QMessageBox box(toQt(request.icon), request.title, request.text, toQt(request.buttons),
                    m_parent);
    box.setTextFormat(Qt::PlainText); // a file's name is never markup
    box.setDefaultButton(toQt(request.defaultAnswer));
    if (QAbstractButton *discard = box.button(QMessageBox::Discard)) {
        discard->setText(QStringLiteral("&Discard")); // not a desktop's "Close without Saving"
    }
    switch (exec(box)) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Save:
        return MessageAnswer::Save;
    case QMessageBox::Discard:
        return MessageAnswer::Discard;
    default:
        return MessageAnswer::Ok;
    }
}

std::optional<QString> QtPlatform::inputBox(const QString &prompt, const QString &title,
                                            const QString &defaultText)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    // The prompt may name a file: its name is shown as it is, never read as markup.
    for (QLabel *label : dialog.findChildren<QLabel *>()) {
        label->setTextFormat(Qt::PlainText);
    }
    dialog.setTextValue(defaultText);
    if (exec(dialog) != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

std::optional<OtherItem> QtPlatform::otherItemBox(const OtherItem &proposed,
                                                  const QStringList &categories)
{
    OtherItemDialog dialog(proposed, categories, m_parent);
    if (exec(dialog) != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.answer();
}

bool QtPlatform::showFileDialog(bool save)
{
    CommonDialog &properties = commonDialog();
    QFileDialog dialog(m_parent, properties.dialogTitle, properties.initDir);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(properties.filter);
    dialog.setDefaultSuffix(properties.defaultExt);
    // A file name with wildcards is a filter, not a name to propose.
    if (!properties.fileName.contains(u'*') && !properties.fileName.contains(u'?')) {
        dialog.selectFile(properties.fileName);
    }
    if (exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    properties.fileName = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    return true;
}

bool QtPlatform::showOpen()
{
    return showFileDialog(false);
}

bool QtPlatform::showSave()
{
    return showFileDialog(true);
}

bool QtPlatform::showColor()
{
    CommonDialog &properties = commonDialog();
    // The dialog starts from the colour the value stands for, system colours included.
    const QColor initial = ColorFromValue(qint32(properties.color), QGuiApplication::palette())
                               .value_or(QColor(Qt::black));
    QColorDialog dialog(initial, m_parent);
    dialog.setWindowTitle(properties.dialogTitle);
    if (exec(dialog) != QDialog::Accepted) {
        return false;
    }
    const QColor color = dialog.selectedColor();
    // Confirming the colour unchanged keeps the value it had, a system colour stays one.
    if (color.rgb() != initial.rgb()) {
        properties.color = quint32(ColorValue(color));
    }
    return true;
}

bool QtPlatform::showFont()
{
    CommonDialog &properties = commonDialog();
    FontColorDialog dialog(properties, m_parent);
    if (exec(dialog) != QDialog::Accepted) {
        return false;
    }
    dialog.storeInto(properties);
    return true;
}

QSizeF QtPlatform::screenSizeTwips() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    const QSize size = screen->size();
    return {size.width() * TwipsPerPixelX(), size.height() * TwipsPerPixelY()};
}

void QtPlatform::openUrl(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

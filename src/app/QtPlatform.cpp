#include "QtPlatform.h"

#include "common/Twips.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QInputDialog>
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
    }
    return QMessageBox::Ok;
}

QColor fromColorValue(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 toColorValue(const QColor &color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

} // namespace

MessageAnswer QtPlatform::messageBox(const MessageBoxRequest &request)
{
    QMessageBox box(toQt(request.icon), request.title, request.text, toQt(request.buttons),
                    m_parent);
    box.setDefaultButton(toQt(request.defaultAnswer));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

std::optional<QString> QtPlatform::inputBox(const QString &prompt, const QString &title,
                                            const QString &defaultText)
{
    bool ok = false;
    QString answer =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok) {
        return std::nullopt;
    }
    return answer;
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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
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
    const QColor color =
        QColorDialog::getColor(fromColorValue(properties.color), m_parent, properties.dialogTitle);
    if (!color.isValid()) {
        return false;
    }
    properties.color = toColorValue(color);
    return true;
}

bool QtPlatform::showFont()
{
    CommonDialog &properties = commonDialog();
    QFont initial(properties.fontName.isEmpty() ? QGuiApplication::font().family()
                                                : properties.fontName);
    if (properties.fontSize > 0) {
        initial.setPointSizeF(properties.fontSize);
    }
    initial.setBold(properties.fontBold);
    initial.setItalic(properties.fontItalic);
    initial.setUnderline(properties.fontUnderline);
    initial.setStrikeOut(properties.fontStrikethru);
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, m_parent);
    if (!ok) {
        return false;
    }
    properties.fontName = font.family();
    properties.fontSize = font.pointSizeF();
    properties.fontBold = font.bold();
    properties.fontItalic = font.italic();
    properties.fontUnderline = font.underline();
    properties.fontStrikethru = font.strikeOut();
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

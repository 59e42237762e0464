#include "FontColorDialog.h"

#include "Platform.h"
#include "config/ColorValue.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

struct NamedColor
{
    const char *name;
    quint32 value; // 0x00BBGGRR
};

constexpr NamedColor standardColors[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

// Flag of the font dialog that offers the effects group with the colour.
constexpr int effectsFlag = 256;

QIcon swatch(quint32 value)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(ColorFromValue(qint32(value), QGuiApplication::palette()).value_or(Qt::black));
    return QIcon(pixmap);
}

} // namespace

FontColorDialog::FontColorDialog(const CommonDialog &properties, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fontColorDialog"));
    setWindowTitle(QStringLiteral("Font"));

    QFont initial(properties.fontName.isEmpty() ? QGuiApplication::font().family()
                                                : properties.fontName);
    if (properties.fontSize > 0) {
        initial.setPointSizeF(properties.fontSize);
    }
    initial.setBold(properties.fontBold);
    initial.setItalic(properties.fontItalic);
    initial.setUnderline(properties.fontUnderline);
    initial.setStrikeOut(properties.fontStrikethru);

    m_fontDialog = new QFontDialog(initial, this);
    m_fontDialog->setWindowFlags(Qt::Widget);
    m_fontDialog->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fontDialog->setCurrentFont(initial);
    // The embedded chooser is a dialog too: Escape would close it alone, leaving this one
    // empty, and its lists keep Enter to themselves. Its keys for closing, wherever the focus
    // is inside it, are this dialog's.
    m_fontDialog->installEventFilter(this);
    for (QWidget *part : m_fontDialog->findChildren<QWidget *>()) {
        part->installEventFilter(this);
    }

    m_color = new QComboBox(this);
    m_color->setObjectName(QStringLiteral("fontColor"));
    bool found = false;
    for (const NamedColor &color : standardColors) {
        m_color->addItem(swatch(color.value), QString::fromLatin1(color.name), color.value);
        if (color.value == properties.color) {
            m_color->setCurrentIndex(m_color->count() - 1);
            found = true;
        }
    }
    if (!found) {
        // A colour of its own, kept so that OK without a change keeps it.
        m_color->addItem(swatch(properties.color), QStringLiteral("Custom"), properties.color);
        m_color->setCurrentIndex(m_color->count() - 1);
    }
    auto *colorRow = new QHBoxLayout;
    auto *colorLabel = new QLabel(QStringLiteral("&Colour:"), this);
    colorLabel->setBuddy(m_color);
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(m_color);
    colorRow->addStretch();
    const bool effects = (properties.flags & effectsFlag) != 0;
    colorLabel->setVisible(effects);
    m_color->setVisible(effects);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_fontDialog);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
}

bool FontColorDialog::eventFilter(QObject *watched, QEvent *event)
{
    const bool inside =
        watched == m_fontDialog ||
        (watched->isWidgetType() && m_fontDialog->isAncestorOf(static_cast<QWidget *>(watched)));
    if (inside && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FontColorDialog::storeInto(CommonDialog &properties) const
{
    const QFont font = m_fontDialog->currentFont();
    properties.fontName = font.family();
    properties.fontSize = font.pointSizeF();
    properties.fontBold = font.bold();
    properties.fontItalic = font.italic();
    properties.fontUnderline = font.underline();
    properties.fontStrikethru = font.strikeOut();
    if (m_color->isVisibleTo(this)) {
        properties.color = m_color->currentData().toUInt();
    }
}

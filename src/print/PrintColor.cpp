#include "PrintColor.h"

#include <QGuiApplication>
#include <QPalette>

QColor PrintColor(quint32 value)
{
    if ((value & 0x80000000u) == 0) {
        return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
    }
    const QPalette palette = QGuiApplication::palette();
    switch (value & 0xFFu) {
    case 5: // window
        return palette.color(QPalette::Base);
    case 8: // window text
        return palette.color(QPalette::Text);
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 15: // button face
        return palette.color(QPalette::Button);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 17: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    default:
        return palette.color(QPalette::WindowText);
    }
}

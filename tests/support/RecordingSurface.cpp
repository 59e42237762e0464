#include "RecordingSurface.h"

void RecordingSurface::check(const QString &call) const
{
    if (fails && fails(call)) {
        throw PrintFailure(call + QStringLiteral(" failed"));
    }
}

void RecordingSurface::printLine(const QString &text)
{
    if (fails) {
        check(QStringLiteral("line ") + text);
    }
    lines.append({text, m_x, m_y, m_font, m_color, pages});
    texts.append(text);
    m_x = 0;
    m_y += m_font.size * 24;
}

void RecordingSurface::newPage()
{
    check(QStringLiteral("new page"));
    ++pages;
    m_x = 0;
    m_y = 0;
}

#pragma once

#include "print/DrawingSurface.h"

#include <QList>
#include <QStringList>

#include <functional>

// A drawing surface that draws nothing and remembers every line drawn, for checking a layout.
// Text is measured by a fixed rule, the same on every machine: every character is half the
// font size wide (size x 10 twips) and every text, the empty one too, is 1.2 times the font
// size high (size x 24 twips), which is also the line height.
class RecordingSurface final : public DrawingSurface
{
public:
    struct Font
    {
        QString name = QStringLiteral("Arial");
        double size = 12;
        bool bold = false, italic = false, underline = false;
        bool operator==(const Font &) const = default;
    };
    struct Line
    {
        QString text;
        double x = 0, y = 0;
        Font font;
        quint32 color = 0;
        int page = 1;
    };

    RecordingSurface(Kind kind, double width, double height)
        : m_kind(kind), m_width(width), m_height(height)
    {}

    QList<Line> lines; // the empty ones too
    QStringList texts; // of the lines
    int pages = 1;
    // Asked before every call with its name ("width", "pen y", "font bold", "text width", ...),
    // for a line "line " and its text; true makes the call fail.
    std::function<bool(const QString &call)> fails;

    Kind kind() const override { return m_kind; }
    double drawableWidth() const override { return checked(u"width", m_width); }
    double drawableHeight() const override { return checked(u"height", m_height); }
    double penX() const override { return checked(u"pen x", m_x); }
    double penY() const override { return checked(u"pen y", m_y); }
    void setPenX(double x) override { m_x = checked(u"pen x", x); }
    void setPenY(double y) override { m_y = checked(u"pen y", y); }
    void setFontName(const QString &name) override { m_font.name = checked(u"font name", name); }
    void setFontSize(double points) override { m_font.size = checked(u"font size", points); }
    void setFontBold(bool on) override { m_font.bold = checked(u"font bold", on); }
    void setFontItalic(bool on) override { m_font.italic = checked(u"font italic", on); }
    void setFontUnderline(bool on) override { m_font.underline = checked(u"font underline", on); }
    void setTextColor(quint32 color) override { m_color = checked(u"color", color); }
    double textWidth(const QString &text) const override
    {
        return checked(u"text width", double(text.size()) * m_font.size * 10);
    }
    double textHeight(const QString &) const override
    {
        return checked(u"text height", m_font.size * 24);
    }
    void printLine(const QString &text) override;
    void newPage() override;

private:
    void check(const QString &call) const;
    // The call's name is made only when a failure is scripted: a long list asks for
    // hundreds of thousands of calls.
    template<typename T> T checked(const char16_t *call, T value) const
    {
        if (fails) {
            check(QString::fromUtf16(call));
        }
        return value;
    }

    Kind m_kind;
    double m_width, m_height, m_x = 0, m_y = 0;
    Font m_font;
    quint32 m_color = 0;
};

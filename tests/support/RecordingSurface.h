#pragma once

#include "print/DrawingSurface.h"

#include <QList>
#include <QString>

#include <functional>

// A drawing surface that draws nothing and remembers everything asked of it, for checking a
// layout. Text is measured by a fixed rule, the same on every machine: every character is
// half the font size wide (size x 10 twips) and every text, the empty one too, is 1.2 times
// the font size high (size x 24 twips), which is also the line height.
class RecordingSurface final : public DrawingSurface
{
public:
    struct Font
    {
        QString name;
        double size = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool operator==(const Font &) const = default;
    };
    struct Line
    {
        QString text;
        double x = 0;
        double y = 0;
        Font font;
        quint32 color = 0;
        int page = 1;
    };

    RecordingSurface(Kind kind, double width, double height);

    // Every operation in order, as "name argument" ("pen y 0", "font size 13", "line Milk").
    QList<QString> operations;
    // Every line printed, the empty ones too.
    QList<Line> lines;
    int pages = 1;
    // Asked before each operation with its name and argument; true makes it fail.
    std::function<bool(const QString &operation, const QString &argument)> fails;

    Kind kind() const override { return m_kind; }
    double drawableWidth() const override;
    double drawableHeight() const override;
    double penX() const override;
    double penY() const override;
    void setPenX(double x) override;
    void setPenY(double y) override;
    void setFontName(const QString &name) override;
    void setFontSize(double points) override;
    void setFontBold(bool on) override;
    void setFontItalic(bool on) override;
    void setFontUnderline(bool on) override;
    void setTextColor(quint32 color) override;
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text) const override;
    void printLine(const QString &text) override;
    void newPage() override;

    const Font &font() const { return m_font; }

private:
    void record(const QString &operation, const QString &argument);
    void check(const QString &operation, const QString &argument) const;

    Kind m_kind;
    double m_width;
    double m_height;
    double m_x = 0;
    double m_y = 0;
    Font m_font;
    quint32 m_color = 0;
};

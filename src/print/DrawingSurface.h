#pragma once

#include <QString>

#include <stdexcept>

// A failure of a drawing step (the printer cannot be started, a page cannot be begun, ...).
// The text is for the user.
class PrintFailure : public std::runtime_error
{
public:
    explicit PrintFailure(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Where the shopping list is laid out: the printer or a preview window. Every position and
// size is in twips (1/1440 inch); font sizes are in points. (0, 0) is the top-left corner of
// the drawable area. Any operation may throw PrintFailure.
class DrawingSurface
{
public:
    enum class Kind { Printer, Preview };

    virtual ~DrawingSurface() = default;

    virtual Kind kind() const = 0;
    virtual double drawableWidth() const = 0;
    virtual double drawableHeight() const = 0;

    // Where the next line is drawn: the top-left corner of its text.
    virtual double penX() const = 0;
    virtual double penY() const = 0;
    virtual void setPenX(double x) = 0;
    virtual void setPenY(double y) = 0;

    // Each attribute of the font changes by itself and applies to text drawn afterwards.
    virtual void setFontName(const QString &name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setFontBold(bool on) = 0;
    virtual void setFontItalic(bool on) = 0;
    virtual void setFontUnderline(bool on) = 0;
    // 0x00BBGGRR, red in the lowest byte; a value with the top bit set names a system colour.
    virtual void setTextColor(quint32 color) = 0;

    // The extent of text in the current font.
    virtual double textWidth(const QString &text) const = 0;
    virtual double textHeight(const QString &text) const = 0;

    // Draws text at the pen, then moves the pen to x = 0 and one line further down. An empty
    // text only moves the pen down.
    virtual void printLine(const QString &text) = 0;
    // Printer only: ends the page and begins the next; the pen goes back to (0, 0) and the
    // font and colour stay.
    virtual void newPage() = 0;

protected:
    DrawingSurface() = default;
    Q_DISABLE_COPY_MOVE(DrawingSurface)
};

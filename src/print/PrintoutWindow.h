#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

// frmPrintout, a print preview: a white top-level window of its own (no owner) that shows
// what was drawn on it. The drawing is kept as an image, so covering or resizing the window
// never lays the list out again. A click anywhere in it closes it.
class PrintoutWindow final : public QWidget
{
    Q_OBJECT

public:
    PrintoutWindow();

    // Places the window with its frame at the top-left corner of the screen and sizes the
    // frame to outer, in pixels, once the frame is known.
    void placeAtCorner(const QSize &outer);

    // Draws once more when the window manager's frame makes the client area smaller, so the
    // page is laid out for the area the window really has.
    void redrawWhenFramed(std::function<void(PrintoutWindow &)> drawing);

    // A fresh white image the size of the client area, to draw the printout on.
    QImage &startDrawing();
    const QImage &drawing() const { return m_drawing; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitFrame();

    QImage m_drawing;
    std::function<void(PrintoutWindow &)> m_redraw;
    QSize m_outer;
    bool m_frameFitted = true;
};

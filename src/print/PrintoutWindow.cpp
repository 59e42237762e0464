#include "PrintoutWindow.h"

#include <QMouseEvent>
#include <QPainter>

PrintoutWindow::PrintoutWindow() : QWidget(nullptr)
{
    setObjectName(QStringLiteral("frmPrintout"));
    setWindowTitle(QStringLiteral(
        "Print Preview of Shopping List - click anywhere on the form to return to the program"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setCursor(Qt::CrossCursor);
}

void PrintoutWindow::placeAtCorner(const QSize &outer)
{
    m_outer = outer;
    m_frameFitted = false;
    move(0, 0);
    resize(outer);
    fitFrame();
}

// A window manager adds the frame some time after the window is shown; until then the
// frame is as wide as the client area.
void PrintoutWindow::fitFrame()
{
    if (m_frameFitted) {
        return;
    }
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame.isEmpty()) {
        return;
    }
    m_frameFitted = true;
    resize(m_outer - frame);
    if (m_redraw) {
        const auto redraw = std::move(m_redraw);
        m_redraw = nullptr;
        redraw(*this);
    }
}

void PrintoutWindow::redrawWhenFramed(std::function<void(PrintoutWindow &)> drawing)
{
    if (!m_frameFitted) {
        m_redraw = std::move(drawing);
    }
}

QImage &PrintoutWindow::startDrawing()
{
    m_drawing = QImage(size(), QImage::Format_RGB32);
    m_drawing.fill(Qt::white);
    return m_drawing;
}

void PrintoutWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_drawing);
}

void PrintoutWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (rect().contains(event->position().toPoint())) {
        close();
    }
}

void PrintoutWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    fitFrame();
}

void PrintoutWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitFrame();
}

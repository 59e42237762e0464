#include "PrinterSurface.h"

#include <QPrinter>

#include <cups/cups.h>

PrinterSurface::PrinterSurface(QPrinter &printer) : PainterSurface(printer), m_printer(printer) {}

PrinterSurface::~PrinterSurface()
{
    if (m_painter.isActive()) {
        abortJob();
    }
}

// A point is 20 twips.
double PrinterSurface::drawableWidth() const
{
    return m_printer.pageRect(QPrinter::Point).width() * 20;
}

double PrinterSurface::drawableHeight() const
{
    return m_printer.pageRect(QPrinter::Point).height() * 20;
}

QPainter &PrinterSurface::painter()
{
    if (!m_painter.isActive()) {
        if (!m_painter.begin(&m_printer)) {
            throw PrintFailure(QStringLiteral("The printer could not be started."));
        }
        scaleToTwips();
    }
    return m_painter;
}

void PrinterSurface::scaleToTwips()
{
    const double scale = m_printer.resolution() / 1440.0;
    m_painter.resetTransform();
    m_painter.scale(scale, scale);
}

void PrinterSurface::newPage()
{
    painter();
    if (!m_printer.newPage()) {
        throw PrintFailure(QStringLiteral("The printer could not begin a new page."));
    }
    scaleToTwips();
    resetPen();
}

std::optional<QString> PrinterSurface::endJob()
{
    if (!m_painter.isActive()) {
        return std::nullopt;
    }
    const bool sentToQueue = m_printer.outputFormat() == QPrinter::NativeFormat;
    if (!m_painter.end()) {
        return QStringLiteral("The print job could not be finished.");
    }
    // Qt hands the job to CUPS at the end and keeps quiet about the answer; the answer is
    // still the last one the CUPS library got.
    if (sentToQueue && cupsLastError() >= IPP_STATUS_ERROR_BAD_REQUEST) {
        return QStringLiteral("The printer refused the job: %1")
            .arg(QString::fromLocal8Bit(cupsLastErrorString()));
    }
    return std::nullopt;
}

void PrinterSurface::abortJob()
{
    m_printer.abort();
    if (m_painter.isActive()) {
        m_painter.end();
    }
}

#include "PrinterSurface.h"

#include <QLibrary>
#include <QPrinter>

namespace {

// Qt hands a job to CUPS when the painter ends and keeps quiet about the answer; the CUPS
// library still holds it. The library is already loaded by Qt's printing then, so it is looked
// up only here instead of being linked into every start of the program.
std::optional<QString> refusalOfLastJob()
{
    using LastError = int (*)();
    using LastErrorString = const char *(*)();
    QLibrary cups(QStringLiteral("cups"), 2);
    const auto lastError = reinterpret_cast<LastError>(cups.resolve("cupsLastError"));
    const auto lastErrorString =
        reinterpret_cast<LastErrorString>(cups.resolve("cupsLastErrorString"));
    constexpr int firstClientError = 0x0400; // IPP's "bad request" and everything after it
    if (lastError == nullptr || lastErrorString == nullptr || lastError() < firstClientError) {
        return std::nullopt;
    }
    return QStringLiteral("The printer refused the job: %1")
        .arg(QString::fromLocal8Bit(lastErrorString()));
}

} // namespace

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
    return sentToQueue ? refusalOfLastJob() : std::nullopt;
}

void PrinterSurface::abortJob()
{
    m_printer.abort();
    if (m_painter.isActive()) {
        m_painter.end();
    }
}

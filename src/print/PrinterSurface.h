#pragma once

#include "PainterSurface.h"

#include <QPainter>

#include <optional>

class QPrinter;

// The printer as a drawing surface. The job starts with the first drawing and ends with
// endJob(); the drawable area is the printable area of the page.
class PrinterSurface final : public PainterSurface
{
public:
    explicit PrinterSurface(QPrinter &printer);
    ~PrinterSurface() override;
    Q_DISABLE_COPY_MOVE(PrinterSurface)

    Kind kind() const override { return Kind::Printer; }
    double drawableWidth() const override;
    double drawableHeight() const override;
    void newPage() override;

    // Hands the job to the printing system; the failure, if it was refused.
    std::optional<QString> endJob();
    // Throws away what was drawn.
    void abortJob();

protected:
    QPainter &painter() override;

private:
    void scaleToTwips();

    QPrinter &m_printer;
    QPainter m_painter;
};

#include "GridPrinter.h"

#include "HeaderFooter.h"
#include "platform/Error.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/view/AxisLayout.h"
#include "platform/grid/view/CellLook.h"
#include "platform/grid/view/HeadingPainter.h"
#include "platform/grid/view/SheetPainter.h"
#include "platform/ui/ModalDialog.h"
#include "platform/ui/Printers.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <QFile>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace platform::grid
{

namespace
{

// A printer that failed. A printer that writes a file names it with the system's reason (a full disk,
// a folder that is missing), and the cut file goes: what stays would look like a printout.
[[noreturn]] void failPrinting(const QPrinter& printer, int systemError)
{
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    QString text
        = QStringLiteral("打印机“%1”无法打印").arg(toFile ? printer.outputFileName() : printer.printerName());
    if (toFile) {
        QFile::remove(printer.outputFileName());
        if (systemError != 0)
            text += QStringLiteral("：") + qt_error_string(systemError);
    }
    throw Error(errors::PrinterFault, QStringLiteral("GridPrinter"), text);
}

// Qt's PDF writer does not tell a write that failed (a full disk): a whole file ends with its end mark.
bool printedFileWhole(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat)
        return true;
    QFile file(printer.outputFileName());
    const QByteArray endMark("%%EOF\n");
    return file.open(QIODevice::ReadOnly) && file.size() >= endMark.size()
        && file.seek(file.size() - endMark.size()) && file.read(endMark.size()) == endMark;
}

// Runs a step of the printer (begin, a new page, the end); when it fails, the job is ended and fails.
template <class Step> void printerStep(QPrinter& printer, QPainter& painter, Step&& step)
{
    errno = 0;
    if (step())
        return;
    const int systemError = errno;
    if (painter.isActive())
        painter.end();
    failPrinting(printer, systemError);
}

// The pages chosen on the printer: all, or its page range.
std::pair<int, int> chosenPages(const QPrinter& printer, int count)
{
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() == 0)
        return { 1, count };
    return { std::max(1, printer.fromPage()),
        std::min(count, printer.toPage() == 0 ? count : printer.toPage()) };
}

// One print of a sheet on one printer: the sheet's sizes, the page's geometry and the headings'
// bands, which take room from every page.
class PrintJob
{
public:
    PrintJob(const Sheet& sheet, QPrinter& printer)
        : sheet_(sheet)
        , setup_(sheet.pageSetup())
        , device_(&printer)
    {
        layout_.update(sheet);
        // The paper as defined (A4 is 210 mm wide), not the printer's rectangle, which Qt rounds to whole
        // points (595 pt, 6 twips narrower) or inches to two decimals: a page laid out to the paper's
        // size in twips must fit it.
        const QSizeF paperInches = printer.pageLayout().fullRect(QPageLayout::Millimeter).size() / 25.4;
        page_ = pageGeometry(setup_, paperInches * printer.resolution(), printer.resolution());
        if (setup_.printHeadings) {
            const CellGeometry geometry(layout_, 1, 1, QPointF(), page_.scale);
            const HeadingPainter headings(geometry, device_);
            colBand_ = headings.columnBandHeight();
            rowBand_ = headings.rowBandWidth(sheet.lastUsedRow());
        }
    }

    QList<PrintPage> plan() const
    {
        // Whole twips, as reports measure their paper (A4 is 11906 by 16838 twips).
        const QSizeF exact = page_.roomTwips() - QSizeF(rowBand_, colBand_) / page_.scale;
        const QSizeF room(std::round(exact.width()), std::round(exact.height()));
        return planPages(layout_, printPieces(sheet_), printTitleRows(sheet_), room, setup_.leftToRight);
    }

    void paint(QPainter& painter, const PrintPage& page, int number, int count) const
    {
        const CellRange& cells = page.cells;
        const AxisLayout& rows = layout_.rows;
        const AxisLayout& cols = layout_.cols;
        const qint64 titleTwips
            = page.titles ? rows.offset(page.titles->last + 1) - rows.offset(page.titles->first) : 0;
        const qint64 heightTwips = titleTwips + rows.offset(cells.row2 + 1) - rows.offset(cells.row1);
        const qint64 widthTwips = cols.offset(cells.col2 + 1) - cols.offset(cells.col1);
        QPointF origin = page_.body.topLeft() + QPointF(rowBand_, colBand_);
        if (setup_.centerHorizontally)
            origin.rx() += std::max(0.0, (page_.body.width() - rowBand_ - widthTwips * page_.scale) / 2);
        if (setup_.centerVertically)
            origin.ry() += std::max(0.0, (page_.body.height() - colBand_ - heightTwips * page_.scale) / 2);

        SheetPaintOptions options;
        options.gridLines = setup_.printGridLines;
        options.whiteBackground = false;
        options.blackAndWhite = setup_.blackAndWhite;
        QPointF cellsOrigin = origin;
        if (page.titles) {
            const CellRange titles { page.titles->first, cells.col1, page.titles->last, cells.col2 };
            const CellGeometry geometry(layout_, titles.row1, titles.col1, origin, page_.scale);
            SheetPainter(sheet_, geometry).paint(painter, titles, options);
            paintRowHeadings(painter, geometry, titles, origin);
            cellsOrigin.setY(geometry.y(titles.row2 + 1));
        }
        const CellGeometry geometry(layout_, cells.row1, cells.col1, cellsOrigin, page_.scale);
        SheetPainter(sheet_, geometry).paint(painter, cells, options);
        paintRowHeadings(painter, geometry, cells, origin);
        if (setup_.printHeadings)
            HeadingPainter(geometry, device_)
                .paintColumns(painter, cells.col1, cells.col2, origin.y() - colBand_, { 0, 0 });
        paintHeaderAndFooter(painter, number, count);
    }

private:
    void paintRowHeadings(
        QPainter& painter, const CellGeometry& geometry, const CellRange& cells, QPointF origin) const
    {
        if (setup_.printHeadings)
            HeadingPainter(geometry, device_)
                .paintRows(painter, cells.row1, cells.row2, origin.x() - rowBand_, rowBand_, { 0, 0 });
    }

    void paintHeaderAndFooter(QPainter& painter, int number, int count) const
    {
        const QDateTime now = QDateTime::currentDateTime();
        const HeaderFooterText header = expandHeaderFooter(setup_.header, number, count, now);
        const HeaderFooterText footer = expandHeaderFooter(setup_.footer, number, count, now);
        if (header.isEmpty() && footer.isEmpty())
            return;
        painter.save();
        const double unscaled
            = device_->logicalDpiY() / double(kTwipsPerInch); // headers ignore the scale percent
        painter.setFont(deviceFont(CellFormat {}, unscaled, device_));
        painter.setPen(Qt::black);
        const double left = page_.body.left();
        const double width = page_.body.width();
        paintParts(painter, header, QRectF(left, page_.header.top(), width, 1), Qt::AlignTop);
        paintParts(painter, footer, QRectF(left, page_.footer.bottom() - 1, width, 1), Qt::AlignBottom);
        painter.restore();
    }

    static void paintParts(
        QPainter& painter, const HeaderFooterText& text, const QRectF& line, Qt::Alignment vertical)
    {
        const int flags = int(vertical) | Qt::TextDontClip;
        painter.drawText(line, flags | Qt::AlignLeft, text.left);
        painter.drawText(line, flags | Qt::AlignHCenter, text.center);
        painter.drawText(line, flags | Qt::AlignRight, text.right);
    }

    const Sheet& sheet_;
    const PageSetup setup_;
    QPaintDevice* device_;
    SheetLayout layout_;
    PageGeometry page_;
    double rowBand_ = 0;
    double colBand_ = 0;
};

} // namespace

GridPrinter::GridPrinter(const Sheet& sheet)
    : sheet_(sheet)
{
}

void GridPrinter::applyPageSetup(QPrinter& printer) const
{
    const PageSetup& setup = sheet_.pageSetup();
    if (const std::optional<QPageSize> paper = paperOf(setup))
        printer.setPageSize(*paper);
    printer.setPageOrientation(setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setFullPage(true); // the margins are the page setup's, measured from the paper's edge
}

QList<PrintPage> GridPrinter::pages(QPrinter& printer) const
{
    applyPageSetup(printer);
    return PrintJob(sheet_, printer).plan();
}

int GridPrinter::print(QPrinter& printer, bool showDialog) const
{
    applyPageSetup(printer);
    if (showDialog) {
        QPrintDialog dialog(&printer);
        dialog.setMinMax(1, std::max<int>(1, PrintJob(sheet_, printer).plan().size()));
        if (ui::showModal(dialog) != QDialog::Accepted)
            return 0;
    }
    const PrintJob job(sheet_, printer);
    const QList<PrintPage> pages = job.plan();
    const auto [first, last] = chosenPages(printer, int(pages.size()));
    if (first > last)
        return 0;
    QPainter painter;
    printerStep(printer, painter, [&] { return painter.begin(&printer); });
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    bool firstPage = true;
    for (int copy = 0; copy < copies; ++copy) {
        for (int number = first; number <= last; ++number) {
            if (!firstPage)
                printerStep(printer, painter, [&] { return printer.newPage(); });
            firstPage = false;
            job.paint(painter, pages[number - 1], number, int(pages.size()));
        }
    }
    endJob(printer, painter);
    return last - first + 1;
}

int GridPrinter::printInto(QPrinter& printer, QPainter& painter) const
{
    if (!painter.isActive())
        applyPageSetup(printer);
    const PrintJob job(sheet_, printer);
    const QList<PrintPage> pages = job.plan();
    for (int number = 1; number <= pages.size(); ++number) {
        printerStep(printer, painter,
            [&] { return painter.isActive() ? printer.newPage() : painter.begin(&printer); });
        job.paint(painter, pages[number - 1], number, int(pages.size()));
    }
    return int(pages.size());
}

void GridPrinter::endJob(QPrinter& printer, QPainter& painter)
{
    printerStep(printer, painter, [&] {
        return painter.end() && printer.printerState() != QPrinter::Error && printedFileWhole(printer);
    });
}

int GridPrinter::print(const QString& printerName, bool showDialog) const
{
    const std::unique_ptr<QPrinter> printer = ui::makePrinter(printerName);
    return print(*printer, showDialog);
}

} // namespace platform::grid

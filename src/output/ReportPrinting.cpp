#include "output/ReportPrinting.h"

#include "platform/grid/print/GridPrinter.h"
#include "platform/grid/print/PrintRun.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/Printers.h"

#include <QPrinter>

namespace output
{

namespace
{

// Sets a print area and puts the previous one back, also when the print fails.
class PrintAreaScope
{
public:
    PrintAreaScope(platform::grid::Sheet& sheet, const QString& area)
        : sheet_(sheet)
        , previous_(sheet.printArea())
    {
        sheet_.setPrintArea(area);
    }
    ~PrintAreaScope() { sheet_.setPrintArea(previous_); }
    PrintAreaScope(const PrintAreaScope&) = delete;
    PrintAreaScope& operator=(const PrintAreaScope&) = delete;

private:
    platform::grid::Sheet& sheet_;
    QString previous_;
};

} // namespace

QString AllPagesArea(const PageRowMap& pages, int pageCount, int columnCount)
{
    PageSelection all;
    for (int page = 1; page <= pageCount; ++page)
        all.listedPages.append(page);
    return PagesToRanges(all, pages, columnCount).value_or(QString());
}

int PrintArea(platform::grid::Sheet& sheet, const QString& area, int copies, const QString& printerName)
{
    const PrintAreaScope scope(sheet, area);
    const std::unique_ptr<QPrinter> printer = platform::ui::makePrinter(printerName);
    printer->setCopyCount(std::max(1, copies));
    return platform::grid::GridPrinter(sheet).print(*printer);
}

int PrintArea(platform::grid::Sheet& sheet, const QString& area, platform::grid::PrintRun& run)
{
    const PrintAreaScope scope(sheet, area);
    return run.add(sheet);
}

} // namespace output

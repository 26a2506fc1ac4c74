#include "engine/PageMargins.h"

#include "engine/EngineState.h"
#include "engine/MarginTwips.h"
#include "engine/WholeNumbers.h"
#include "platform/grid/Sheet.h"
#include "store/ReportDefinition.h"

namespace engine
{

void LoadPageMargins(const DataReportRun& run, platform::grid::Sheet& grid)
{
    const store::PageSettings& page = run.definition().page;
    grid.setRowHeight(1, marginTwips(page.TopMarge));
    grid.setRowHeight(run.PageSheetRows, marginTwips(page.BottomMarge));
    grid.setColWidth(1, marginTwips(page.LeftMarge));
    grid.setColWidth(run.PageSheetCols, marginTwips(page.RightMarge));
}

void SetFillerColWidth(const DataReportRun& run, platform::grid::Sheet& grid)
{
    long long used = 0;
    for (int col = 1; col < run.PageSheetCols; ++col)
        used += grid.colWidth(col);
    const int rest = fitInt16(run.PrinterPaperWidth - fitInt32(used));
    grid.setColWidth(run.PageSheetCols, rest > 0 ? rest : 0);
}

} // namespace engine

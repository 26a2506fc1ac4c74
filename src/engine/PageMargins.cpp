#include "engine/PageMargins.h"

#include "engine/EngineState.h"
#include "engine/WholeNumbers.h"
#include "platform/grid/Sheet.h"
#include "store/ReportDefinition.h"

namespace engine
{

void LoadPageMargins(platform::grid::Sheet& grid)
{
    const DataEngineState& engine = dataEngine();
    const store::PageSettings& page = reportDefinition().page;
    const auto twips = [](double inches) { return roundInt16(inches * platform::grid::kTwipsPerInch); };
    grid.setRowHeight(1, twips(page.TopMarge));
    grid.setRowHeight(engine.PageSheetRows, twips(page.BottomMarge));
    grid.setColWidth(1, twips(page.LeftMarge));
    grid.setColWidth(engine.PageSheetCols, twips(page.RightMarge));
}

void SetFillerColWidth(platform::grid::Sheet& grid)
{
    const DataEngineState& engine = dataEngine();
    long long used = 0;
    for (int col = 1; col < engine.PageSheetCols; ++col)
        used += grid.colWidth(col);
    const int rest = fitInt16(engine.PrinterPaperWidth - fitInt32(used));
    grid.setColWidth(engine.PageSheetCols, rest > 0 ? rest : 0);
}

} // namespace engine

#include "output/PageDisplay.h"

#include "platform/grid/Sheet.h"

#include <algorithm>

namespace output
{

using platform::grid::Sheet;

void ShowPage(const Sheet& working, Sheet& page, SheetRows rows)
{
    const int lastCol = std::max(1, working.maxCol());
    const int rowCount = rows.last - rows.first + 1;
    Sheet shown;
    shown.setDefaultRowHeight(working.defaultRowHeight());
    shown.setDefaultColWidth(working.defaultColWidth());
    // Whole rows: the clip carries their heights too.
    const auto clip = working.copy({ rows.first, 1, rows.last, lastCol });
    shown.paste(clip, 1, 1, Sheet::PasteWhat::All);
    shown.paste(clip, 1, 1, Sheet::PasteWhat::Values);
    for (int col = 1; col <= lastCol; ++col) {
        if (working.isColWidthSet(col))
            shown.setColWidth(col, working.colWidth(col));
    }
    shown.setMaxRow(rowCount);
    shown.setMaxCol(lastCol);
    shown.setPageSetup(working.pageSetup());
    page = std::move(shown);
}

} // namespace output

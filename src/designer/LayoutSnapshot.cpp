#include "designer/LayoutSnapshot.h"

#include "platform/grid/Sheet.h"

namespace designer
{

namespace
{

constexpr int FirstKeptColumn = 2;

} // namespace

void LayoutSnapshot::SaveLayoutSizes(const platform::grid::Sheet& grid)
{
    SavedRowHeights.clear();
    SavedColWidths.clear();
    for (int row = 1; row <= grid.maxRow(); ++row)
        SavedRowHeights.append(grid.rowHeight(row));
    for (int col = FirstKeptColumn; col <= grid.maxCol(); ++col)
        SavedColWidths.append(grid.colWidth(col));
    taken_ = true;
}

void LayoutSnapshot::clear()
{
    taken_ = false;
    SavedRowHeights.clear();
    SavedColWidths.clear();
}

bool LayoutSnapshot::IsLayoutChanged(const platform::grid::Sheet& grid) const
{
    if (!taken_)
        return false;
    for (int index = 0; index < SavedRowHeights.size(); ++index) {
        if (grid.rowHeight(index + 1) != SavedRowHeights[index])
            return true;
    }
    for (int index = 0; index < SavedColWidths.size(); ++index) {
        if (grid.colWidth(index + FirstKeptColumn) != SavedColWidths[index])
            return true;
    }
    return false;
}

} // namespace designer

#include "platform/grid/Sheet.h"
#include "platform/grid/view/SelectionMoves.h"

#include <gtest/gtest.h>

using namespace platform::grid;

TEST(SelectionMoves, KeysMoveOneCellOrPastAMergedBlockWithinTheSheet)
{
    Sheet sheet;
    sheet.setMaxRow(100);
    sheet.setMaxCol(10);
    sheet.merge(CellRange { 2, 2, 4, 5 });
    const struct {
        CellPos from;
        CellMove move;
        CellPos to;
    } cases[] = {
        { { 1, 1 }, CellMove::Right, { 1, 2 } },
        { { 1, 1 }, CellMove::Left, { 1, 1 } },
        { { 1, 1 }, CellMove::Up, { 1, 1 } },
        { { 2, 2 }, CellMove::Right, { 2, 6 } },
        { { 2, 2 }, CellMove::Down, { 5, 2 } },
        { { 2, 2 }, CellMove::Left, { 2, 1 } },
        { { 3, 6 }, CellMove::Left, { 3, 5 } },
        { { 50, 3 }, CellMove::PageDown, { 70, 3 } },
        { { 90, 3 }, CellMove::PageDown, { 100, 3 } },
        { { 10, 3 }, CellMove::PageUp, { 1, 3 } },
        { { 100, 10 }, CellMove::Right, { 100, 10 } },
        { { 100, 10 }, CellMove::Down, { 100, 10 } },
        { { 7, 9 }, CellMove::RowStart, { 7, 1 } },
        { { 7, 9 }, CellMove::SheetStart, { 1, 1 } },
    };
    for (const auto& c : cases) {
        const CellPos to = movedCell(sheet, c.from, c.move, 20);
        EXPECT_EQ(to, c.to) << c.from.row << "," << c.from.col << " move " << int(c.move) << " gave "
                            << to.row << "," << to.col;
    }
}

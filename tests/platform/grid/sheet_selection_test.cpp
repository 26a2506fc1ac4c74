#include "SheetTestSupport.h"

#include <gtest/gtest.h>

using namespace platform::grid;

TEST(SheetSelection, ReportsWholeRowsAndWholeColumnsAtTheFixedEdges)
{
    struct Case {
        const char* name;
        std::function<void(Sheet&)> select;
        CellRange reported;
        bool wholeRows, wholeCols;
    };
    const Case cases[] = {
        { "cells", [](Sheet& s) { s.select(2, 3, 4, 5); }, { 2, 3, 4, 5 }, false, false },
        { "corners in any order", [](Sheet& s) { s.select(4, 5, 2, 3); }, { 2, 3, 4, 5 }, false, false },
        { "rows", [](Sheet& s) { s.selectRows(3, 7); }, { 3, 1, 7, kWholeRowLastCol }, true, false },
        { "columns", [](Sheet& s) { s.selectCols(2, 2); }, { 1, 2, kWholeColLastRow, 2 }, false, true },
        { "all", [](Sheet& s) { s.selectAll(); }, { 1, 1, kWholeColLastRow, kWholeRowLastCol }, true, true },
    };
    for (const auto& c : cases) {
        Sheet sheet;
        sheet.setMaxRow(30);
        sheet.setMaxCol(8);
        c.select(sheet);
        EXPECT_EQ(sheet.selection(), c.reported) << c.name;
        EXPECT_EQ(sheet.selectionIsWholeRows(), c.wholeRows) << c.name;
        EXPECT_EQ(sheet.selectionIsWholeCols(), c.wholeCols) << c.name;
        EXPECT_EQ(sheet.activeRow(), c.reported.row1) << c.name;
        EXPECT_EQ(sheet.activeCol(), c.reported.col1) << c.name;
        EXPECT_EQ(sheet.selectionCount(), 1) << c.name;
    }
}

TEST(SheetSelection, SelectingInsideAMergedBlockTakesTheWholeBlock)
{
    Sheet sheet;
    sheet.merge(CellRange { 2, 2, 4, 3 });
    sheet.merge(CellRange { 4, 4, 5, 5 });
    struct Case {
        CellRange asked, taken;
    };
    const Case cases[] = {
        { CellRange::cell(2, 2), { 2, 2, 4, 3 } }, // the block's first cell
        { CellRange::cell(3, 3), { 2, 2, 4, 3 } }, // a covered cell
        { { 1, 1, 2, 2 }, { 1, 1, 4, 3 } }, // a range touching the block
        { { 4, 3, 4, 4 }, { 2, 2, 5, 5 } }, // touching two blocks
        { CellRange::cell(6, 6), CellRange::cell(6, 6) },
    };
    for (const auto& c : cases) {
        sheet.select(c.asked);
        EXPECT_EQ(sheet.selection(), c.taken);
        EXPECT_EQ(sheet.activeRow(), c.taken.row1);
        EXPECT_EQ(sheet.activeCol(), c.taken.col1);
    }
    sheet.selectRows(3, 3); // whole rows stay as asked
    EXPECT_EQ(sheet.selection(), (CellRange { 3, 1, 3, kWholeRowLastCol }));
}

TEST(SheetSelection, TextsGoToTheActiveCellOrToEveryShownCell)
{
    Sheet sheet;
    sheet.merge(CellRange { 1, 1, 1, 2 });
    sheet.select(1, 1, 2, 2);
    sheet.setSelectionText("x");
    EXPECT_EQ(sheet.text(1, 1), "x");
    EXPECT_TRUE(sheet.isEmpty(1, 2)); // covered by the block
    EXPECT_EQ(sheet.text(2, 1), "x");
    EXPECT_EQ(sheet.text(2, 2), "x");

    sheet.setActiveCell(2, 2);
    EXPECT_EQ(sheet.selection(), (CellRange { 1, 1, 2, 2 })); // still the same selection
    sheet.setActiveCellText("12");
    EXPECT_EQ(sheet.value(2, 2), CellValue(12.0));
    EXPECT_EQ(sheet.selectionText(), "12");
    EXPECT_EQ(sheet.activeCellText(), "12");

    sheet.setActiveCell(7, 7); // outside: selects that cell
    EXPECT_EQ(sheet.selection(), CellRange::cell(7, 7));
}

TEST(SheetSelection, AFormulaFillsTheSelectionMovedByEachCellsOffset)
{
    Sheet sheet;
    for (int row = 1; row <= 3; ++row) {
        sheet.setNumber(row, 1, row);
        sheet.setNumber(row, 2, 10 * row);
    }
    sheet.select(1, 3, 3, 3);
    sheet.setSelectionFormula("A1+B1+$A$1");
    EXPECT_EQ(sheet.formula(3, 3), "A3+B3+$A$1");
    EXPECT_EQ(sheet.value(3, 3), CellValue(34.0));
    EXPECT_EQ(sheet.selectionFormula(), "A1+B1+$A$1");

    sheet.select(1, 4, 2, 4);
    sheet.setSelectionText("=C1*2");
    EXPECT_EQ(sheet.value(2, 4), CellValue(46.0));
}

TEST(SheetSelection, SeveralRangesAreKeptInOrder)
{
    Sheet sheet;
    sheet.select(1, 1, 2, 2);
    sheet.addSelection(CellRange { 5, 5, 6, 6 });
    EXPECT_EQ(sheet.selectionCount(), 2);
    EXPECT_EQ(sheet.selection(1), (CellRange { 5, 5, 6, 6 }));
    EXPECT_EQ(sheet.activeRow(), 5);
    sheet.setSelectionText("v");
    EXPECT_EQ(sheet.text(2, 2), "v");
    EXPECT_EQ(sheet.text(6, 6), "v");
    EXPECT_TRUE(sheet.isEmpty(3, 3));
    EXPECT_EQ(errorNumberOf([&] { sheet.selection(2); }), platform::errors::InvalidArgument);
}

#include "DesignerFixture.h"

#include "designer/RowColumnEdits.h"
#include "designer/SelectionEdits.h"

using namespace designer;
using platform::grid::CellRange;

namespace
{

class GridEdits : public designertest::DesignerTest
{
};

const QString Wizard = "PH 1:2, DD 3:3, PT 4:4";

TEST_F(GridEdits, InsertedRowsGrowTheirRegion)
{
    const struct {
        int row;
        InsertPlace place;
        QString regions;
    } cases[] = {
        { 1, InsertPlace::Before, "PH 1:3, DD 4:4, PT 5:5" },
        { 2, InsertPlace::After, "PH 1:3, DD 4:4, PT 5:5" },
        { 3, InsertPlace::After, "PH 1:2, DD 3:4, PT 5:5" },
        { 5, InsertPlace::Before, Wizard }, // below every region: the used size still grows
    };
    for (const auto& c : cases) {
        auto grid = designGrid(store::DataReport, 6, 5, Wizard);
        grid.setText(c.row, 2, "x");
        grid.select(c.row, 2, c.row, 3);
        ASSERT_TRUE(InsertRow(grid, c.place));
        EXPECT_EQ(regions(), c.regions) << c.row;
        EXPECT_EQ(designRows(), 7);
        EXPECT_EQ(grid.maxRow(), 7);
        EXPECT_EQ(grid.entry(c.place == InsertPlace::Before ? c.row + 1 : c.row, 2), "x");
        designertest::expectMarkersMatchRegions(grid);
    }
}

TEST_F(GridEdits, StatisticsCountsGrowOnlyForInsertsInsideTheUsedArea)
{
    // Used area 6 rows and 4 columns of a sheet of 10 × 8.
    const struct {
        int at;
        InsertPlace place;
        int rows, cols;
    } cases[] = {
        { 3, InsertPlace::Before, 7, 5 },
        { 6, InsertPlace::After, 6, 4 }, // below (right of) the last used row (column)
        { 8, InsertPlace::Before, 6, 4 }, // wholly beyond the used area
        { 2, InsertPlace::After, 7, 5 },
    };
    for (const auto& c : cases) {
        auto grid = designGrid(store::StatisticsReport, 10, 8);
        store::reportState().DesignRowCount = 6;
        store::reportState().DesignColCount = 4;
        grid.select(c.at, std::min(c.at, 4), c.at, std::min(c.at, 4));
        ASSERT_TRUE(InsertRow(grid, c.place));
        grid.select(std::min(c.at, 6), c.at, std::min(c.at, 6), c.at);
        ASSERT_TRUE(InsertColumn(grid, c.place));
        EXPECT_EQ(designRows(), c.rows) << c.at;
        EXPECT_EQ(designCols(), c.cols) << c.at;
        EXPECT_EQ(grid.maxRow(), 11);
        EXPECT_EQ(grid.maxCol(), 9);
    }
}

TEST_F(GridEdits, RowsDeletedInsideARegionShrinkIt)
{
    auto grid = designGrid(store::DataReport, 7, 4, "PH 1:3, DD 4:4, PT 5:5");
    grid.select(2, 2, 3, 2);
    ASSERT_TRUE(DeleteRow(grid));
    EXPECT_EQ(regions(), "PH 1:1, DD 2:2, PT 3:3");
    EXPECT_EQ(designRows(), 5);
    EXPECT_EQ(grid.maxRow(), 5);
    designertest::expectMarkersMatchRegions(grid);

    // Rows below the used area leave its count alone.
    store::reportState().DesignRowCount = 3;
    grid.select(4, 2, 5, 2);
    ASSERT_TRUE(DeleteRow(grid));
    EXPECT_EQ(designRows(), 3);
    EXPECT_EQ(grid.maxRow(), 3);
}

TEST_F(GridEdits, ColumnsDeletedCountFromBeforeTheDeletion)
{
    // Used columns 1 to 6 of 8; the selection 1 to 3 starts in the marker column, 5 to 7 ends beyond the
    // used area.
    const struct {
        int col1, col2, designCols, lastCol;
    } cases[] = { { 1, 3, 4, 6 }, { 5, 7, 4, 5 }, { 7, 8, 6, 6 } };
    for (const auto& c : cases) {
        auto grid = designGrid(store::DataReport, 4, 8, Wizard);
        store::reportState().DesignColCount = 6;
        for (int col = 2; col <= 8; ++col)
            grid.setText(1, col, QString::number(col));
        grid.select(1, c.col1, 1, c.col2);
        ASSERT_TRUE(DeleteColumn(grid));
        EXPECT_EQ(designCols(), c.designCols) << c.col1;
        EXPECT_EQ(grid.maxCol(), c.lastCol) << c.col1;
        EXPECT_EQ(grid.entry(1, c.col1 == 1 ? 2 : 4), "4") << c.col1;
        designertest::expectMarkersMatchRegions(grid);
    }
}

TEST_F(GridEdits, MergeKeepsTheTextOfAMergedActiveCellAndWidensTheUsedArea)
{
    const struct {
        CellRange selection;
        int activeRow, activeCol;
        QString kept;
    } cases[] = {
        { { 3, 2, 4, 3 }, 4, 3, "active" },
        { { 3, 1, 4, 3 }, 3, 1, "first" }, // dragged from the marker column: the label is not taken
    };
    for (const auto& c : cases) {
        auto grid = designGrid(store::DataReport, 4, 4, "PH 1:2, DD 3:4");
        store::reportState().DesignRowCount = 2;
        store::reportState().DesignColCount = 2;
        grid.setText(3, 2, "first");
        grid.setText(4, 3, "active");
        grid.select(c.selection);
        grid.setActiveCell(c.activeRow, c.activeCol);
        ASSERT_TRUE(MergeSelection(grid));
        EXPECT_EQ(grid.mergedBlocks(), QList<CellRange> { CellRange({ 3, 2, 4, 3 }) });
        EXPECT_EQ(grid.entry(3, 2), c.kept);
        EXPECT_EQ(grid.selection(), CellRange({ 3, 2, 4, 3 }));
        EXPECT_EQ(designRows(), 4);
        EXPECT_EQ(designCols(), 3);
        designertest::expectMarkersMatchRegions(grid);
    }
}

TEST_F(GridEdits, ClearAndSizesLeaveTheMarkerColumn)
{
    auto grid = designGrid(store::DataReport, 4, 4, Wizard);
    grid.setText(1, 2, "x");
    grid.select(1, 1, 2, 4);
    ASSERT_TRUE(ClearSelection(grid, ClearMode::Contents));
    EXPECT_EQ(grid.entry(1, 2), QString());
    designertest::expectMarkersMatchRegions(grid);

    grid.selectRows(2, 3);
    SetSelRowHeight(grid, 566.5); // whole twips, halves to even
    EXPECT_EQ(grid.rowHeight(3), 566);
    const int markerWidth = grid.colWidth(1);
    SetSelColWidth(grid, 1134.5);
    EXPECT_EQ(grid.colWidth(1), markerWidth);
    EXPECT_EQ(grid.colWidth(4), 1134);
}

} // namespace

#include "DesignerFixture.h"

#include "designer/RowColumnEdits.h"
#include "designer/SelectionEdits.h"

using namespace designer;
using platform::grid::CellRange;
using platform::ui::MsgBoxResult;

namespace
{

class GridEdits : public designertest::DesignerTest
{
protected:
    // The one box shown: its text and title.
    void expectBox(const QString& text, const QString& title)
    {
        ASSERT_FALSE(ui.boxes().empty());
        EXPECT_EQ(ui.boxes().back().text, text);
        EXPECT_EQ(ui.boxes().back().title, title);
    }
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

TEST_F(GridEdits, InsertsRefused)
{
    const struct {
        int rows, cols;
        CellRange selection;
        bool row;
        InsertPlace place;
        QString message, title;
    } cases[] = {
        { 50, 5, { 3, 2, 3, 2 }, true, InsertPlace::After, "报表行数已达到最大值,不可再插入行!", "提示信息" },
        { 6, 50, { 3, 2, 3, 2 }, false, InsertPlace::After, "报表列数已达到最大值,不可再插入列!",
            "提示信息" },
        { 6, 5, { 3, 1, 3, 2 }, false, InsertPlace::Before, "区域标志区不可向左插入列！", "提示信息" },
        // Whole rows and whole columns, which do not grow over the block that they cut.
        { 6, 5, { 2, 1, 2, 256 }, true, InsertPlace::Before, "不可向合并单元格中插入行!", "错误信息" },
        { 6, 5, { 1, 3, 65536, 3 }, false, InsertPlace::Before, "不可向合并单元格中插入列!", "错误信息" },
    };
    for (const auto& c : cases) {
        auto grid = designGrid(store::DataReport, c.rows, c.cols, Wizard);
        grid.merge({ 1, 2, 2, 3 });
        grid.select(c.selection);
        const platform::grid::Sheet before = grid;
        EXPECT_FALSE(c.row ? InsertRow(grid, c.place) : InsertColumn(grid, c.place));
        expectBox(c.message, c.title);
        EXPECT_EQ(regions(), Wizard);
        EXPECT_EQ(designRows(), c.rows);
        EXPECT_EQ(designCols(), c.cols);
        EXPECT_EQ(grid.maxRow(), c.rows);
        EXPECT_EQ(grid.maxCol(), c.cols);
        EXPECT_EQ(grid.mergedBlocks(), before.mergedBlocks());
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

TEST_F(GridEdits, DeletionsRefusedOrDeclined)
{
    const struct {
        int type;
        CellRange selection;
        bool row;
        MsgBoxResult answer;
        QStringList boxes;
        QString title;
    } cases[] = {
        { store::DataReport, { 2, 2, 3, 2 }, true, MsgBoxResult::Yes,
            { "确定要删除当前行?", "不可同时删除多个报表区域内的行！" }, "提示信息" },
        { store::DataReport, { 5, 2, 5, 2 }, true, MsgBoxResult::No, { "确定要删除当前行?" }, "提示信息" },
        { store::DataReport, { 5, 1, 5, 256 }, true, MsgBoxResult::Yes,
            { "确定要删除当前行?", "合并单元格中的行不可删除" }, "错误信息" },
        { store::StatisticsReport, { 1, 1, 6, 1 }, true, MsgBoxResult::Yes,
            { "确定要删除当前行?", "报表区域的行不可全部删除!" }, "错误信息" },
        { store::DataReport, { 2, 1, 2, 1 }, false, MsgBoxResult::Yes, { "区域列不可删除!" }, "提示信息" },
        { store::DataReport, { 2, 4, 2, 4 }, false, MsgBoxResult::Yes,
            { "确定要删除当前列?", "合并单元格中的列不可删除!" }, "错误信息" },
        { store::DataReport, { 1, 1, 1, 5 }, false, MsgBoxResult::Yes,
            { "确定要删除当前列?", "报表区域的列不可全部删除！" }, "错误信息" },
        { store::StatisticsReport, { 1, 1, 1, 5 }, false, MsgBoxResult::Yes,
            { "确定要删除当前列?", "报表区域的列不可全部删除！" }, "错误信息" },
    };
    for (const auto& c : cases) {
        platform::ui::ScriptedUi script;
        script.queueAnswer(c.answer);
        auto grid = designGrid(c.type, 6, 5, c.type == store::DataReport ? "PH 1:2, DD 3:4, PT 5:6" : "");
        grid.merge({ 5, 4, 6, 5 });
        grid.select(c.selection);
        EXPECT_FALSE(c.row ? DeleteRow(grid) : DeleteColumn(grid));
        EXPECT_EQ(script.boxTexts(), c.boxes);
        EXPECT_EQ(script.boxes().back().title, c.title);
        EXPECT_EQ(designRows(), 6);
        EXPECT_EQ(designCols(), 5);
        EXPECT_EQ(grid.maxRow(), 6);
        EXPECT_EQ(grid.maxCol(), 5);
        EXPECT_EQ(grid.mergedBlocks(), QList<CellRange> { CellRange({ 5, 4, 6, 5 }) });
    }
}

TEST_F(GridEdits, ColumnsDeletedCountFromBeforeTheDeletion)
{
    // Used columns 1 to 6 of 8; the selection 1 to 3 starts in the marker column, 5 to 7 ends beyond the
    // used area.
    const struct {
        int col1, col2, designCols, lastCol;
        QString left;
    } cases[] = { { 1, 3, 4, 6, "4" }, { 5, 7, 4, 5, "4" }, { 7, 8, 6, 6, "4" } };
    for (const auto& c : cases) {
        auto grid = designGrid(store::DataReport, 4, 8, Wizard);
        store::reportState().DesignColCount = 6;
        for (int col = 2; col <= 8; ++col)
            grid.setText(1, col, QString::number(col));
        grid.select(1, c.col1, 1, c.col2);
        ASSERT_TRUE(DeleteColumn(grid));
        EXPECT_EQ(designCols(), c.designCols) << c.col1;
        EXPECT_EQ(grid.maxCol(), c.lastCol) << c.col1;
        EXPECT_EQ(grid.entry(1, c.col1 == 1 ? 2 : 4), c.left) << c.col1;
        designertest::expectMarkersMatchRegions(grid);
    }
}

TEST_F(GridEdits, MergeKeepsTheTextOfAMergedActiveCell)
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
        grid.setText(3, 2, "first");
        grid.setText(4, 3, "active");
        grid.select(c.selection);
        grid.setActiveCell(c.activeRow, c.activeCol);
        ASSERT_TRUE(MergeSelection(grid));
        EXPECT_EQ(grid.mergedBlocks(), QList<CellRange> { CellRange({ 3, 2, 4, 3 }) });
        EXPECT_EQ(grid.entry(3, 2), c.kept);
        EXPECT_EQ(grid.selection(), CellRange({ 3, 2, 4, 3 }));
        designertest::expectMarkersMatchRegions(grid);
    }
}

TEST_F(GridEdits, MergeAcrossRegionsRefusedAndBeyondTheUsedAreaWidensIt)
{
    auto grid = designGrid(store::DataReport, 8, 6, Wizard);
    grid.select(2, 2, 3, 3);
    EXPECT_FALSE(MergeSelection(grid));
    expectBox("不可合并报表中两个或两个以上不同区域内的单元格！", "提示信息");
    EXPECT_TRUE(grid.mergedBlocks().isEmpty());

    store::reportState().DesignRowCount = 4;
    store::reportState().DesignColCount = 3;
    grid.select(6, 5, 7, 6);
    ASSERT_TRUE(MergeSelection(grid));
    EXPECT_EQ(designRows(), 7);
    EXPECT_EQ(designCols(), 6);
}

TEST_F(GridEdits, ClearingLeavesTheMarkerColumn)
{
    auto grid = designGrid(store::DataReport, 4, 4, Wizard);
    grid.setText(1, 2, "x");
    grid.select(1, 1, 1, 1);
    EXPECT_FALSE(ClearSelection(grid, ClearMode::Contents));
    expectBox("区域标志区的格式不可清除！", "提示信息");

    grid.select(1, 1, 2, 4);
    ASSERT_TRUE(ClearSelection(grid, ClearMode::Contents));
    EXPECT_EQ(grid.entry(1, 2), QString());
    designertest::expectMarkersMatchRegions(grid);

    // Whole rows do not grow over merged blocks: this one cuts a block.
    grid.merge({ 3, 2, 4, 3 });
    grid.selectRows(3, 3);
    EXPECT_FALSE(ClearSelection(grid, ClearMode::Formats));
    expectBox("所选区域涉及合并单元格，不能清除该区域的格式信息！", "提示信息");
    EXPECT_EQ(grid.mergedBlocks().size(), 1);
}

TEST_F(GridEdits, SizesOfTheSelection)
{
    auto grid = designGrid(store::DataReport, 4, 4, Wizard);
    grid.selectRows(2, 3);
    SetSelRowHeight(grid, 566.5);
    EXPECT_EQ(grid.rowHeight(2), 566);
    EXPECT_EQ(grid.rowHeight(3), 566);
    const int markerWidth = grid.colWidth(1);
    SetSelColWidth(grid, 1134.5);
    EXPECT_EQ(grid.colWidth(1), markerWidth);
    EXPECT_EQ(grid.colWidth(4), 1134);
    grid.select(1, 1, 1, 1);
    SetSelColWidth(grid, 2000);
    EXPECT_EQ(grid.colWidth(1), markerWidth);
}

} // namespace

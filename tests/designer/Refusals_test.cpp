#include "DesignerFixture.h"

#include "designer/RegionEdits.h"
#include "designer/RowColumnEdits.h"
#include "designer/SelectionEdits.h"

#include <functional>

using namespace designer;
using platform::grid::CellRange;
using platform::grid::Sheet;
using platform::ui::MsgBoxResult;

namespace
{

class Refusals : public designertest::DesignerTest
{
};

// Every refused or declined edit shows its boxes and leaves grid, regions and used size as they were.
// The grid: 6 × 5, a block over rows 5-6 and columns 4-5 (across the detail band's last row and the page
// tail, as a stored report may hold it).
TEST_F(Refusals, LeaveEverythingAsItWas)
{
    using Edit = std::function<bool(Sheet&)>;
    const Edit rowAbove = [](Sheet& g) { return InsertRow(g, InsertPlace::Before); };
    const Edit colLeft = [](Sheet& g) { return InsertColumn(g, InsertPlace::Before); };
    const Edit addGroup = [](Sheet& g) { return AddRegion(g, RegionPair::GroupHeadTail); };
    const Edit clearFormats = [](Sheet& g) { return ClearSelection(g, ClearMode::Formats); };
    const QString rows = "确定要删除当前行?";
    const QString cols = "确定要删除当前列?";
    const QString region = "确定要删除该区域吗？";
    const QString three = "GH1 1:1, GH2 2:2, GH3 3:3, DD 4:5, GT3 6:6, GT2 7:7, GT1 8:8";
    const struct {
        int type;
        QString regions;
        int rows, cols;
        CellRange selection;
        Edit edit;
        MsgBoxResult answer;
        QStringList boxes;
        QString title;
    } cases[] = {
        // Limits and the marker column.
        { store::DataReport, "DD 1:4", 50, 5, { 2, 2, 2, 2 }, rowAbove, {},
            { "报表行数已达到最大值,不可再插入行!" }, "提示信息" },
        { store::DataReport, "DD 1:4", 6, 50, { 2, 2, 2, 2 }, colLeft, {},
            { "报表列数已达到最大值,不可再插入列!" }, "提示信息" },
        { store::DataReport, "DD 1:4", 6, 5, { 2, 1, 2, 2 }, colLeft, {}, { "区域标志区不可向左插入列！" },
            "提示信息" },
        { store::DataReport, "DD 1:4", 6, 5, { 2, 1, 2, 1 }, DeleteColumn, {}, { "区域列不可删除!" },
            "提示信息" },
        { store::DataReport, "DD 1:4", 6, 5, { 2, 1, 3, 1 }, clearFormats, {},
            { "区域标志区的格式不可清除！" }, "提示信息" },
        // Regions: a refused deletion is refused without a question first.
        { store::DataReport, "PH 1:2, DD 3:4", 6, 5, { 2, 2, 3, 2 }, DeleteRow, {},
            { "不可同时删除多个报表区域内的行！" }, "提示信息" },
        { store::DataReport, "PH 1:2, DD 3:4", 6, 5, { 2, 2, 3, 3 }, MergeSelection, {},
            { "不可合并报表中两个或两个以上不同区域内的单元格！" }, "提示信息" },
        { store::DataReport, "PH 1:2, DD 3:4", 6, 5, { 2, 2, 3, 2 }, DeleteRegion, {},
            { "请选择一个区域进行删除!" }, "提示信息" },
        { store::DataReport, "PH 1:2, DD 3:4", 6, 5, { 4, 2, 4, 2 }, DeleteRegion, {}, { "细节区不可删除!" },
            "提示信息" },
        { store::DataReport, "PH 1:2, DD 3:4", 6, 5, { 1, 2, 1, 2 }, DeleteRegion, MsgBoxResult::No,
            { region }, "提示信息" },
        { store::DataReport, three, 8, 5, { 1, 2, 1, 2 }, addGroup, {},
            { "报表已有三级分组，不可再添加分组区域！" }, "提示信息" },
        // The grid's refusals; whole rows and columns do not grow over the block that they cut.
        { store::DataReport, "PH 1:2, DD 3:5, PT 6:6", 6, 5, { 6, 1, 6, 256 }, rowAbove, {},
            { "不可向合并单元格中插入行!" }, "错误信息" },
        { store::DataReport, "PH 1:2, DD 3:5, PT 6:6", 6, 5, { 1, 5, 65536, 5 }, colLeft, {},
            { "不可向合并单元格中插入列!" }, "错误信息" },
        { store::DataReport, "PH 1:2, DD 3:5, PT 6:6", 6, 5, { 5, 1, 5, 256 }, DeleteRow, MsgBoxResult::Yes,
            { rows, "合并单元格中的行不可删除" }, "错误信息" },
        { store::DataReport, "PH 1:2, DD 3:5, PT 6:6", 6, 5, { 1, 4, 1, 4 }, DeleteColumn, MsgBoxResult::Yes,
            { cols, "合并单元格中的列不可删除!" }, "错误信息" },
        { store::DataReport, "PH 1:2, DD 3:5, PT 6:6", 6, 5, { 1, 1, 1, 5 }, DeleteColumn, MsgBoxResult::Yes,
            { cols, "报表区域的列不可全部删除！" }, "错误信息" },
        // Refused halfway: the page head's rows (or the group head's) are gone (in) when the tail cuts the
        // block.
        { store::DataReport, "PH 1:2, DD 3:5, PT 6:6", 6, 5, { 1, 2, 2, 2 }, DeleteRegion, MsgBoxResult::Yes,
            { region, "合并单元格中的行不可删除" }, "错误信息" },
        { store::DataReport, "PH 1:1, DD 2:5, PT 6:6", 6, 5, { 1, 2, 1, 2 }, addGroup, {},
            { "不可向合并单元格中插入行!" }, "错误信息" },
        { store::DataReport, "PH 1:2, DD 3:5, PT 6:6", 6, 5, { 5, 1, 5, 256 }, clearFormats, {},
            { "所选区域涉及合并单元格，不能清除该区域的格式信息！" }, "提示信息" },
        { store::StatisticsReport, {}, 6, 5, { 1, 1, 6, 1 }, DeleteRow, MsgBoxResult::Yes,
            { rows, "报表区域的行不可全部删除!" }, "错误信息" },
        { store::StatisticsReport, {}, 6, 5, { 1, 1, 1, 5 }, DeleteColumn, MsgBoxResult::Yes,
            { cols, "报表区域的列不可全部删除！" }, "错误信息" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.boxes.last().toStdString());
        platform::ui::ScriptedUi script;
        script.queueAnswer(c.answer);
        auto grid = designGrid(c.type, c.rows, c.cols, c.regions);
        grid.merge({ 5, 4, 6, 5 });
        grid.setText(5, 4, "合并");
        grid.select(c.selection);
        const Sheet before = grid;
        EXPECT_FALSE(c.edit(grid));
        EXPECT_EQ(script.boxTexts(), c.boxes);
        EXPECT_EQ(script.boxes().back().title, c.title);
        EXPECT_EQ(regions(), designertest::regionsText(designertest::regionsFrom(c.regions)));
        EXPECT_EQ(designRows(), c.rows);
        EXPECT_EQ(designCols(), c.cols);
        EXPECT_EQ(grid.maxRow(), c.rows);
        EXPECT_EQ(grid.maxCol(), c.cols);
        EXPECT_EQ(grid.mergedBlocks(), before.mergedBlocks());
        EXPECT_EQ(grid.entry(5, 4), "合并");
        EXPECT_EQ(designertest::markerColumnFault(grid), QString());
    }
}

} // namespace

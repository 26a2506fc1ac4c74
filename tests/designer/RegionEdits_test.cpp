#include "DesignerFixture.h"

#include "designer/RegionEdits.h"
#include "designer/RowColumnEdits.h"

using namespace designer;

namespace
{

class RegionEdits : public designertest::DesignerTest
{
};

TEST_F(RegionEdits, GroupsAndReportHeadAddedThenALevelDeleted)
{
    auto grid = designGrid(store::DataReport, 4, 6, "PH 1:2, DD 3:3, PT 4:4");
    grid.setText(3, 2, "明细");

    const struct {
        RegionPair pair;
        QString regions;
    } adds[] = {
        { RegionPair::GroupHeadTail, "PH 1:2, GH1 3:3, DD 4:4, GT1 5:5, PT 6:6" },
        { RegionPair::GroupHeadTail, "PH 1:2, GH1 3:3, GH2 4:4, DD 5:5, GT2 6:6, GT1 7:7, PT 8:8" },
        { RegionPair::ReportHeadTail,
            "RH 1:1, PH 2:3, GH1 4:4, GH2 5:5, DD 6:6, GT2 7:7, GT1 8:8, PT 9:9, RT 10:10" },
    };
    int rows = 4;
    for (const auto& add : adds) {
        ASSERT_TRUE(AddRegion(grid, add.pair));
        rows += 2;
        EXPECT_EQ(regions(), add.regions);
        EXPECT_EQ(designRows(), rows);
        EXPECT_EQ(grid.maxRow(), rows);
        designertest::expectMarkersMatchRegions(grid);
    }
    EXPECT_EQ(grid.entry(6, 2), "明细");

    grid.setText(4, 2, "一级");
    grid.setText(5, 2, "二级");
    grid.select(4, 1, 4, 1);
    ASSERT_TRUE(DeleteRegion(grid));
    EXPECT_EQ(regions(), "RH 1:1, PH 2:3, GH1 4:4, DD 5:5, GT1 6:6, PT 7:7, RT 8:8");
    EXPECT_EQ(designRows(), 8);
    EXPECT_EQ(grid.maxRow(), 8);
    EXPECT_EQ(grid.entry(4, 2), "二级");
    EXPECT_EQ(grid.entry(5, 2), "明细");
    EXPECT_EQ(grid.format(4, 1).patternBackground, regionMarkerFormat(3).patternBackground);
    designertest::expectMarkersMatchRegions(grid);
    EXPECT_EQ(ui.boxTexts(), QStringList { "确定要删除该区域吗？" });

    // The freed level is the one the next group takes.
    ASSERT_TRUE(AddRegion(grid, RegionPair::GroupHeadTail));
    EXPECT_EQ(regions(), "RH 1:1, PH 2:3, GH1 4:4, GH2 5:5, DD 6:6, GT2 7:7, GT1 8:8, PT 9:9, RT 10:10");
}

TEST_F(RegionEdits, PageHeadAndTailGoInsideTheReportHeadAndTail)
{
    const struct {
        QString before, after;
    } cases[] = {
        { "DD 1:1", "PH 1:1, DD 2:2, PT 3:3" },
        { "RH 1:1, GH1 2:2, DD 3:3, GT1 4:4, RT 5:5",
            "RH 1:1, PH 2:2, GH1 3:3, DD 4:4, GT1 5:5, PT 6:6, RT 7:7" },
        { "RH 1:1, DD 2:3, RT 4:4", "RH 1:1, PH 2:2, DD 3:4, PT 5:5, RT 6:6" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before.toStdString());
        auto grid = designGrid(store::DataReport, 8, 4, c.before);
        ASSERT_TRUE(AddPageHeadTail(grid));
        EXPECT_EQ(regions(), c.after);
        EXPECT_EQ(grid.maxRow(), 10);
        designertest::expectMarkersMatchRegions(grid);
    }
}

TEST_F(RegionEdits, AMissingPartnerDeletesNoOtherRow)
{
    // A stored table holding a page head without its tail: only the page head's rows go.
    auto grid = designGrid(store::DataReport, 5, 4, "PH 1:2, DD 3:3");
    for (int row = 1; row <= 5; ++row)
        grid.setText(row, 2, QString::number(row));
    grid.select(1, 2, 2, 2);
    ASSERT_TRUE(DeleteRegion(grid));
    EXPECT_EQ(regions(), "DD 1:1");
    EXPECT_EQ(designRows(), 3);
    EXPECT_EQ(grid.maxRow(), 3);
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(grid.entry(row, 2), QString::number(row + 2));
}

TEST_F(RegionEdits, RowsOfAWholeRegionAreDeletedAsTheRegion)
{
    auto grid = designGrid(store::DataReport, 7, 4, "PH 1:2, GH1 3:3, DD 4:5, GT1 6:6, PT 7:7");
    grid.selectRows(6, 6);
    ASSERT_TRUE(DeleteRow(grid));
    EXPECT_EQ(ui.boxTexts(), QStringList { "确定要删除该区域吗？" }) << "one question for one deletion";
    EXPECT_EQ(regions(), "PH 1:2, DD 3:4, PT 5:5");
    EXPECT_EQ(grid.maxRow(), 5);
}

TEST_F(RegionEdits, StatisticsReportsHaveNoRegions)
{
    auto grid = designGrid(store::StatisticsReport, 4, 4);
    grid.setText(1, 1, "标题");
    PaintRegionMarkers(grid);
    EXPECT_EQ(grid.entry(1, 1), "标题");
    EXPECT_FALSE(AddRegion(grid, RegionPair::GroupHeadTail));
    EXPECT_FALSE(DeleteRegion(grid));
    EXPECT_EQ(grid.maxRow(), 4);
    EXPECT_TRUE(ui.boxTexts().isEmpty());
}

// The label is white only on the detail band's deep blue; black reads better on every other fill.
TEST(RegionMarkerLook, StoredColoursBecomeTheirRgbWithAReadableLabel)
{
    const QRgb black = 0x000000;
    const struct {
        int entry;
        QRgb rgb;
        QRgb label;
    } cases[] = { { 1, 0xFFFFC0, black }, { 10, 0xFFFF00, black }, { 3, 0x80FFFF, black },
        { 8, 0x00C0C0, black }, { 5, 0x8080FF, black },
        { 6, 0x0000FF, 0xFFFFFF } }; // 0xRRGGBB: RGB 255,255,192 is the stored C0FFFF
    for (const auto& c : cases) {
        const auto look = regionMarkerFormat(c.entry);
        EXPECT_EQ(look.patternBackground, c.rgb) << c.entry;
        EXPECT_EQ(look.patternForeground, c.rgb) << c.entry;
        EXPECT_EQ(look.fontColor, c.label) << c.entry;
        EXPECT_FALSE(look.mergeCells.has_value());
    }
}

} // namespace

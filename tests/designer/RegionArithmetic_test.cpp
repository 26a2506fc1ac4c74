#include "DesignerFixture.h"

#include "designer/RegionArithmetic.h"

using namespace designer;
using designertest::regionsFrom;
using designertest::regionsText;

namespace
{

TEST(RegionArithmetic, SelectionAgainstOneRegion)
{
    const store::ReportRegion region { true, 3, 5 };
    const struct {
        int first, last;
        bool inside, equals, partly;
    } cases[] = {
        { 3, 5, true, true, false },
        { 4, 4, true, false, false },
        { 2, 3, false, false, true },
        { 5, 6, false, false, true },
        { 1, 9, false, false, true },
        { 6, 7, false, false, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << ":" << c.last);
        EXPECT_EQ(SelectionInsideRegion(region, c.first, c.last), c.inside);
        EXPECT_EQ(SelectionEqualsRegion(region, c.first, c.last), c.equals);
        EXPECT_EQ(SelectionPartlyInRegion(region, c.first, c.last), c.partly);
        EXPECT_FALSE(
            SelectionInsideRegion({}, c.first, c.last) || SelectionPartlyInRegion({}, c.first, c.last));
    }
}

TEST(RegionArithmetic, SelectionAgainstTheTable)
{
    const auto regions = regionsFrom("PH 1:2, GH1 3:3, DD 4:6, GT1 7:7, PT 8:8");
    const struct {
        int first, last;
        bool crosses, whole;
        int holder;
    } cases[] = {
        { 4, 6, false, true, 6 },
        { 5, 5, false, false, 6 },
        { 3, 4, true, false, 0 },
        { 9, 12, false, false, 0 },
        { 2, 2, false, false, 2 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << ":" << c.last);
        EXPECT_EQ(RowsCrossRegion(regions, c.first, c.last), c.crosses);
        EXPECT_EQ(RowsAreWholeRegion(regions, c.first, c.last), c.whole);
        EXPECT_EQ(RegionHoldingRows(regions, c.first, c.last), c.holder);
    }
}

TEST(RegionArithmetic, RowsInsertedAndDeleted)
{
    const QString start = "PH 1:2, GH1 3:3, DD 4:5, GT1 6:6, PT 7:7";
    const struct {
        const char* name;
        void (*edit)(store::RegionTable&);
        QString expected;
    } cases[] = {
        { "row in the first region", [](auto& r) { ExtendRegionAtRow(r, 1); },
            "PH 1:3, GH1 4:4, DD 5:6, GT1 7:7, PT 8:8" },
        { "row in the detail band", [](auto& r) { ExtendRegionAtRow(r, 5); },
            "PH 1:2, GH1 3:3, DD 4:6, GT1 7:7, PT 8:8" },
        { "row below every region", [](auto& r) { ExtendRegionAtRow(r, 8); }, start },
        { "two detail rows deleted", [](auto& r) { ShrinkRegionsForRows(r, 4, 1); },
            "PH 1:2, GH1 3:3, DD 4:4, GT1 5:5, PT 6:6" },
        { "rows deleted below every region", [](auto& r) { ShrinkRegionsForRows(r, 8, 2); }, start },
        { "shift from a row", [](auto& r) { ShiftRegionsFromRow(r, 4, -1); },
            "PH 1:2, GH1 3:3, DD 3:4, GT1 5:5, PT 6:6" },
        { "shift past every region", [](auto& r) { ShiftRegionsFromRow(r, 9, 5); }, start },
        { "pair moves down", [](auto& r) { ShiftRegions(r, 6, 11); },
            "PH 1:2, GH1 3:3, DD 5:6, GT1 7:7, PT 8:8" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto regions = regionsFrom(start);
        c.edit(regions);
        EXPECT_EQ(regionsText(regions), c.expected);
    }
}

TEST(RegionArithmetic, GroupLevelsCloseUpAfterADeletion)
{
    // The rows of the deleted level are gone already; the inner levels move one level outward.
    const struct {
        QString regions;
        int deletedEntry;
        QString expected;
    } cases[] = {
        { "GH2 1:1, GH3 2:2, DD 3:3, GT3 4:4, GT2 5:5", 3, "GH1 1:1, GH2 2:2, DD 3:3, GT2 4:4, GT1 5:5" },
        { "GH1 1:1, GH3 2:2, DD 3:3, GT3 4:4, GT1 5:5", 8, "GH1 1:1, GH2 2:2, DD 3:3, GT2 4:4, GT1 5:5" },
        { "GH1 1:1, GH2 2:2, DD 3:3, GT2 4:4, GT1 5:5", 5, "GH1 1:1, GH2 2:2, DD 3:3, GT2 4:4, GT1 5:5" },
        { "PH 1:1, DD 2:2, PT 3:3", 1, "PH 1:1, DD 2:2, PT 3:3" },
    };
    for (const auto& c : cases) {
        auto regions = regionsFrom(c.regions);
        CloseGroupGap(regions, c.deletedEntry);
        EXPECT_EQ(regionsText(regions), c.expected) << c.deletedEntry;
    }
}

TEST(RegionArithmetic, UsedCountAfterADeletion)
{
    const struct {
        int count, first, last, expected;
    } cases[] = { { 10, 3, 4, 8 }, { 10, 9, 12, 8 }, { 10, 11, 12, 10 }, { 10, 10, 10, 9 } };
    for (const auto& c : cases)
        EXPECT_EQ(ReducedCount(c.count, c.first, c.last), c.expected) << c.first << ":" << c.last;
}

TEST(RegionArithmetic, PlacesForNewRegions)
{
    const auto regions = regionsFrom("RH 1:1, PH 2:3, GH1 4:4, DD 5:5, GT1 6:6, PT 7:7, RT 8:8");
    EXPECT_EQ(RowAfterRegions(regions, 2, 1, -1), 4);
    EXPECT_EQ(RowAfterRegions(regions, 9, 7, -1), 7);
    EXPECT_EQ(RowAfterRegions(regionsFrom("DD 1:1"), 9, 7, -1), 0);
    EXPECT_EQ(GetFreeGroupLevel(regions), 2);
    EXPECT_EQ(
        GetFreeGroupLevel(regionsFrom("GH1 1:1, GH2 2:2, GH3 3:3, DD 4:4, GT3 5:5, GT2 6:6, GT1 7:7")), 0);
}

} // namespace

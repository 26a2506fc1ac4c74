#include "DesignerFixture.h"

#include "designer/RegionArithmetic.h"

using namespace designer;
using designertest::regionsFrom;
using designertest::regionsText;

namespace
{

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

} // namespace

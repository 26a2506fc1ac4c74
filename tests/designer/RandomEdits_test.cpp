#include "DesignerFixture.h"

#include "demo/DemoReports.h"
#include "designer/RegionEdits.h"
#include "designer/RowColumnEdits.h"
#include "designer/SelectionEdits.h"
#include "store/DesignFixture.h"

#include <random>

using namespace designer;
using platform::grid::Sheet;

namespace
{

// Where the regions break what every edit keeps ("" when they hold): present regions in table order
// without overlapping, inside the used rows, pairs complete, group levels without gaps, the detail band
// present, the used size inside the sheet, the marker column painted from the table.
QString regionFault(const Sheet& grid)
{
    const store::ReportState& state = store::reportState();
    const store::RegionTable& regions = state.RegionTable;
    int lastEnd = 0;
    for (int entry = 1; entry <= store::RegionEntryCount; ++entry) {
        const store::ReportRegion& region = regions[entry];
        if (region.present != regions[store::partnerEntry(entry)].present)
            return QStringLiteral("entry %1 without its partner").arg(entry);
        if (!region.present)
            continue;
        if (region.beginRow <= lastEnd || region.endRow < region.beginRow
            || region.endRow > state.DesignRowCount)
            return QStringLiteral("entry %1 out of place").arg(entry);
        lastEnd = region.endRow;
    }
    for (int level = 2; level <= store::MaxGroupLevel; ++level) {
        if (regions[store::groupHeadEntry(level)].present
            && !regions[store::groupHeadEntry(level - 1)].present)
            return QStringLiteral("group level %1 without level %2").arg(level).arg(level - 1);
    }
    if (!regions[store::RegionEntry::DataDetail].present)
        return QStringLiteral("no detail band");
    if (state.DesignRowCount > grid.maxRow() || state.DesignColCount > grid.maxCol())
        return QStringLiteral("used size %1 × %2 beyond the sheet")
            .arg(state.DesignRowCount)
            .arg(state.DesignColCount);
    return designertest::markerColumnFault(grid);
}

class RandomEdits : public storetest::DesignTest
{
protected:
    void SetUp() override
    {
        DesignTest::SetUp();
        useDemoArchive();
        installRegionMarkerSeam();
    }

    // The report as the designer opens it: the sheet sized to the stored rows and columns.
    Sheet openForDesign()
    {
        Sheet grid = open(demo::DataReportId);
        grid.setMaxRow(store::reportState().RowCount);
        grid.setMaxCol(store::reportState().ColCount);
        return grid;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    // One edit at a random selection of one to three rows and columns; confirmations are answered Yes.
    QString randomEdit(Sheet& grid)
    {
        const int row = pick(1, grid.maxRow());
        const int col = pick(1, grid.maxCol());
        grid.select(
            row, col, std::min(row + pick(0, 2), grid.maxRow()), std::min(col + pick(0, 2), grid.maxCol()));
        const InsertPlace place = pick(0, 1) ? InsertPlace::Before : InsertPlace::After;
        switch (pick(0, 10)) {
        case 0:
        case 1:
            InsertRow(grid, place);
            return QStringLiteral("insert row");
        case 2:
        case 3:
            InsertColumn(grid, place);
            return QStringLiteral("insert column");
        case 4:
            DeleteRow(grid);
            return QStringLiteral("delete row");
        case 5:
            DeleteColumn(grid);
            return QStringLiteral("delete column");
        case 6:
        case 7:
            AddRegion(grid, RegionPair(pick(0, 2)));
            return QStringLiteral("add region");
        case 8:
            DeleteRegion(grid);
            return QStringLiteral("delete region");
        default:
            MergeSelection(grid);
            return QStringLiteral("merge");
        }
    }

    // The saved block, as a designer sees it: every shown cell's content and look, sizes, merges.
    static void expectSameSavedDesign(const Sheet& edited, const Sheet& reopened)
    {
        const store::ReportState& state = store::reportState();
        for (int row = 1; row <= state.RowCount; ++row) {
            EXPECT_EQ(edited.rowHeight(row), reopened.rowHeight(row)) << "row " << row;
            for (int col = 1; col <= state.ColCount; ++col) {
                const auto block = edited.mergedBlockAt(row, col);
                if (!block || (block->row1 == row && block->col1 == col))
                    EXPECT_EQ(edited.entry(row, col), reopened.entry(row, col)) << row << "," << col;
                EXPECT_TRUE(edited.format(row, col) == reopened.format(row, col)) << row << "," << col;
            }
        }
        for (int col = 2; col <= state.ColCount; ++col)
            EXPECT_EQ(edited.colWidth(col), reopened.colWidth(col)) << "column " << col;
        EXPECT_EQ(edited.mergedBlocks(), reopened.mergedBlocks());
    }

    std::mt19937 random { 20261207 };
};

TEST_P(RandomEdits, RegionsStayInStepAndSurviveSaving)
{
    Sheet grid = openForDesign();
    store::ReportState& state = store::reportState();
    for (int round = 0; round < 3; ++round) {
        for (int step = 0; step < 1000; ++step) {
            const QString edit = randomEdit(grid);
            ASSERT_EQ(regionFault(grid), QString())
                << "round " << round << ", step " << step << ": " << edit.toStdString();
        }
        // The designer's save: the working size becomes the stored one.
        state.RowCount = state.DesignRowCount;
        state.ColCount = state.DesignColCount;
        ASSERT_TRUE(save(grid));
        const QString regions = designertest::regionsText(state.RegionTable);
        const int rows = state.DesignRowCount;
        const int cols = state.DesignColCount;
        const Sheet reopened = openForDesign();
        EXPECT_EQ(designertest::regionsText(state.RegionTable), regions);
        EXPECT_EQ(state.DesignRowCount, rows);
        EXPECT_EQ(state.DesignColCount, cols);
        expectSameSavedDesign(grid, reopened);
        grid = reopened;
    }
}

STORE_TEST_SUITE(RandomEdits);

} // namespace

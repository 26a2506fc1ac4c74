#include "DesignFixture.h"

#include "demo/DemoReports.h"
#include "store/RegionTable.h"

using namespace storetest;
using platform::grid::Sheet;

namespace
{

class ReportRoundTrip : public DesignTest
{
protected:
    void SetUp() override
    {
        DesignTest::SetUp();
        useDemoArchive();
        store::windowSeams().PaintRegionMarkers
            = [this](Sheet&) { paintedRegions.append(store::reportState().RegionTable); };
    }

    QList<store::RegionTable> paintedRegions;
};

TEST_P(ReportRoundTrip, LoadThenSaveKeepsEverySampleReport)
{
    for (const QString& id : { demo::DataReportId, demo::StatisticsReportId }) {
        SCOPED_TRACE(id.toStdString());
        const auto storedRows = allRows(id, false);
        const Sheet loaded = open(id);
        const auto& state = store::reportState();

        ASSERT_TRUE(save(loaded));

        // Index, page settings, regions, SQL pieces and contents are written back as they were stored.
        const auto withoutFormats = [](QList<QStringList> rows) {
            rows.removeIf(
                [](const QStringList& row) { return row.first() == QLatin1String("report_format"); });
            return rows;
        };
        EXPECT_EQ(withoutFormats(allRows(id, false)), withoutFormats(storedRows));
        // The format rows are rewritten from the grid, one per cell and kind: reopened, the grid looks
        // exactly as it did.
        const Sheet reopened = open(id);
        expectSameDesign(loaded, reopened, state.RowCount, firstDesignCol(), state.ColCount);
    }
}

TEST_P(ReportRoundTrip, SaveLoadSaveIsAFixedPoint)
{
    // Format rows by hand. Data report, rows 1-9 and columns 2-7: 39 cells or merged areas (rows 1, 8 and
    // 9 merged whole) give 39 FONT, ALIGNMENT and INPUTFORMAT rows each, 12 BORDER rows (rows 2 and 5), 1
    // WRAPTEXT, 3 MERGE, 1 COLWIDTH and 3 ROWHEIGHT rows (one per band). Statistics report, rows 1-9 and
    // columns 1-3: 23 areas give 3 × 23, 21 BORDER rows (rows 3 to 9), 2 MERGE, 1 COLWIDTH, 1 ROWHEIGHT.
    const struct {
        QString id;
        int formatRows;
    } reports[] = { { demo::DataReportId, 137 }, { demo::StatisticsReportId, 94 } };
    for (const auto& [id, formatRows] : reports) {
        SCOPED_TRACE(id.toStdString());
        ASSERT_TRUE(save(open(id)));
        const auto firstSave = allRows(id);
        EXPECT_EQ(reportRows(QStringLiteral("report_format"), QStringLiteral("format_order"), id).size(),
            formatRows);
        ASSERT_TRUE(save(open(id)));
        EXPECT_EQ(firstSave, allRows(id));
    }
}

// The stored values of the sample data report by hand: the round trips above cannot see a value read
// and written back the same wrong way.
TEST_P(ReportRoundTrip, LoadFillsStateAndGrid)
{
    const Sheet grid = open(demo::DataReportId);
    const auto& state = store::reportState();
    EXPECT_EQ(state.ReportName, demo::DataReportName);
    EXPECT_EQ(state.ReportType, store::DataReport);
    EXPECT_EQ(state.SqlOrder, QStringLiteral("wsda.archive_no"));
    EXPECT_EQ(state.DataRows, 20);
    EXPECT_EQ(state.RowCount, 9);
    EXPECT_EQ(state.DesignColCount, 7);
    EXPECT_DOUBLE_EQ(state.LeftMarge, 0.7875);
    // The regions are read before the marker column is painted, once.
    ASSERT_EQ(paintedRegions.size(), 1);
    EXPECT_EQ(paintedRegions.first(), state.RegionTable);
    EXPECT_EQ(state.RegionTable[store::RegionEntry::DataDetail], (store::ReportRegion { true, 5, 5 }));
    // Field cells show Chinese names; sizes, merges and looks as stored.
    EXPECT_EQ(grid.entry(5, 5), QStringLiteral("@B|题名(文书档案)"));
    EXPECT_EQ(grid.rowHeight(1), 720);
    EXPECT_EQ(grid.colWidth(5), 2950);
    EXPECT_EQ(grid.mergedBlockAt(1, 4), (platform::grid::CellRange { 1, 2, 1, 7 }));
    EXPECT_EQ(grid.format(1, 3).fontSize, 18.0);
    EXPECT_EQ(grid.format(5, 6).numberFormat, QStringLiteral("yyyy-mm-dd"));
}

STORE_TEST_SUITE(ReportRoundTrip);

} // namespace

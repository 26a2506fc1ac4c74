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

    // What a designer sees of the design block: every cell's content and look, the sizes and the merges.
    static void expectSameDesign(const Sheet& expected, const Sheet& actual, int rows, int firstCol, int cols)
    {
        for (int row = 1; row <= rows; ++row) {
            EXPECT_EQ(expected.rowHeight(row), actual.rowHeight(row)) << "row " << row;
            for (int col = firstCol; col <= cols; ++col) {
                EXPECT_EQ(expected.entry(row, col), actual.entry(row, col)) << row << "," << col;
                EXPECT_TRUE(expected.format(row, col) == actual.format(row, col)) << row << "," << col;
            }
        }
        for (int col = firstCol; col <= cols; ++col)
            EXPECT_EQ(expected.colWidth(col), actual.colWidth(col)) << "column " << col;
        EXPECT_EQ(expected.mergedBlocks(), actual.mergedBlocks());
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
        for (const char* table : { "report_index", "report_info", "report_data" }) {
            QList<QStringList> before, after;
            for (const QStringList& row : storedRows)
                if (row.first() == QLatin1String(table))
                    before.append(row);
            for (const QStringList& row : allRows(id, false))
                if (row.first() == QLatin1String(table))
                    after.append(row);
            EXPECT_EQ(before, after) << table;
        }
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

TEST_P(ReportRoundTrip, LoadReportsItsProgress)
{
    const struct {
        QString id;
        QList<int> progress;
    } reports[] = { { demo::DataReportId, { 10, 20, 30, 40, 50 } },
        { demo::StatisticsReportId, { 10, 30, 40, 50 } } };
    for (const auto& [id, progress] : reports) {
        QList<int> values;
        store::reportState().ReportId = id;
        Sheet grid;
        store::OpenReportInDesigner(grid, [&](int value) { values.append(value); });
        EXPECT_EQ(values, progress) << id.toStdString();
    }
    EXPECT_EQ(paintedRegions.size(), 1); // regions of the data report only
}

TEST_P(ReportRoundTrip, LoadFillsStateAndGrid)
{
    const Sheet grid = open(demo::DataReportId);
    const auto& state = store::reportState();

    EXPECT_EQ(state.ReportName, demo::DataReportName);
    EXPECT_EQ(state.ReportGroupId, demo::SampleReportGroup);
    EXPECT_EQ(state.ReportType, store::DataReport);
    EXPECT_EQ(state.SqlSelect, QStringLiteral("wsda.*"));
    EXPECT_EQ(state.SqlOrder, QStringLiteral("wsda.archive_no"));
    EXPECT_EQ(state.TablesName, QStringLiteral("wsda"));
    EXPECT_EQ(state.DataRows, 20);
    EXPECT_EQ(state.RowCount, 9);
    EXPECT_EQ(state.DesignColCount, 7);
    EXPECT_DOUBLE_EQ(state.LeftMarge, 0.7875);

    // The regions are read before the marker column is painted, once.
    ASSERT_EQ(paintedRegions.size(), 1);
    EXPECT_EQ(paintedRegions.first(), state.RegionTable);
    EXPECT_EQ(state.RegionTable[store::RegionEntry::DataDetail], (store::ReportRegion { true, 5, 5 }));
    EXPECT_EQ(state.RegionTable[store::RegionEntry::GroupTail2], (store::ReportRegion { true, 6, 6 }));
    EXPECT_FALSE(state.RegionTable[store::RegionEntry::GroupHead3].present);

    // Field cells show Chinese names; other contents as stored.
    EXPECT_EQ(grid.entry(5, 5), QStringLiteral("@B|题名(文书档案)"));
    EXPECT_EQ(grid.entry(8, 2), QStringLiteral("@C|第%p页 共%P页"));
    EXPECT_EQ(grid.rowHeight(1), 720);
    EXPECT_EQ(grid.colWidth(5), 4000);
    EXPECT_EQ(grid.mergedBlockAt(1, 4), (platform::grid::CellRange { 1, 2, 1, 7 }));
    const auto title = grid.format(1, 3);
    EXPECT_EQ(title.fontSize, 18.0);
    EXPECT_EQ(title.fontBold, true);
    EXPECT_EQ(title.hAlign, platform::grid::HAlign::Center);
    EXPECT_EQ(grid.format(5, 6).numberFormat, QStringLiteral("yyyy-mm-dd"));
    EXPECT_EQ(grid.format(5, 5).wrapText, true);
}

STORE_TEST_SUITE(ReportRoundTrip);

} // namespace

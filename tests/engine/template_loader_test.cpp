#include "EngineFixture.h"

#include "engine/EngineState.h"
#include "engine/OutputForm.h"
#include "engine/TemplateCells.h"
#include "engine/TemplateFormats.h"
#include "engine/TemplatePictures.h"
#include "engine/TemplateRows.h"
#include "platform/db/Recordset.h"
#include "platform/grid/Sheet.h"

#include <QImage>

using namespace enginetest;
using engine::dataEngine;
using engine::ReportCellItem;
using platform::grid::Sheet;
using store::RegionEntry;

namespace
{

const QString BoldFont = QStringLiteral("@FONTBOLD|4|TRUE");

// ---- parsing a cell -----------------------------------------------------------------------------------

TEST(NextExpressionTerm, TheTextsBetweenTheMarks)
{
    const struct {
        QString body;
        QString option1;
        QString option2;
    } cases[] = {
        { "C&3-2&F&", "3-2", "F" },
        { "C&X&BI&", "X", "BI" },
        { "t.C&ab-c&FI&", "ab-c", "FI" },
        { "C&X", "C", "" },
        { "C&X&", "X", "" },
        { "C&a&b&c&d&", "a", "c" },
    };
    for (const auto& c : cases) {
        QString option1 = QStringLiteral("before");
        QString option2 = QStringLiteral("before");
        engine::NextExpressionTerm(c.body, option1, option2);
        EXPECT_EQ(option1, c.option1) << c.body.toStdString();
        EXPECT_EQ(option2, c.option2) << c.body.toStdString();
    }
    QString option1 = QStringLiteral("kept");
    QString option2 = QStringLiteral("kept");
    engine::NextExpressionTerm(QStringLiteral("  "), option1, option2);
    EXPECT_EQ(option1, QStringLiteral("kept"));
    EXPECT_EQ(option2, QStringLiteral("kept"));
}

class FieldCells : public testing::Test
{
protected:
    void SetUp() override
    {
        // Two tables of the data have a column of the same name; the first field is a field too.
        dataEngine().RecordBufferRs = platform::db::Recordset::fabricate({
            { "recid", QMetaType::QString, 20, "wsda" },
            { "title", QMetaType::QString, 100, "wsda" },
            { "title", QMetaType::QString, 100, "jnwj" },
            { "page_no", QMetaType::Int, 0, "jnwj" },
        });
    }
    void TearDown() override
    {
        dataEngine() = engine::DataEngineState {};
        store::reportState() = store::ReportState {};
    }
};

TEST_F(FieldCells, FieldReferencesResolveAgainstTheRecordBuffer)
{
    const struct {
        QString body;
        bool hostRecordset;
        QString text;
        int fieldIndex;
        QString option1;
        QString option2;
    } cases[] = {
        { "wsda.recid", false, "recid", 0, "", "" },
        { "recid", false, "recid", 0, "", "" },
        { "jnwj.title", false, "title", 2, "", "" },
        { "WSDA.TITLE&3-2&F&", false, "TITLE", 1, "3-2", "F" },
        { "title&X&BI&", false, "title", 1, "X", "BI" },
        { "other.title", false, "title", -1, "", "" },
        { "missing", false, "missing", -1, "", "" },
        // With the host's record set the first field of the name is taken, whatever its table.
        { "jnwj.title", true, "title", 1, "", "" },
    };
    for (const auto& c : cases) {
        store::reportState().UseCallerRecordset = c.hostRecordset;
        const ReportCellItem item = engine::ParseCellExpression(7, 3, QStringLiteral("B"), c.body);
        EXPECT_EQ(item.row, 7);
        EXPECT_EQ(item.col, 3);
        EXPECT_EQ(item.text, c.text) << c.body.toStdString();
        EXPECT_EQ(item.fieldIndex, c.fieldIndex) << c.body.toStdString();
        EXPECT_EQ(item.option1, c.option1) << c.body.toStdString();
        EXPECT_EQ(item.option2, c.option2) << c.body.toStdString();
    }
    const ReportCellItem other
        = engine::ParseCellExpression(2, 2, QStringLiteral("J"), QStringLiteral("select 1&x&"));
    EXPECT_EQ(other.text, QStringLiteral("select 1&x&"));
    EXPECT_EQ(other.fieldIndex, -1);
    EXPECT_TRUE(other.option1.isEmpty());
}

TEST_F(FieldCells, GroupRegionRows)
{
    store::RegionTable& regions = store::reportState().RegionTable;
    regions[RegionEntry::GroupHead1] = { true, 3, 3 };
    regions[RegionEntry::GroupHead3] = { true, 4, 5 };
    regions[RegionEntry::GroupTail2] = { true, 9, 9 };
    regions[RegionEntry::PageHead] = { true, 2, 2 };
    regions[RegionEntry::GroupTail1] = { false, 10, 10 };
    const bool expected[] = { false, false, false, true, true, true, false, false, false, true, false };
    for (int row = 0; row <= 10; ++row)
        EXPECT_EQ(engine::IsGroupRegionRow(row), expected[row]) << row;
}

// ---- a template on an output grid ---------------------------------------------------------------------

// A template with a detail band of rows 5 and 6, ten records a page: template row r lies at page row r + 1,
// below the band 9 × 2 rows further down.
class TemplateLoader : public EngineTest
{
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        store::RegionTable& regions = store::reportState().RegionTable;
        regions[RegionEntry::PageHead] = { true, 1, 2 };
        regions[RegionEntry::GroupHead1] = { true, 3, 4 };
        regions[RegionEntry::DataDetail] = { true, 5, 6 };
        regions[RegionEntry::GroupTail1] = { true, 7, 8 };
        regions[RegionEntry::PageTail] = { true, 20, 20 };
        dataEngine().RecordsPerPage = 10;
        dataEngine().PageSheetRows = 45;
        dataEngine().RecordBufferRs = platform::db::Recordset::fabricate({
            { "retention", QMetaType::QString, 10, "wsda" },
            { "title", QMetaType::QString, 100, "wsda" },
        });
    }

    bool bold(int row, int col) const { return grid.format(row, col).fontBold.value_or(false); }

    QList<int> boldRows(int col) const
    {
        QList<int> rows;
        for (int row = 1; row <= 45; ++row) {
            if (bold(row, col))
                rows.append(row);
        }
        return rows;
    }

    Sheet grid;
};

TEST_P(TemplateLoader, CellsOutsideTheBandGoToTheirListsAtTheirPageRows)
{
    cell(2, 2, "@B|wsda.title");
    cell(2, 3, "@C|第%p页");
    cell(1, 2, "@A|标题");
    cell(3, 3, "@B|wsda.retention");
    cell(20, 4, "@R|D&");
    cell(20, 2, "@J|select 1");
    cell(6, 2, "@B|wsda.title");
    cell(19, 5, "@D|/tmp/x.png");
    engine::LoadOuterCellData();

    const auto& head = dataEngine().HeadCells;
    ASSERT_EQ(head.size(), 3);
    // By letter, then row.
    EXPECT_EQ(head[0].letter, QStringLiteral("B"));
    EXPECT_EQ(head[0].row, 3);
    EXPECT_EQ(head[0].fieldIndex, 1);
    EXPECT_EQ(head[1].letter, QStringLiteral("C"));
    EXPECT_EQ(head[1].row, 3);
    EXPECT_EQ(head[2].letter, QStringLiteral("J"));
    EXPECT_EQ(head[2].row, 20 + 1 + 9 * 2);

    ASSERT_EQ(dataEngine().GroupCells.size(), 1);
    EXPECT_EQ(dataEngine().GroupCells[0].row, 4);
    EXPECT_EQ(dataEngine().GroupCells[0].fieldIndex, 0);
    ASSERT_EQ(dataEngine().TotalCells.size(), 1);
    EXPECT_EQ(dataEngine().TotalCells[0].row, 39);
    EXPECT_EQ(dataEngine().TotalCells[0].col, 4);
    EXPECT_EQ(dataEngine().TotalCells[0].text, QStringLiteral("D&"));
    EXPECT_EQ(dataEngine().TotalCells[0].totalValue, 0);

    // A report whose cells all lie in the band leaves the lists empty.
    execute(QStringLiteral("delete from report_data where row_no <> 6"));
    dataEngine().Template.reset();
    engine::LoadOuterCellData();
    EXPECT_TRUE(dataEngine().HeadCells.isEmpty());
    EXPECT_TRUE(dataEngine().GroupCells.isEmpty());
    EXPECT_TRUE(dataEngine().TotalCells.isEmpty());
}

TEST_P(TemplateLoader, DetailCellsAndTheirOwnRecordSets)
{
    useDatabase(Content::DemoArchive, 200);
    store::RegionTable& regions = store::reportState().RegionTable;
    regions[RegionEntry::DataDetail] = { true, 5, 6 };
    dataEngine().RecordsPerPage = 10;
    dataEngine().SourceSqlTail = QStringLiteral(" wsda where retention='永久'");
    cell(5, 2, "@B|title");
    cell(6, 3, "@K|select count(*) from t where a=1");
    cell(6, 4, "@I|select retention from wsda group by retention order by retention");
    cell(5, 5, "@I|select nothing from no_such_table");
    cell(6, 6, "@A|说明");
    engine::GetRptDetailData();

    const auto& cells = dataEngine().DetailCells;
    ASSERT_EQ(cells.size(), 5);
    ASSERT_EQ(dataEngine().CellRecordsets.size(), 3u);
    // By letter: A, B, I (rows 5 and 6), K.
    EXPECT_EQ(cells[0].letter, QStringLiteral("A"));
    EXPECT_EQ(cells[0].row, 7);
    EXPECT_EQ(cells[1].letter, QStringLiteral("B"));
    EXPECT_EQ(cells[1].row, 6);
    EXPECT_EQ(cells[2].letter, QStringLiteral("I"));
    EXPECT_EQ(cells[2].fieldIndex, -1); // its statement fails
    EXPECT_EQ(cells[3].fieldIndex, 2);
    EXPECT_EQ(cells[4].letter, QStringLiteral("K"));
    ASSERT_EQ(cells[4].fieldIndex, 3);
    EXPECT_TRUE(loggedProcedures().contains(QStringLiteral("GetRptDetailData")));

    // "K" counts over the report's data; "I" runs as written.
    auto& counted = *dataEngine().CellRecordsets[2];
    EXPECT_EQ(counted.text(0), scalar(QStringLiteral("select count(*) from wsda where retention='永久'")));
    auto& listed = *dataEngine().CellRecordsets[1];
    EXPECT_EQ(
        listed.recordCount(), scalar(QStringLiteral("select count(distinct retention) from wsda")).toInt());
}

TEST_P(TemplateLoader, FormatsOfTheBandRepeatOnEveryBlock)
{
    format("FONT", 5, 2, 6, 2, BoldFont);
    format("FONT", 6, 3, 6, 3, BoldFont);
    engine::LoadRegionFormats(grid, true);
    QList<int> expected;
    for (int block = 0; block < 10; ++block)
        expected << 6 + 2 * block << 7 + 2 * block;
    EXPECT_EQ(boldRows(2), expected);
    expected.clear();
    for (int block = 0; block < 10; ++block)
        expected << 7 + 2 * block;
    EXPECT_EQ(boldRows(3), expected);

    // The page being filled lies below PageFirstRow.
    Sheet second;
    dataEngine().PageFirstRow = 45;
    engine::LoadRegionFormats(second, false);
    EXPECT_FALSE(second.format(6, 2).fontBold.value_or(false));
    EXPECT_TRUE(second.format(45 + 6, 2).fontBold.value_or(false));
    EXPECT_TRUE(second.format(45 + 25, 2).fontBold.value_or(false));
}

TEST_P(TemplateLoader, FormatsOutsideTheBandLandAboveAndBelowIt)
{
    format("FONT", 2, 2, 2, 4, BoldFont);
    format("FONT", 20, 2, 20, 2, BoldFont);
    format("ALIGNMENT", 1, 2, 1, 2, "@HALIGNMENT|2|3");
    engine::LoadOuterFormats(grid, true);
    EXPECT_EQ(boldRows(2), (QList<int> { 3, 39 }));
    EXPECT_EQ(boldRows(4), (QList<int> { 3 }));
    EXPECT_EQ(grid.format(2, 2).hAlign, platform::grid::HAlign::Center);
}

TEST_P(TemplateLoader, ARectangleAcrossTheBandsEdgesIsCutIntoItsParts)
{
    // Rows 4 to 7 reach over both edges of the band (5 to 6).
    format("FONT", 4, 2, 7, 2, BoldFont);
    engine::LoadOuterFormats(grid, true);
    engine::LoadRegionFormats(grid, true);
    QList<int> expected { 5 };
    for (int row = 6; row <= 25; ++row)
        expected << row;
    expected << 7 + 1 + 18;
    EXPECT_EQ(boldRows(2), expected);
}

TEST_P(TemplateLoader, ColumnWidthsAreScaledHalvesToEven)
{
    colWidths(sizeList({ { 2, "1000" }, { 3, "1001" }, { 4, "1003" } }));
    dataEngine().ScaleX = 0.5;
    engine::LoadColWidthFormat(grid);
    EXPECT_EQ(grid.colWidth(2), 500);
    EXPECT_EQ(grid.colWidth(3), 500);
    EXPECT_EQ(grid.colWidth(4), 502);
    dataEngine().ScaleX = 0.9;
    engine::LoadColWidthFormat(grid);
    EXPECT_EQ(grid.colWidth(2), 900);
}

TEST_P(TemplateLoader, RowHeightsOfThePage)
{
    cell(20, 4, "@R|D&");
    engine::LoadOuterCellData();
    dataEngine().DetailScale = 1.5;
    dataEngine().ScaleY = 0.5;

    QString band = sizeList({ { 5, "300" }, { 6, "201" } });
    engine::ApplyRowHeights(grid, band, 2, true);
    EXPECT_TRUE(band.isEmpty());
    for (int block = 0; block < 10; ++block) {
        EXPECT_EQ(grid.rowHeight(45 + 6 + 2 * block), 450);
        EXPECT_EQ(grid.rowHeight(45 + 7 + 2 * block), 302); // 301.5 to even
    }

    // The row of a column total is hidden but on the report's last page.
    QString below = sizeList({ { 7, "400" }, { 20, "500" } });
    engine::ApplyRowHeights(grid, below, 2, false);
    EXPECT_EQ(grid.rowHeight(45 + 7 + 1 + 18), 200);
    EXPECT_EQ(grid.rowHeight(45 + 39), 0);
    engine::ApplyRowHeights(grid, engine::ParseSizeList(sizeList({ { 20, "500" } })), 2, true);
    EXPECT_EQ(grid.rowHeight(45 + 39), 250);

    // A list that strays over the band's edge places each row where it lies.
    engine::ApplyRowHeights(
        grid, engine::ParseSizeList(sizeList({ { 4, "100" }, { 5, "100" }, { 7, "100" } })), 1, true);
    EXPECT_EQ(grid.rowHeight(5), 50);
    EXPECT_EQ(grid.rowHeight(6), 150);
    EXPECT_EQ(grid.rowHeight(24), 150);
    EXPECT_EQ(grid.rowHeight(26), 50);

    // Under "AUTO" a page follows the last row of the page before.
    store::reportState().DataRows = store::keywords::DataRowsAutoMode;
    dataEngine().PageRowRanges = { { 1, 30 }, { 31, 70 } };
    engine::ApplyRowHeights(grid, engine::ParseSizeList(sizeList({ { 1, "720" } })), 2, true);
    EXPECT_EQ(grid.rowHeight(30 + 2), 360);
}

TEST_P(TemplateLoader, FixedTextsAreWrittenAndAMalformedCellIsLoggedAndSkipped)
{
    cell(1, 2, "@A|文书档案目录");
    cell(20, 2, "@A|制表人");
    cell(5, 2, "@A|明细中的文字");
    execute(
        QStringLiteral("insert into report_data (report_id, row_no, col_no, data_type, data_description1, "
                       "data_description2) values (%1, 2, 2, 'A', 'A|缺少开头', '')")
            .arg(text(TestReportId)));
    engine::FillRptFixedText(grid, true);
    EXPECT_EQ(grid.text(2, 2), QStringLiteral("文书档案目录"));
    EXPECT_EQ(grid.text(39, 2), QStringLiteral("制表人"));
    EXPECT_EQ(grid.text(6, 2), QString());
    EXPECT_EQ(grid.text(3, 2), QString());
    EXPECT_TRUE(loggedProcedures().contains(QStringLiteral("FillRptFixedText")));

    dataEngine().PageFirstRow = 45;
    engine::FillRptFixedText(grid, false);
    EXPECT_EQ(grid.text(45 + 39, 2), QStringLiteral("制表人"));
}

TEST_P(TemplateLoader, TheTemplateIsReadOncePerPreparation)
{
    cell(1, 2, "@A|第一次");
    engine::FillRptFixedText(grid, true);
    execute(QStringLiteral("update report_data set data_description1 = '@A|第二次'"));
    engine::FillRptFixedText(grid, true);
    EXPECT_EQ(grid.text(2, 2), QStringLiteral("第一次"));
    dataEngine().resetForPreparation();
    store::reportState().RegionTable[RegionEntry::DataDetail] = { true, 5, 6 };
    engine::FillRptFixedText(grid, true);
    EXPECT_EQ(grid.text(2, 2), QStringLiteral("第二次"));
}

struct RecordingForm : engine::OutputForm {
    void picturesLoaded(const QVector<QImage>& pictures) override { told.append(pictures.size()); }
    QList<int> told;
};

TEST_P(TemplateLoader, PicturesArePlacedOverTheirCells)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("seal.png"));
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path));
    cell(2, 3, "@D|" + path);
    cell(6, 2, "@D|" + folder.filePath(QStringLiteral("missing.png")));
    RecordingForm form;
    dataEngine().Output = &form;

    engine::GetRptPicture();
    ASSERT_EQ(dataEngine().PictureCells.size(), 2);
    engine::LoadRptPictures();
    EXPECT_EQ(form.told, QList<int> { 2 });
    EXPECT_TRUE(loggedProcedures().contains(QStringLiteral("LoadRptPictures")));

    // Pictures stand by letter and row: the one of row 2 first.
    int objectId = -7;
    engine::PlaceRptPicture(grid, 3, 3, 1, objectId);
    ASSERT_GT(objectId, 0);
    EXPECT_EQ(grid.objectPosition(objectId), (platform::grid::CellRange { 3, 3, 3, 3 }));
    EXPECT_EQ(dataEngine().PictureOfObject.value(objectId), 1);

    grid.merge({ 10, 2, 11, 4 });
    engine::PlaceRptPicture(grid, 10, 2, 1, objectId);
    EXPECT_EQ(grid.objectPosition(objectId), (platform::grid::CellRange { 10, 2, 11, 4 }));

    // The picture whose file is missing places nothing.
    int unchanged = -7;
    engine::PlaceRptPicture(grid, 7, 2, 2, unchanged);
    EXPECT_EQ(unchanged, -7);
    EXPECT_EQ(grid.objectIds().size(), 2);
    dataEngine().Output = nullptr;
}

ENGINE_TEST_SUITE(TemplateLoader);

} // namespace

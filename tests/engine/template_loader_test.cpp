#include "EngineFixture.h"

#include "engine/EngineState.h"
#include "engine/OutputForm.h"
#include "engine/TemplateCells.h"
#include "engine/TemplateFormats.h"
#include "engine/TemplatePictures.h"
#include "engine/TemplateRows.h"
#include "platform/db/Recordset.h"
#include "platform/grid/Sheet.h"

#include <functional>
#include <initializer_list>
#include <QImage>

using namespace enginetest;
using engine::ReportCellItem;
using platform::grid::Sheet;
using store::RegionEntry;

namespace
{

const QString BoldFont = QStringLiteral("@FONTBOLD|4|TRUE");

// A list of cells as "letter row:col text #field index", with " [option1|option2]" where it has options.
QStringList describe(const QList<ReportCellItem>& cells)
{
    QStringList items;
    for (const ReportCellItem& c : cells) {
        items.append(QStringLiteral("%1 %2:%3 %4 #%5")
                         .arg(c.letter, QString::number(c.row), QString::number(c.col), c.text,
                             QString::number(c.fieldIndex))
            + (c.option1.isEmpty() && c.option2.isEmpty() ? QString()
                                                          : " [" + c.option1 + "|" + c.option2 + "]"));
    }
    return items;
}

class FieldCells : public testing::Test
{
protected:
    void SetUp() override
    {
        // Two tables of the data have a column of the same name; the first field is a field too.
        run.RecordBufferRs = platform::db::Recordset::fabricate({
            { "recid", QMetaType::QString, 20, "wsda" },
            { "title", QMetaType::QString, 100, "wsda" },
            { "title", QMetaType::QString, 100, "jnwj" },
            { "page_no", QMetaType::Int, 0, "jnwj" },
        });
    }
    void TearDown() override { store::reportState() = store::ReportState {}; }

    engine::DataReportRun run;
};

TEST_F(FieldCells, FieldReferencesResolveAgainstTheRecordBuffer)
{
    const struct {
        QString body;
        bool hostRecordset;
        QString item;
    } cases[] = {
        { "wsda.recid", false, "B 7:3 recid #0" },
        { "recid", false, "B 7:3 recid #0" },
        { "jnwj.title", false, "B 7:3 title #2" },
        { "WSDA.TITLE&3-2&F&", false, "B 7:3 TITLE #1 [3-2|F]" },
        { "title&X&BI&", false, "B 7:3 title #1 [X|BI]" },
        { "other.title", false, "B 7:3 title #-1" },
        { "missing", false, "B 7:3 missing #-1" },
        // With the host's record set the first field of the name is taken, whatever its table.
        { "jnwj.title", true, "B 7:3 title #1" },
    };
    for (const auto& c : cases) {
        run.ReportDataRsIsOwned = !c.hostRecordset;
        EXPECT_EQ(describe({ engine::ParseCellExpression(&run, 7, 3, QStringLiteral("B"), c.body) }),
            QStringList { c.item });
    }
    // Other letters keep their text whole.
    EXPECT_EQ(describe({ engine::ParseCellExpression(
                  &run, 2, 2, QStringLiteral("J"), QStringLiteral("select 1&x&")) }),
        QStringList { "J 2:2 select 1&x& #-1" });
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
        regions[RegionEntry::PageHead] = { true, 1, 2 };
        regions[RegionEntry::GroupHead1] = { true, 3, 4 };
        regions[RegionEntry::DataDetail] = { true, 5, 6 };
        regions[RegionEntry::GroupTail1] = { true, 7, 8 };
        regions[RegionEntry::PageTail] = { true, 20, 20 };
        run.RecordsPerPage = 10;
        run.PageSheetRows = 45;
        run.RecordBufferRs = platform::db::Recordset::fabricate({
            { "retention", QMetaType::QString, 10, "wsda" },
            { "title", QMetaType::QString, 100, "wsda" },
        });
    }

    // The stored rows, with the fixture's regions, become the definition in use.
    void useTemplate(const std::function<void(store::ReportDefinition&)>& change = {})
    {
        useDefinition([&](store::ReportDefinition& definition) {
            definition.regions = regions;
            if (change)
                change(definition);
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

    store::RegionTable regions;
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
    useTemplate();
    engine::LoadOuterCellData(run);

    // By letter, then row; below the band 9 × 2 rows further down.
    EXPECT_EQ(describe(run.HeadCells),
        (QStringList { "B 3:2 title #1", "C 3:3 第%p页 #-1", "J 39:2 select 1 #-1" }));
    EXPECT_EQ(describe(run.GroupCells), QStringList { "B 4:3 retention #0" });
    EXPECT_EQ(describe(run.TotalCells), QStringList { "R 39:4 D& #-1" });
    EXPECT_EQ(run.TotalCells.value(0).totalValue, 0);

    // A report whose cells all lie in the band leaves the lists empty.
    execute(QStringLiteral("delete from report_data where row_no <> 6"));
    useTemplate();
    engine::LoadOuterCellData(run);
    EXPECT_TRUE(run.HeadCells.isEmpty());
    EXPECT_TRUE(run.GroupCells.isEmpty());
    EXPECT_TRUE(run.TotalCells.isEmpty());
}

TEST_P(TemplateLoader, DetailCellsAndTheirOwnRecordSets)
{
    useDatabase(Content::DemoArchive, 200);
    regions = {};
    regions[RegionEntry::DataDetail] = { true, 5, 6 };
    run.RecordsPerPage = 10;
    run.SourceSqlTail = QStringLiteral(" wsda where retention='永久'");
    execute(
        QStringLiteral("insert into report_parameter (report_id, name, default_value) values (%1, 'p', %2)")
            .arg(text(TestReportId), text(QStringLiteral("x from y "))));
    cell(5, 2, "@B|title");
    cell(6, 3, "@K|select &p& || count(*) from t where a=1");
    cell(6, 4, "@I|select retention from wsda group by retention order by retention");
    cell(5, 5, "@I|select nothing from no_such_table");
    cell(6, 6, "@A|说明");
    useTemplate();
    engine::GetRptDetailData(run);

    // By letter: A, B, I (rows 5 and 6), K; the I cell whose statement fails keeps field index -1.
    EXPECT_EQ(describe(run.DetailCells),
        (QStringList { "A 7:6 说明 #-1", "B 6:2 title #-1", "I 6:5 select nothing from no_such_table #-1",
            "I 7:4 select retention from wsda group by retention order by retention #2",
            "K 7:3 select &p& || count(*) from t where a=1 #3" }));
    ASSERT_EQ(run.CellRecordsets.size(), 3u);
    EXPECT_TRUE(loggedProcedures().contains(QStringLiteral("GetRptDetailData")));

    // "K" counts over the report's data (the "from" in the parameter's value is none of its own); "I" runs
    // as written.
    auto& counted = *run.CellRecordsets[2];
    EXPECT_EQ(counted.text(0),
        "x from y " + scalar(QStringLiteral("select count(*) from wsda where retention='永久'")));
    auto& listed = *run.CellRecordsets[1];
    EXPECT_EQ(
        listed.recordCount(), scalar(QStringLiteral("select count(distinct retention) from wsda")).toInt());
}

TEST_P(TemplateLoader, FormatsRepeatOnEveryBlockOfTheBandAndLandAboveAndBelowItCutAtItsEdges)
{
    format("FONT", 5, 2, 6, 2, BoldFont);
    format("FONT", 6, 3, 6, 3, BoldFont);
    format("FONT", 2, 2, 2, 4, BoldFont);
    format("FONT", 20, 2, 20, 2, BoldFont);
    format("ALIGNMENT", 1, 2, 1, 2, "@HALIGNMENT|2|3");
    useTemplate();
    engine::LoadRegionFormats(run, grid, true);
    engine::LoadOuterFormats(run, grid, true);
    QList<int> band;
    QList<int> secondRows;
    for (int block = 0; block < 10; ++block) {
        band << 6 + 2 * block << 7 + 2 * block;
        secondRows << 7 + 2 * block;
    }
    EXPECT_EQ(boldRows(2), QList<int> { 3 } + band + QList<int> { 39 });
    EXPECT_EQ(boldRows(3), QList<int> { 3 } + secondRows);
    EXPECT_EQ(boldRows(4), (QList<int> { 3 }));
    EXPECT_EQ(grid.format(2, 2).hAlign, platform::grid::HAlign::Center);

    // The page being filled lies below PageFirstRow.
    Sheet second;
    run.PageFirstRow = 45;
    engine::LoadRegionFormats(run, second, false);
    EXPECT_FALSE(second.format(6, 2).fontBold.value_or(false));
    EXPECT_TRUE(second.format(45 + 6, 2).fontBold.value_or(false));
    EXPECT_TRUE(second.format(45 + 25, 2).fontBold.value_or(false));

    // Rows 4 to 7 reach over both edges of the band (5 to 6): each part lands where its rows lie.
    execute(QStringLiteral("delete from report_format"));
    format("FONT", 4, 2, 7, 2, BoldFont);
    useTemplate();
    grid = Sheet {};
    engine::LoadOuterFormats(run, grid, true);
    engine::LoadRegionFormats(run, grid, true);
    QList<int> expected { 5 };
    for (int row = 6; row <= 25; ++row)
        expected << row;
    expected << 7 + 1 + 18;
    EXPECT_EQ(boldRows(2), expected);
}

TEST_P(TemplateLoader, ColumnWidthsAreScaledHalvesToEven)
{
    colWidths(sizeList({ { 2, "1000" }, { 3, "1001" }, { 4, "1003" } }));
    useTemplate();
    run.ScaleX = 0.5;
    engine::LoadColWidthFormat(run, grid);
    EXPECT_EQ(grid.colWidth(2), 500);
    EXPECT_EQ(grid.colWidth(3), 500);
    EXPECT_EQ(grid.colWidth(4), 502);
    run.ScaleX = 0.9;
    engine::LoadColWidthFormat(run, grid);
    EXPECT_EQ(grid.colWidth(2), 900);
}

TEST_P(TemplateLoader, RowHeightsOfThePage)
{
    cell(20, 4, "@R|D&");
    useTemplate();
    engine::LoadOuterCellData(run);
    run.DetailScale = 1.5;
    run.ScaleY = 0.5;
    const auto items = [](std::initializer_list<std::pair<int, QString>> sizes) {
        return store::parseSizeList(sizeList(sizes));
    };

    engine::ApplyRowHeights(run, grid, items({ { 5, "300" }, { 6, "201" } }), 2, true);
    for (int block = 0; block < 10; ++block) {
        EXPECT_EQ(grid.rowHeight(45 + 6 + 2 * block), 450);
        EXPECT_EQ(grid.rowHeight(45 + 7 + 2 * block), 302); // 301.5 to even
    }

    // The row of a column total is hidden but on the report's last page.
    engine::ApplyRowHeights(run, grid, items({ { 7, "400" }, { 20, "500" } }), 2, false);
    EXPECT_EQ(grid.rowHeight(45 + 7 + 1 + 18), 200);
    EXPECT_EQ(grid.rowHeight(45 + 39), 0);
    engine::ApplyRowHeights(run, grid, items({ { 20, "500" } }), 2, true);
    EXPECT_EQ(grid.rowHeight(45 + 39), 250);

    // A list that strays over the band's edge places each row where it lies.
    engine::ApplyRowHeights(run, grid, items({ { 4, "100" }, { 5, "100" }, { 7, "100" } }), 1, true);
    EXPECT_EQ(grid.rowHeight(5), 50);
    EXPECT_EQ(grid.rowHeight(6), 150);
    EXPECT_EQ(grid.rowHeight(24), 150);
    EXPECT_EQ(grid.rowHeight(26), 50);

    // Under "AUTO" a page follows the last row of the page before.
    useTemplate([](store::ReportDefinition& definition) {
        definition.page.DataRows = store::keywords::DataRowsAutoMode;
    });
    run.PageRowRanges = { { 1, 30 }, { 31, 70 } };
    engine::ApplyRowHeights(run, grid, items({ { 1, "720" } }), 2, true);
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
    useTemplate();
    engine::FillRptFixedText(run, grid, true);
    EXPECT_EQ(grid.text(2, 2), QStringLiteral("文书档案目录"));
    EXPECT_EQ(grid.text(39, 2), QStringLiteral("制表人"));
    EXPECT_EQ(grid.text(6, 2), QString());
    EXPECT_EQ(grid.text(3, 2), QString());
    EXPECT_TRUE(loggedProcedures().contains(QStringLiteral("FillRptFixedText")));

    run.PageFirstRow = 45;
    engine::FillRptFixedText(run, grid, false);
    EXPECT_EQ(grid.text(45 + 39, 2), QStringLiteral("制表人"));
}

// A row number at the top of the integer range (a damaged or hostile definition) names no page row: its
// cell and its row height are left out when the template is read, and no page row is computed from them.
TEST_P(TemplateLoader, RowsAtTheTopOfTheIntegerRangeAreLeftOut)
{
    cell(2147483647, 2, "@A|越界");
    cell(20, 2, "@A|制表人");
    rowHeights(1, 2, sizeList({ { 2147483647, "720" }, { 2, "360" } }));
    useTemplate();
    engine::FillRptFixedText(run, grid, true);
    EXPECT_EQ(grid.text(39, 2), QStringLiteral("制表人"));
    EXPECT_EQ(engine::CurrentTemplateRows(run).cells.size(), 1);
    ASSERT_EQ(engine::CurrentTemplateRows(run).formats.size(), 1);
    EXPECT_EQ(engine::CurrentTemplateRows(run).formats[0].sizes, (QList<store::SizeItem> { { 2, 360 } }));
}

TEST_P(TemplateLoader, TheTemplateIsTheDefinitionsNotWhatTheTablesHoldMeanwhile)
{
    cell(1, 2, "@A|第一次");
    useTemplate();
    engine::FillRptFixedText(run, grid, true);
    execute(QStringLiteral("update report_data set data_description1 = '@A|第二次'"));
    run.resetForPreparation();
    engine::FillRptFixedText(run, grid, true);
    EXPECT_EQ(grid.text(2, 2), QStringLiteral("第一次"));
    useTemplate();
    engine::FillRptFixedText(run, grid, true);
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
    run.Output = &form;

    useTemplate();
    engine::GetRptPicture(run);
    ASSERT_EQ(run.PictureCells.size(), 2);
    engine::LoadRptPictures(run);
    EXPECT_EQ(form.told, QList<int> { 2 });
    EXPECT_TRUE(loggedProcedures().contains(QStringLiteral("LoadRptPictures")));

    // Pictures stand by letter and row: the one of row 2 first.
    int objectId = -7;
    engine::PlaceRptPicture(run, grid, 3, 3, 1, objectId);
    ASSERT_GT(objectId, 0);
    EXPECT_EQ(grid.objectPosition(objectId), (platform::grid::CellRange { 3, 3, 3, 3 }));
    EXPECT_EQ(run.PictureOfObject.value(objectId), 1);

    grid.merge({ 10, 2, 11, 4 });
    engine::PlaceRptPicture(run, grid, 10, 2, 1, objectId);
    EXPECT_EQ(grid.objectPosition(objectId), (platform::grid::CellRange { 10, 2, 11, 4 }));

    // The picture whose file is missing places nothing.
    int unchanged = -7;
    engine::PlaceRptPicture(run, grid, 7, 2, 2, unchanged);
    EXPECT_EQ(unchanged, -7);
    EXPECT_EQ(grid.objectIds().size(), 2);
    run.Output = nullptr;
}

ENGINE_TEST_SUITE(TemplateLoader);

} // namespace

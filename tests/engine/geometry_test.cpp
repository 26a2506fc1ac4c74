#include "EngineFixture.h"

#include "demo/DemoReports.h"
#include "engine/EngineState.h"
#include "engine/FitScale.h"
#include "engine/PageGeometry.h"
#include "engine/PageMargins.h"
#include "engine/PaperChecks.h"
#include "engine/PaperSizes.h"
#include "platform/grid/Sheet.h"

using namespace enginetest;
using platform::ui::PrinterOrientation;
using enum platform::ui::PrinterOrientation;

namespace
{

constexpr int A4Width = A4WidthTwips;
constexpr int A4Height = A4HeightTwips;
constexpr int Fix = store::keywords::DataRowsFixMode;

class GeometryTest : public EngineTest
{
protected:
    // The stored definition with the detail band on rows first..last, changed further by `change`.
    void useDefinitionWithBand(
        int first, int last, const std::function<void(store::ReportDefinition&)>& change = {})
    {
        useDefinition([&](store::ReportDefinition& definition) {
            definition.regions[store::RegionEntry::DataDetail] = { true, first, last };
            if (change)
                change(definition);
        });
    }
};

ENGINE_TEST_SUITE(GeometryTest);

TEST_P(GeometryTest, APageThatHoldsNoRecordIsRefusedWithAMessageOrInSilentWebModeTheErrorMessageOnly)
{
    const struct {
        const char* name;
        int dataRows;
        int designHeight;
        QString heights;
        bool logged;
    } cases[] = {
        { "a detail band taller than the page", Fix, 3000, sizeList({ { 3, "2000" }, { 4, "2000" } }),
            false },
        { "a paper of size 0", Fix, 0, sizeList({ { 3, "200" } }), false },
        { "a detail band without stored heights", Fix, A4Height, sizeList({ { 1, "500" } }), true },
        { "0 rows per page", 0, A4Height, sizeList({ { 3, "200" } }), false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        useDatabase(Content::Schema);
        rowHeights(1, 5, c.heights);
        useDefinitionWithBand(3, 4, [&](store::ReportDefinition& definition) {
            definition.page.DataRows = c.dataRows;
            definition.page.TopMarge = 0;
            definition.page.BottomMarge = 0;
        });
        const store::ReportState& state = store::reportState();
        run.DesignPaperHeight = c.designHeight;
        const auto boxesBefore = ui.boxes().size();

        EXPECT_FALSE(engine::GetDataCountInPage(run));
        EXPECT_LT(run.RecordsPerPage, 1);
        ASSERT_EQ(ui.boxes().size(), boxesBefore + 1);
        EXPECT_EQ(ui.boxes().back().text, state.ErrorMessage);
        EXPECT_TRUE(ui.boxes().back().text.contains(QStringLiteral("不能生成报表")));
        EXPECT_EQ(loggedProcedures(), c.logged ? QStringList { "GetDataCountInPage" } : QStringList {});
    }

    const auto boxesBefore = ui.boxes().size();
    store::reportState().ErrorMessage.clear();
    store::reportState().WebPrintMode = true;
    EXPECT_FALSE(engine::GetDataCountInPage(run));
    EXPECT_EQ(ui.boxes().size(), boxesBefore);
    EXPECT_TRUE(store::reportState().ErrorMessage.contains(QStringLiteral("不能生成报表")));
}

TEST_P(GeometryTest, DesignedPaperComesFromThePrinterTheNoteOrTheLookup)
{
    execute(
        QStringLiteral("insert into page_size (paper_size, paper_name, paper_width, paper_height, "
                       "paper_scalewidth, paper_scaleheight) values (500, '档案纸', 16, 22, 8960, 12320)"));
    const struct {
        const char* name;
        int code;
        PrinterOrientation printer;
        std::optional<QString> note; // the PAGE_SIZE row's note; none: no row
        int width;
        int height;
    } cases[] = {
        { "A4 that the printer takes", 9, Portrait, QString(), A4Width, A4Height },
        { "in portrait sense on a landscape printer", 9, Landscape, QString(), A4Width, A4Height },
        { "A3", 8, Portrait, QString(), A4Height, 23811 },
        { "custom paper from the note", 256, Portrait, QStringLiteral("20|30|11200|16800"), 11200, 16800 },
        { "custom paper with an empty note from the lookup", 256, Portrait, QString(""), 11760, 16632 },
        { "custom paper without a PAGE_SIZE row", 256, Portrait, std::nullopt, 0, 0 },
        { "a code only the lookup knows", 500, Portrait, QString(), 8960, 12320 },
        { "a code nobody knows", 501, Portrait, QString(), 0, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        execute(QStringLiteral("delete from report_info"));
        if (c.note)
            info(QStringLiteral("PAGE_SIZE"), QString::number(c.code), 1, *c.note);
        useDefinition();
        platform::ui::setDefaultPrinterOrientation(c.printer);
        EXPECT_EQ(run.definition().page.PageSize, c.note ? c.code : 9);
        int width = 0;
        int height = 0;
        engine::LoadPaperScale(run.definition(), c.code, width, height);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
    }
}

struct PaperCheckCase {
    const char* name;
    bool landscape;
    QString widths;
    std::optional<QString> leftMargin; // none: no row
    std::optional<QString> rightMargin;
    bool over;
};

TEST_P(GeometryTest, ColumnsWiderThanTheDesignedPaperAreRefused)
{
    const PaperCheckCase cases[] = {
        // Without margin rows 1134 + 567 twips stand for both margins.
        { "exactly as wide as A4", false, sizeList({ { 2, "5000" }, { 3, "5205" } }), std::nullopt,
            std::nullopt, false },
        { "one twip wider than A4", false, sizeList({ { 2, "5000" }, { 3, "5206" } }), std::nullopt,
            std::nullopt, true },
        { "landscape takes the paper's height", true, sizeList({ { 2, "15137" } }), std::nullopt,
            std::nullopt, false },
        { "stored margins", false, sizeList({ { 2, "9026" } }), QStringLiteral("1.0"), QStringLiteral("1.0"),
            false },
        { "stored margins, one twip more", false, sizeList({ { 2, "9027" } }), QStringLiteral("1.0"),
            QStringLiteral("1.0"), true },
        { "only a left margin row: the right margin's default", false, sizeList({ { 2, "9899" } }),
            QStringLiteral("1.0"), std::nullopt, false },
        { "only a left margin row, one twip more", false, sizeList({ { 2, "9900" } }), QStringLiteral("1.0"),
            std::nullopt, true },
        { "an empty margin counts its default", false, sizeList({ { 2, "10205" } }), QStringLiteral(""),
            QStringLiteral(" "), false },
    };
    for (const PaperCheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        useDatabase(Content::Schema);
        colWidths(c.widths);
        if (c.leftMargin)
            info(QStringLiteral("LEFT_MARGE"), *c.leftMargin);
        if (c.rightMargin)
            info(QStringLiteral("RIGHT_MARGE"), *c.rightMargin);
        useDefinition(
            [&](store::ReportDefinition& definition) { definition.page.PageLandscape = c.landscape; });
        const qsizetype boxesBefore = ui.boxTexts().size();

        EXPECT_EQ(engine::IsOverDesignPaper(run), c.over);
        EXPECT_EQ(run.DesignPaperWidth, c.landscape ? A4Height : A4Width);
        EXPECT_EQ(run.DesignPaperHeight, c.landscape ? A4Width : A4Height);
        EXPECT_EQ(ui.boxTexts().mid(boxesBefore),
            c.over ? QStringList { "报表列宽超过设计纸张大小，请到报表设计模块修改！" } : QStringList {});
    }
}

TEST_P(GeometryTest, ThePrinterCheckReadsThePrinterInTheReportsOrientationUnlessTheReportIsFitted)
{
    colWidths(sizeList({ { 2, "14000" } }));
    const auto useSettings = [this](bool selfFit, bool landscape) {
        useDefinition([&](store::ReportDefinition& definition) {
            definition.page.SelfFit = selfFit;
            definition.page.PageLandscape = landscape;
        });
    };

    useSettings(false, true);
    platform::ui::setDefaultPrinterOrientation(Portrait);
    EXPECT_TRUE(engine::IsOverPrinterPaper(run));
    EXPECT_EQ(run.PrinterPaperWidth, A4Height);
    EXPECT_EQ(run.PrinterPaperHeight, A4Width);

    useSettings(false, false);
    platform::ui::setDefaultPrinterOrientation(Landscape);
    EXPECT_FALSE(engine::IsOverPrinterPaper(run));
    EXPECT_EQ(run.PrinterPaperWidth, A4Width);
    EXPECT_EQ(ui.boxTexts(), QStringList { "报表列宽超过打印纸张大小！" });

    // A fitted report passes without reading the printer, which would fail.
    run = engine::DataReportRun {};
    useSettings(true, false);
    const platform::ui::ScriptedPrinters broken { { { platform::ui::PdfPrinterName },
        platform::ui::PdfPrinterName, 0, platform::errors::PrinterFault } };
    EXPECT_TRUE(engine::IsOverPrinterPaper(run));
    EXPECT_EQ(run.PrinterPaperWidth, 0);
}

TEST_P(GeometryTest, ThePrinterGetsTheReportsPaperAndIsReadInItsOrientation)
{
    const auto usePaper = [this](int paperCode, bool landscape) {
        useDefinition([&](store::ReportDefinition& definition) {
            definition.page.PageSize = paperCode;
            definition.page.PageLandscape = landscape;
        });
    };
    usePaper(8, true);
    engine::GetPrinterPageSize(run);
    EXPECT_EQ(platform::ui::defaultPrinterPaperCode(), 8);
    EXPECT_EQ(run.PrinterPaperWidth, 23811);
    EXPECT_EQ(run.PrinterPaperHeight, A4Height);

    // A custom paper prints at the size of the report's note: 20 x 30 cm.
    info(QStringLiteral("PAGE_SIZE"), QStringLiteral("256"), 1, QStringLiteral("20|30|11200|16800"));
    usePaper(256, false);
    engine::GetPrinterPageSize(run);
    EXPECT_EQ(run.PrinterPaperWidth, 11339);
    EXPECT_EQ(run.PrinterPaperHeight, 17008);

    // A printer that does not answer leaves the sizes as they were.
    const platform::ui::ScriptedPrinters broken { { { platform::ui::PdfPrinterName },
        platform::ui::PdfPrinterName, 0, platform::errors::PrinterFault } };
    usePaper(9, false);
    engine::GetPrinterPageSize(run);
    EXPECT_EQ(run.PrinterPaperWidth, 11339);
    EXPECT_EQ(run.PrinterPaperHeight, 17008);
}

TEST_P(GeometryTest, CheckOfTheReportsRowsNamesTheFirstTableWithout)
{
    const auto rowsExist = [this] {
        useDefinition();
        return engine::CheckReportDataExists(run.definition());
    };
    EXPECT_FALSE(rowsExist());
    index();
    EXPECT_FALSE(rowsExist());
    info(QStringLiteral("DATA_ROWS"), QStringLiteral("10"));
    EXPECT_FALSE(rowsExist());
    cell(1, 2, QStringLiteral("@A|标题"));
    EXPECT_TRUE(rowsExist());
    EXPECT_EQ(ui.boxTexts(),
        (QStringList { "报表索引信息不存在,不能生成报表!", "报表信息表中数据不存在，不能生成报表！",
            "报表数据表中数据 不存在，不能生成报表" }));
    EXPECT_EQ(ui.boxes().front().title, QStringLiteral("提示信息"));
}

TEST_P(GeometryTest, TheRegionsComeFromTheRegionRows)
{
    store::reportState().RegionTable[store::RegionEntry::PageTail] = { true, 30, 31 };
    info(QStringLiteral("REPORT_HEAD"), QStringLiteral("1:2"));
    info(QStringLiteral("GROUP_HEAD"), QStringLiteral("3:3"), 1);
    info(QStringLiteral("GROUP_HEAD"), QStringLiteral("4:5"), 2);
    info(QStringLiteral("data_detail"), QStringLiteral(" 6:7 "));
    info(QStringLiteral("GROUP_TAIL"), QStringLiteral("8:8"), 2);

    useDefinition();
    const store::RegionTable& regions = run.definition().regions;
    EXPECT_EQ(regions[store::RegionEntry::ReportHead], (store::ReportRegion { true, 1, 2 }));
    EXPECT_EQ(regions[store::RegionEntry::GroupHead1], (store::ReportRegion { true, 3, 3 }));
    EXPECT_EQ(regions[store::RegionEntry::GroupHead2], (store::ReportRegion { true, 4, 5 }));
    EXPECT_EQ(regions[store::RegionEntry::DataDetail], (store::ReportRegion { true, 6, 7 }));
    EXPECT_EQ(regions[store::RegionEntry::GroupTail2], (store::ReportRegion { true, 8, 8 }));
    EXPECT_FALSE(regions[store::RegionEntry::PageTail].present);
    EXPECT_EQ(engine::GetDetailRowCount(run), 2);

    // A region text that does not read gives no region; the definition says which.
    info(QStringLiteral("PAGE_TAIL"), QStringLiteral("9-9"));
    useDefinition();
    EXPECT_FALSE(run.definition().regions[store::RegionEntry::PageTail].present);
    EXPECT_EQ(run.definition().unreadable, QStringList { "区域描述不正确：9-9" });
}

TEST_P(GeometryTest, MarginsBecomeTheSizesOfThePagesFirstAndLastRowAndColumn)
{
    // Without margin rows the defaults are laid out.
    run.PageSheetRows = 30;
    run.PageSheetCols = 8;
    useDefinition();
    platform::grid::Sheet defaults;
    engine::LoadPageMargins(run, defaults);
    EXPECT_EQ(defaults.rowHeight(1), 567);
    EXPECT_EQ(defaults.rowHeight(30), 567);
    EXPECT_EQ(defaults.colWidth(1), 1134);
    EXPECT_EQ(defaults.colWidth(8), 567);

    // Stored margins, an empty one taking its default; a row missing takes its default too.
    info(QStringLiteral("TOP_MARGE"), QStringLiteral("0.5"));
    info(QStringLiteral("BOTTOM_MARGE"), QString(""));
    info(QStringLiteral("LEFT_MARGE"), QStringLiteral("0"));
    useDefinition();
    platform::grid::Sheet first;
    engine::LoadPageMargins(run, first);
    EXPECT_EQ(first.rowHeight(1), 720);
    EXPECT_EQ(first.rowHeight(30), 567);
    EXPECT_EQ(first.colWidth(1), 0);
    EXPECT_EQ(first.colWidth(8), 567);

    // Every page takes the margins of the definition in use, whatever the tables hold meanwhile.
    execute(QStringLiteral("delete from report_info"));
    platform::grid::Sheet later;
    engine::LoadPageMargins(run, later);
    for (const int row : { 1, 30 })
        EXPECT_EQ(later.rowHeight(row), first.rowHeight(row));
    for (const int col : { 1, 8 })
        EXPECT_EQ(later.colWidth(col), first.colWidth(col));
}

TEST_P(GeometryTest, TheLastColumnTakesThePrintersWidthThatTheOthersLeave)
{
    run.PageSheetCols = 5;
    run.PrinterPaperWidth = A4Width;
    platform::grid::Sheet grid;
    grid.setColWidth(1, 1134);
    grid.setColWidths(2, 4, 3000);
    engine::SetFillerColWidth(run, grid);
    EXPECT_EQ(grid.colWidth(5), A4Width - 1134 - 9000);

    grid.setColWidth(4, 9000);
    engine::SetFillerColWidth(run, grid);
    EXPECT_EQ(grid.colWidth(5), 0);
}

TEST_P(GeometryTest, TheDemoDataReportLaysOutAsWorkedOutByHand)
{
    useDatabase(Content::DemoArchive, 20);
    store::reportState().ReportId = demo::DataReportId;
    useDefinition();

    EXPECT_TRUE(engine::CheckReportDataExists(run.definition()));
    EXPECT_FALSE(engine::IsOverDesignPaper(run)); // columns 9800 + margins 1701 on A4's 11906
    run.resetForPreparation(); // the preparation starts afresh, on the paper the check measured
    engine::GetPrinterPageSize(run);
    ASSERT_TRUE(engine::GetDataCountInPage(run));
    engine::GetPageRowCount(run);
    engine::CalcPrintScale(run);

    EXPECT_EQ(run.DesignPaperWidth, A4Width);
    EXPECT_EQ(run.DesignPaperHeight, A4Height);
    EXPECT_EQ(run.RecordsPerPage, 20);
    EXPECT_EQ(run.PageSheetCols, 8);
    EXPECT_EQ(run.PageSheetRows, 19 * 1 + 9 + 2);
    EXPECT_DOUBLE_EQ(run.ScaleY, 1.0);
    // Fixed rows 720 + 420 + 360 × 6 = 3300 and margins 1134: (16838 - 4434 - 10) / (20 × 360).
    EXPECT_DOUBLE_EQ(run.DetailScale, 12394.0 / 7200);
    EXPECT_DOUBLE_EQ(run.ScaleX, 10200.0 / 9800);
    EXPECT_TRUE(ui.boxes().empty());
}

} // namespace

#include "DataReportFixture.h"

#include "engine/BlankReport.h"
#include "engine/DataReportBuilder.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "engine/PageSheet.h"
#include "platform/db/Recordset.h"
#include "platform/grid/Sheet.h"
#include "store/ReportState.h"

using namespace enginetest;
using platform::grid::CellRange;
using platform::grid::Sheet;

namespace
{

class Pipeline : public DataReportTest
{
protected:
    void setColumnWidths(const QString& list)
    {
        execute(QStringLiteral("delete from report_format where format_type='COLWIDTH'"));
        colWidths(list);
    }

    void setInfo(const QString& type, const QString& value, const QString& note = QString())
    {
        execute(QStringLiteral("update report_info set info_description=%1, note=%2 where info_type=%3")
                    .arg(text(value), note.isNull() ? QStringLiteral("null") : text(note), text(type)));
    }
};
ENGINE_TEST_SUITE(Pipeline);

TEST_P(Pipeline, EntryChecksTellWhyAReportCannotBeBuiltInABoxOrInSilentModeToTheHost)
{
    const QString designText = QStringLiteral("报表列宽超过设计纸张大小，请到报表设计模块修改！");
    const QString printerText = QStringLiteral("报表列宽超过打印纸张大小！");
    struct Case {
        const char* name;
        QString widths; // the columns; the stored margins add 1134 + 567
        QString paper; // PAGE_SIZE, with the note of a custom paper
        QString paperNote;
        bool selfFit;
        bool preview;
        bool print;
        QString told;
    };
    const Case cases[] = {
        { "one twip wider than the designed paper", sizeList({ { 2, "5000" }, { 3, "5206" } }), "9", {},
            false, false, false, designText },
        { "wider than the printer's A4, not the designed paper", sizeList({ { 2, "12000" } }), "256",
            "40|30|22400|16800", false, true, false, printerText },
        { "fitted to the printer's paper", sizeList({ { 2, "12000" } }), "256", "40|30|22400|16800", true,
            true, true, {} },
    };
    for (const bool web : { false, true }) {
        for (const Case& c : cases) {
            SCOPED_TRACE(QStringLiteral("%1%2").arg(c.name, web ? " (silent)" : "").toStdString());
            useDatabase(Content::Schema);
            createDocsTable();
            defineReport(DocsLayout {});
            setColumnWidths(c.widths);
            setInfo(QStringLiteral("PAGE_SIZE"), c.paper, c.paperNote);
            setInfo(QStringLiteral("SELF_FIT"), c.selfFit ? QStringLiteral("T") : QStringLiteral("F"));
            store::reportState().WebPrintMode = web;
            const qsizetype boxesBefore = ui.boxTexts().size();
            useDefinition();
            EXPECT_EQ(engine::CanPreviewDataReport(run), c.preview);
            EXPECT_EQ(engine::CanPrintDataReport(run), c.print);
            const QStringList told = ui.boxTexts().mid(boxesBefore);
            if (c.told.isEmpty()) {
                EXPECT_TRUE(told.isEmpty());
                EXPECT_TRUE(store::reportState().ErrorMessage.isEmpty());
            } else if (web) {
                EXPECT_TRUE(told.isEmpty()) << "an unattended export waits for no box";
                EXPECT_EQ(store::reportState().ErrorMessage, c.told);
            } else {
                ASSERT_FALSE(told.isEmpty());
                EXPECT_EQ(told.last(), c.told);
            }
        }
    }
}

TEST_P(Pipeline, APreparationStartsAfreshWhateverTheBuildBeforeLeft)
{
    insertDocs(standardDocs());
    const DocsLayout layout { .groupLevels = 1 };
    defineReport(layout);
    const long long pages = scalar(QStringLiteral("select sum(page_no) from docs")).toLongLong();
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        Sheet sheet = build(2);
        ASSERT_EQ(state().PageRowRanges.size(), 2);
        // The first page lies at the top of the sheet with its formats and the first records, also after
        // an earlier build.
        EXPECT_EQ(runsOf(readPage(sheet, state().PageRowRanges[0]).pieces), (QList<PieceRun> { { 1, 5 } }));
        EXPECT_EQ(sheet.text(layout.pageHeadRow() + 1, 3), QStringLiteral("件号"));
        EXPECT_EQ(sheet.format(layout.bandBegin() + 1, 3).border(platform::grid::BorderSide::Top),
            (platform::grid::Border { platform::grid::BorderStyle::Thin, 0 }));
        EXPECT_TRUE(readPage(sheet, state().PageRowRanges[0]).shows(QStringLiteral("第1页 共6页")));
        engine::CreateDataReport(run, sheet, 100);
        EXPECT_TRUE(state().ReportFinished);
        const int tail = state().PageRowRanges.last().lastRow - 1;
        EXPECT_EQ(sheet.value(tail, 5), platform::grid::CellValue(double(pages))) << "totals start from 0";
    }
}

TEST_P(Pipeline, ThePreparationGivesUpASortColumnThatIsGoneAndSortsByTheRest)
{
    insertDocs(standardDocs());
    defineReport(DocsLayout {});
    setInfo(QStringLiteral("SQL_ORDER"), QStringLiteral("Convert(float,docs.piece_no) desc,docs.gone"));
    const Sheet sheet = build(1);
    EXPECT_EQ(run.definition().sql.SqlOrder, QStringLiteral("docs.piece_no desc"));
    EXPECT_EQ(ui.boxTexts(),
        QStringList { QStringLiteral("当前某个排序字段并不存在实体表中，不进行数字排序方式打印报表") });
    EXPECT_EQ(readPage(sheet, state().PageRowRanges[0]).pieces, (QList<int> { 23, 22, 21, 20, 19 }));
}

TEST_P(Pipeline, AStaticReportShowsItsFirstRecordOnOnePage)
{
    insertDocs(standardDocs());
    defineReport(DocsLayout {});
    cell(1, 1, QStringLiteral("@I|StaticReport"));
    prepare();
    EXPECT_TRUE(state().StaticReport);
    EXPECT_EQ(state().TotalPages, 1);
    EXPECT_EQ(state().DataRecordCount, 1);
    Sheet sheet;
    engine::CreateDataReport(run, sheet, 20);
    ASSERT_EQ(state().PageRowRanges.size(), 1);
    EXPECT_TRUE(state().ReportFinished);
    EXPECT_EQ(readPage(sheet, state().PageRowRanges[0]).pieces, QList<int> { 1 });
}

TEST_P(Pipeline, NoBuildLoopsWithoutEnd)
{
    insertDocs(standardDocs());
    struct Case {
        const char* name;
        QString dataRows;
        int reportHeadHeight;
        int targetPages;
        QString told;
    };
    const Case cases[] = {
        { "a template taller than the page", "FIX", 17000, 10,
            "报表每页容纳的记录数小于1（明细行高于纸张或纸张大小为0），不能生成报表！" },
        { "batches of no page", "5", 400, 0, "每次生成的报表页数必须大于0，不能生成报表！" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshDocs();
        defineReport({ .dataRows = c.dataRows, .reportHeadHeight = c.reportHeadHeight });
        const qsizetype boxesBefore = ui.boxTexts().size();
        prepare();
        Sheet sheet;
        int calls = 0;
        while (!state().ReportFinished && calls < 5) {
            engine::CreateAllPages(run, sheet, c.targetPages);
            ++calls;
        }
        EXPECT_EQ(calls, 1);
        EXPECT_TRUE(state().PageRowRanges.isEmpty());
        EXPECT_EQ(ui.boxTexts().mid(boxesBefore), QStringList { c.told }) << "told once";
        engine::CreateDataReport(run, sheet, c.targetPages);
        EXPECT_FALSE(state().ReportHasData);
        EXPECT_TRUE(state().ReportFinished);
        EXPECT_EQ(ui.boxTexts().last(), c.told);
        EXPECT_EQ(sheet.lastUsedRow(), 0);
    }
    // A refused page count leaves the data where it was.
    engine::CreateDataReport(run, *std::make_unique<Sheet>(), 100);
    EXPECT_EQ(state().PageRowRanges.size(), 5);
}

TEST_P(Pipeline, ClosingTheWindowClosesTheEnginesRecordSetsButNotTheHosts)
{
    insertDocs(standardDocs());
    defineReport(DocsLayout {});
    for (const bool host : { false, true }) {
        SCOPED_TRACE(host ? "host's record set" : "report query");
        std::shared_ptr<platform::db::Recordset> hostData;
        if (host) {
            hostData = std::make_shared<platform::db::Recordset>();
            hostData->open(QStringLiteral("select * from docs order by piece_no"), *database->connection());
        }
        store::reportState().DataRecordSet = hostData;
        const Sheet sheet = build(2);
        const std::shared_ptr<platform::db::Recordset> data = state().ReportDataRs;
        engine::ClearReportData(run);
        EXPECT_FALSE(state().ReportDataRs);
        EXPECT_EQ(data->isOpen(), host);
        EXPECT_FALSE(state().RecordBufferRs->isOpen());
        EXPECT_TRUE(state().TotalCells.isEmpty());
        EXPECT_TRUE(state().CellRecordsets.empty());
        EXPECT_EQ(state().PageRowRanges.size(), 2) << "the pages built stay listed";
    }
}

TEST_P(Pipeline, TheBlankFormRepeatsTheBandsTextsAndPicturesBlockByBlock)
{
    const DocsLayout layout { .dataRows = "3", .bandRows = 2, .picture = picture() };
    defineReport(layout);
    cell(layout.bandEnd(), 5, QStringLiteral("@A|备注"));
    useDefinition();
    ASSERT_TRUE(engine::CanPreviewDataReport(run));
    engine::PrepareReportData(run);
    Sheet sheet;
    engine::CreateBlankReport(run, sheet);

    const int pageRows = 2 * 2 + layout.rowCount() + 2;
    ASSERT_EQ(state().PageSheetRows, pageRows);
    ASSERT_EQ(state().PageRowRanges.size(), 1);
    EXPECT_EQ(state().PageRowRanges[0].firstRow, 1);
    EXPECT_EQ(state().PageRowRanges[0].lastRow, pageRows);
    EXPECT_EQ(state().CurrentPage, 1); // the window lays out its one page
    EXPECT_EQ(sheet.maxRow(), pageRows);
    QList<CellRange> expectedPictures { CellRange::cell(2, 5) };
    for (int block = 0; block < 3; ++block) {
        const int first = layout.bandBegin() + 1 + 2 * block;
        EXPECT_EQ(sheet.text(first + 1, 5), QStringLiteral("备注")) << "block " << block + 1;
        EXPECT_TRUE(sheet.isEmpty(first, 3)) << "no data on the blank form";
        expectedPictures.append(CellRange::cell(first + 1, 2));
    }
    EXPECT_EQ(picturePositions(sheet), expectedPictures);
    EXPECT_EQ(sheet.text(2, 2), QStringLiteral("文件目录"));
    EXPECT_EQ(sheet.text(layout.reportTailRow() + 1 + 4, 2), QStringLiteral("合计"));
    long long height = 0;
    for (int row = 1; row <= pageRows; ++row)
        height += sheet.rowHeight(row);
    EXPECT_EQ(height, A4HeightTwips) << "the last row fills the designed paper";
    EXPECT_DOUBLE_EQ(run.definition().page.BottomMarge, 0.5);
}

TEST_P(Pipeline, PicturesStandOverTheirCellsOnEveryPageAndOverEveryRecordAlsoInTheAutoMode)
{
    for (const DocsLayout& shape : { DocsLayout { .dataRows = "4" },
             DocsLayout { .dataRows = "AUTO", .bandRowHeight = 1000, .reportHeadHeight = 9000 } }) {
        SCOPED_TRACE(shape.dataRows.toStdString());
        freshDocs();
        const DocsLayout layout { .dataRows = shape.dataRows,
            .bandRows = 2,
            .bandRowHeight = shape.bandRowHeight,
            .reportHeadHeight = shape.reportHeadHeight,
            .picture = picture() };
        defineReport(layout);
        Sheet sheet = build(2);
        ASSERT_EQ(state().PageRowRanges.size(), 2);
        // The next batch replaces the pictures of the one before.
        for (const int batch : { 1, 2 }) {
            SCOPED_TRACE(batch);
            QList<CellRange> expected;
            for (const engine::PageRowRange& range : state().PageRowRanges) {
                expected.append(CellRange::cell(range.firstRow + 1, 5));
                const int records = readPage(sheet, range).pieces.size();
                for (int k = 0; k < records; ++k)
                    expected.append(CellRange::cell(range.firstRow + layout.bandBegin() + 2 * k + 1, 2));
            }
            EXPECT_EQ(picturePositions(sheet), expected);
            engine::CreateDataReport(run, sheet, 2);
        }
    }
}

TEST_P(Pipeline, EveryPageHasTheLayoutOfTheFirst)
{
    insertDocs(standardDocs());
    const DocsLayout layout { .bandRows = 2 };
    defineReport(layout);
    const Sheet sheet = build(3);
    const int pageRows = state().PageSheetRows;
    for (int page = 1; page < 3; ++page) {
        const int offset = page * pageRows;
        for (int row = 1; row <= pageRows; ++row) {
            if (row == layout.reportHeadRow() + 1 || row == pageRows - 1)
                continue; // the report head and tail show on the report's first and last page only
            for (int col = 1; col <= state().PageSheetCols; ++col) {
                EXPECT_TRUE(sheet.format(offset + row, col) == sheet.format(row, col))
                    << "page " << page + 1 << " row " << row << " column " << col;
                if (row <= layout.pageHeadRow() + 1) {
                    EXPECT_EQ(sheet.entry(offset + row, col), sheet.entry(row, col));
                }
            }
        }
        const auto merged = sheet.mergedBlockAt(offset + pageRows - 2, 2);
        ASSERT_TRUE(merged);
        EXPECT_EQ(*merged, (CellRange { offset + pageRows - 2, 2, offset + pageRows - 2, 4 }));
    }
}

TEST_P(Pipeline, ThePageSetUpOfOutputGrids)
{
    defineReport(DocsLayout {});
    setInfo(QStringLiteral("PAGE_LANDSCAPE"), QStringLiteral("T"));
    setColumnWidths(sizeList({ { 2, "3000" } }));
    useDefinition();
    ASSERT_TRUE(engine::CanPreviewDataReport(run));
    engine::PrepareReportData(run);
    // The pages carry their margins in their rows and columns: A4 landscape with no margins of its own,
    // one page across.
    Sheet pages;
    engine::SetGridPageSetup(run, pages);
    platform::grid::PageSetup unframed;
    unframed.landscape = true;
    unframed.fitPagesWide = 1;
    unframed.topMargin = unframed.bottomMargin = unframed.leftMargin = unframed.rightMargin = 0;
    unframed.headerMargin = unframed.footerMargin = 0;
    EXPECT_EQ(pages.pageSetup(), unframed);
    Sheet preview;
    engine::SetGridPrintSetup(run, preview);
    EXPECT_TRUE(preview.pageSetup().landscape);
    EXPECT_DOUBLE_EQ(preview.pageSetup().topMargin, 0.5);
    EXPECT_DOUBLE_EQ(preview.pageSetup().bottomMargin, 0.5);
    EXPECT_DOUBLE_EQ(preview.pageSetup().leftMargin, 0.7875);
    EXPECT_DOUBLE_EQ(preview.pageSetup().rightMargin, 0.39375);
}

TEST_P(Pipeline, APageLaidOutForTheWindowKeepsTheReportHeadAndTailWhereTheyBelong)
{
    insertDocs(standardDocs());
    defineReport(DocsLayout {});
    Sheet working = build(3);
    const int pageRows = state().PageSheetRows;
    const int tailRow = pageRows - 1;
    for (const int page : { 1, 2 }) {
        Sheet shown;
        engine::InitWholeReportSheet(run, shown, page);
        EXPECT_EQ(shown.maxCol(), 6);
        EXPECT_EQ(shown.text(3, 4), QStringLiteral("题名"));
        EXPECT_EQ(shown.text(2, 2), page == 1 ? QStringLiteral("文件目录") : QString()) << page;
        EXPECT_EQ(shown.format(2, 2).fontBold, page == 1) << page;
        EXPECT_EQ(shown.text(tailRow, 2), QString()) << "the report's last page is not built yet";
        EXPECT_EQ(shown.rowHeight(1), MarginTwips);
    }
    engine::CreateDataReport(run, working, 3);
    ASSERT_TRUE(state().ReportFinished);
    Sheet last;
    engine::InitWholeReportSheet(run, last, 2);
    EXPECT_EQ(last.text(tailRow, 2), QStringLiteral("合计"));
    EXPECT_EQ(last.text(2, 2), QString());
}

} // namespace

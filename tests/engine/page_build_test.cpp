#include "DataReportFixture.h"

#include "demo/DemoReports.h"

#include "engine/BuildProgress.h"
#include "engine/DataReportBuilder.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "platform/db/Recordset.h"
#include "platform/grid/Sheet.h"
#include "store/ReportState.h"

#include <map>

using namespace enginetest;
using platform::grid::Sheet;

namespace
{

class PageBuild : public DataReportTest
{
protected:
    // The shown texts of a template row outside the band, on built page `page` (0-based) of a
    // numeric or "FIX" report, column `col`.
    QString textAt(const Sheet& sheet, int page, int pageRow, int col) const
    {
        return sheet.text(state().PageRowRanges.at(page).firstRow - 1 + pageRow, col);
    }

    // The page row of a template row below the band, with the band repeated `blocks` times.
    static int belowBand(const DocsLayout& layout, int templateRow, int blocks)
    {
        return templateRow + 1 + (blocks - 1) * layout.bandRows;
    }

    long long sumOfPages() const
    {
        return scalar(QStringLiteral("select sum(page_no) from docs")).toLongLong();
    }
};
ENGINE_TEST_SUITE(PageBuild);

QStringList groupOf(const Doc& doc, int levels)
{
    return QStringList { doc.g1, doc.g2, doc.g3 }.mid(0, levels);
}

// The position of a piece within its group of the innermost level, from 1.
int numberInGroup(const std::vector<Doc>& docs, int piece, int levels)
{
    int number = 0;
    QStringList group;
    for (const Doc& doc : docs) {
        if (groupOf(doc, levels) != group) {
            group = groupOf(doc, levels);
            number = 0;
        }
        ++number;
        if (doc.piece == piece)
            return number;
    }
    return 0;
}

struct PaginationCase {
    const char* name;
    int groupLevels;
    QString dataRows;
    int bandRows;
    int bandRowHeight;
    bool pageRecount;
    int recordsPerPage; // worked out by hand from the paper for "FIX"
    QList<PieceRun> pages;
    QStringList pageTails;
};

// Groups of the standard documents: A 1-12 (Aa 1-7: x 1-3, y 4-7; Ab 8-12), B 13-23 (Ba: x 13-16, y 17-23).
const QList<PaginationCase>& paginationCases()
{
    static const QList<PaginationCase> cases = {
        { "no groups, 5 a page", 0, "5", 1, 300, false, 5,
            { { 1, 5 }, { 6, 10 }, { 11, 15 }, { 16, 20 }, { 21, 23 } },
            { "第1页 共5页", "第2页 共5页", "第3页 共5页", "第4页 共5页", "第5页 共5页" } },
        { "one level: every group starts a page", 1, "5", 1, 300, false, 5,
            { { 1, 5 }, { 6, 10 }, { 11, 12 }, { 13, 17 }, { 18, 22 }, { 23, 23 } },
            { "第1页 共6页", "第2页 共6页", "第3页 共6页", "第4页 共6页", "第5页 共6页", "第6页 共6页" } },
        { "one level, page numbers restart per group", 1, "5", 1, 300, true, 5,
            { { 1, 5 }, { 6, 10 }, { 11, 12 }, { 13, 17 }, { 18, 22 }, { 23, 23 } },
            { "第1页 共3页", "第2页 共3页", "第3页 共3页", "第1页 共3页", "第2页 共3页", "第3页 共3页" } },
        { "two levels", 2, "5", 1, 300, true, 5,
            { { 1, 5 }, { 6, 7 }, { 8, 12 }, { 13, 17 }, { 18, 22 }, { 23, 23 } },
            { "第1页 共2页", "第2页 共2页", "第1页 共1页", "第1页 共3页", "第2页 共3页", "第3页 共3页" } },
        { "three levels, two-row band", 3, "5", 2, 300, false, 5,
            { { 1, 3 }, { 4, 7 }, { 8, 12 }, { 13, 16 }, { 17, 21 }, { 22, 23 } },
            { "第1页 共6页", "第2页 共6页", "第3页 共6页", "第4页 共6页", "第5页 共6页", "第6页 共6页" } },
        // Fixed rows 6 × 400, margins 720 + 720: (16838 - 1440 - 2400) \ 1500 = 8 records a page.
        { "FIX, one level", 1, "FIX", 1, 1500, false, 8, { { 1, 8 }, { 9, 12 }, { 13, 20 }, { 21, 23 } },
            { "第1页 共4页", "第2页 共4页", "第3页 共4页", "第4页 共4页" } },
        // Fixed rows 10 × 400: (16838 - 1440 - 4000) \ (2 × 700) = 8 records a page.
        { "FIX, three levels, two-row band", 3, "FIX", 2, 700, true, 8,
            { { 1, 3 }, { 4, 7 }, { 8, 12 }, { 13, 16 }, { 17, 23 } },
            { "第1页 共1页", "第1页 共1页", "第1页 共1页", "第1页 共1页", "第1页 共1页" } },
    };
    return cases;
}

TEST_P(PageBuild, PagesRecordsGroupsNumbersAndTotalsAsWorkedOutByHand)
{
    const std::vector<Doc> docs = standardDocs();
    std::map<int, Doc> byPiece;
    for (const Doc& doc : docs)
        byPiece[doc.piece] = doc;
    for (const PaginationCase& c : paginationCases()) {
        SCOPED_TRACE(c.name);
        freshDocs(docs);
        const DocsLayout layout { .groupLevels = c.groupLevels,
            .dataRows = c.dataRows,
            .bandRows = c.bandRows,
            .bandRowHeight = c.bandRowHeight,
            .pageRecount = c.pageRecount };
        defineReport(layout);
        prepare();
        ASSERT_EQ(state().RecordsPerPage, c.recordsPerPage);
        EXPECT_EQ(state().TotalPages, c.pages.size());
        EXPECT_EQ(state().DataRecordCount, 23);

        Sheet sheet;
        engine::CreateDataReport(run, sheet, 100);
        ASSERT_TRUE(state().ReportFinished);
        EXPECT_TRUE(state().ReportHasData);
        ASSERT_EQ(state().PageRowRanges.size(), c.pages.size());
        const int pageRows = state().PageSheetRows;
        EXPECT_EQ(pageRows, (c.recordsPerPage - 1) * c.bandRows + layout.rowCount() + 2);
        EXPECT_EQ(sheet.maxRow(), pageRows * c.pages.size());

        for (int p = 0; p < c.pages.size(); ++p) {
            SCOPED_TRACE(p + 1);
            const engine::PageRowRange range = state().PageRowRanges[p];
            EXPECT_EQ(range.firstRow, p * pageRows + 1);
            EXPECT_EQ(range.lastRow, (p + 1) * pageRows);
            const PageView page = readPage(sheet, range);
            EXPECT_EQ(runsOf(page.pieces), QList<PieceRun> { c.pages[p] });

            // The record number counts from 1 in each innermost group, on across its pages.
            for (int k = 0; k < page.pieces.size(); ++k) {
                const int sheetRow = range.firstRow + layout.bandBegin() + k * layout.bandRows;
                EXPECT_EQ(sheet.text(sheetRow, 2),
                    QString::number(numberInGroup(docs, page.pieces[k], c.groupLevels)))
                    << "piece " << page.pieces[k];
            }
            const Doc& first = byPiece[c.pages[p].first];
            // Group heads show the group of the page's first record.
            const QStringList groups { first.g1, first.g2, first.g3 };
            for (int level = 1; level <= c.groupLevels; ++level)
                EXPECT_EQ(textAt(sheet, p, layout.groupHeadRow(level) + 1, 3), groups[level - 1]);

            const int tailBlocks = c.recordsPerPage;
            EXPECT_EQ(
                textAt(sheet, p, belowBand(layout, layout.pageTailRow(), tailBlocks), 2), c.pageTails[p]);
            EXPECT_EQ(textAt(sheet, p, layout.reportHeadRow() + 1, 2),
                p == 0 ? QStringLiteral("文件目录") : QString());
            const bool last = p == c.pages.size() - 1;
            const int reportTailRow
                = range.firstRow - 1 + belowBand(layout, layout.reportTailRow(), tailBlocks);
            EXPECT_EQ(sheet.text(reportTailRow, 2), last ? QStringLiteral("合计") : QString());
            if (last) {
                EXPECT_EQ(sheet.value(reportTailRow, 5), platform::grid::CellValue(double(sumOfPages())));
                EXPECT_GT(sheet.rowHeight(reportTailRow), 0);
            } else {
                EXPECT_EQ(sheet.rowHeight(reportTailRow), 0) << "a total row shows on the last page only";
            }

            // Every page is as tall as the paper: the last row fills what the other rows leave.
            long long height = 0;
            for (int row = range.firstRow; row <= range.lastRow; ++row)
                height += sheet.rowHeight(row);
            EXPECT_EQ(height, A4HeightTwips);
            EXPECT_EQ(sheet.rowHeight(range.firstRow), MarginTwips);
        }
        EXPECT_DOUBLE_EQ(run.definition().page.BottomMarge, 0.5) << "the stored bottom margin stays";
        EXPECT_TRUE(ui.boxes().empty()) << ui.boxTexts().join(u'\n').toStdString();
    }
}

TEST_P(PageBuild, TheDemoDataReportAsItsGroupsCountIt)
{
    useDatabase(Content::DemoArchive, 300);
    store::reportState().ReportId = demo::DataReportId;
    useDefinition();
    ASSERT_TRUE(engine::CanPrintDataReport(run));
    engine::PrepareReportData(run);

    // The groups as the archive holds them, counted independently of the engine.
    const QList<QStringList> groups
        = database->rows(QStringLiteral("select filing_year, retention, count(*), sum(page_no), "
                                        "min(piece_no) from wsda group by filing_year, retention"));
    long long expectedPages = 0;
    for (const QStringList& group : groups)
        expectedPages += (group[2].toLongLong() + 19) / 20;
    ASSERT_EQ(state().RecordsPerPage, 20);
    EXPECT_EQ(state().TotalPages, expectedPages);
    EXPECT_EQ(state().GroupCount, groups.size());

    Sheet sheet;
    engine::CreateDataReport(run, sheet, 10000);
    ASSERT_TRUE(state().ReportFinished);
    ASSERT_EQ(state().PageRowRanges.size(), expectedPages);

    // Every record stands once; a page holds one group only, with its year and period in the head, and is
    // numbered within its group.
    std::map<QString, long long> recordsOfGroup;
    std::map<QString, long long> sizeOfGroup;
    std::map<QString, int> pagesOfGroup;
    for (const QStringList& group : groups)
        sizeOfGroup[group[0] + u'/' + group[1]] = group[2].toLongLong();
    long long records = 0;
    for (int p = 0; p < state().PageRowRanges.size(); ++p) {
        const int first = state().PageRowRanges[p].firstRow;
        const QString key = sheet.text(first + 3, 3) + u'/' + sheet.text(first + 4, 3);
        ASSERT_TRUE(sizeOfGroup.count(key)) << key.toStdString();
        int onPage = 0;
        for (int row = first + 5; row < first + 5 + 20; ++row) {
            if (!sheet.isEmpty(row, 3))
                ++onPage;
        }
        EXPECT_GE(onPage, 1);
        recordsOfGroup[key] += onPage;
        records += onPage;
        EXPECT_EQ(sheet.text(first + 5 + 20 + 2, 2),
            QStringLiteral("第%1页 共%2页").arg(++pagesOfGroup[key]).arg((sizeOfGroup[key] + 19) / 20));
    }
    EXPECT_EQ(records, 300);
    for (const QStringList& group : groups)
        EXPECT_EQ(recordsOfGroup[group[0] + u'/' + group[1]], group[2].toLongLong())
            << group.join(u',').toStdString();

    // The last page closes its retention group by name and carries the column total: the pages of every
    // document.
    const int lastFirst = state().PageRowRanges.last().firstRow;
    const double pages = scalar(QStringLiteral("select sum(page_no) from wsda")).toDouble();
    EXPECT_EQ(sheet.text(lastFirst + 5 + 20, 3), sheet.text(lastFirst + 4, 3));
    EXPECT_EQ(sheet.value(lastFirst + 5 + 21, 7), platform::grid::CellValue(pages));
    EXPECT_EQ(sheet.text(lastFirst + 5 + 23, 2).left(5), QStringLiteral("制表日期："));
    EXPECT_EQ(sheet.text(state().PageRowRanges.first().firstRow + 1, 2), QStringLiteral("文书档案目录"));
}

class RecordingProgress : public engine::BuildProgress
{
public:
    double value() const override { return current; }
    void setValue(double value) override
    {
        current = value;
        values.append(value);
    }
    double maximum() const override { return 100; }

    double current = 10;
    QList<double> values;
};

TEST_P(PageBuild, ProgressMovesTowardsFiftyPageByPageAndEndsAtTheMaximum)
{
    insertDocs(standardDocs());
    defineReport(DocsLayout {});
    prepare();
    Sheet sheet;
    RecordingProgress progress;
    engine::CreateDataReport(run, sheet, 2, &progress);
    EXPECT_EQ(progress.values, (QList<double> { 30, 50 }));
    EXPECT_FALSE(state().ReportFinished);

    progress.values.clear();
    progress.current = 0;
    engine::CreateDataReport(run, sheet, 4, &progress);
    EXPECT_EQ(progress.values, (QList<double> { 12.5, 25, 37.5, 100 })) << "three pages, then the data ended";
    EXPECT_TRUE(state().ReportFinished);
}

TEST_P(PageBuild, TheHostsRecordSetIsCountedByItsGroupsSoTheTailEndsTheReport)
{
    insertDocs(standardDocs());
    defineReport({ .groupLevels = 2 });
    auto data = std::make_shared<platform::db::Recordset>();
    data->open(QStringLiteral("select * from docs order by g1, g2, piece_no"), *database->connection());
    data->moveLast(); // the host leaves its record set anywhere
    store::reportState().DataRecordSet = data;
    prepare();

    // Aa 7, Ab 5, Ba 11 at 5 a page: 2 + 1 + 3 pages.
    EXPECT_EQ(state().GroupCount, 3);
    EXPECT_EQ(state().GroupPageCounts, (QVector<long long> { 2, 1, 3 }));
    EXPECT_EQ(state().TotalPages, 6);
    Sheet sheet;
    engine::CreateDataReport(run, sheet, 100);
    ASSERT_EQ(state().PageRowRanges.size(), 6);
    for (int p = 0; p < 6; ++p) {
        const PageView page = readPage(sheet, state().PageRowRanges[p]);
        EXPECT_EQ(page.shows(QStringLiteral("合计")), p == 5) << "page " << p + 1;
        EXPECT_TRUE(page.shows(QStringLiteral("第%1页 共6页").arg(p + 1)));
    }
    EXPECT_EQ(runsOf(readPage(sheet, state().PageRowRanges[5]).pieces), (QList<PieceRun> { { 23, 23 } }));
    EXPECT_TRUE(data->isOpen()) << "the host's record set is never closed";
}

TEST_P(PageBuild, WithoutDataNothingIsBuiltAndTheUserIsToldOnceOrTheHostInSilentMode)
{
    for (const bool web : { false, true }) {
        SCOPED_TRACE(web ? "silent web mode" : "window");
        freshDocs({});
        defineReport(DocsLayout {});
        prepare();
        store::reportState().WebPrintMode = web;
        store::reportState().ErrorMessage.clear();
        const std::size_t boxesBefore = ui.boxes().size();
        Sheet sheet;
        engine::CreateDataReport(run, sheet, 20);
        EXPECT_FALSE(state().ReportHasData);
        EXPECT_TRUE(state().ReportFinished);
        EXPECT_TRUE(state().PageRowRanges.isEmpty());
        const QString text = QStringLiteral("报表没有数据，不能生成报表！打印空白页请到报表打印界面打印！");
        EXPECT_EQ(store::reportState().ErrorMessage, text);
        EXPECT_EQ(ui.boxes().size(), boxesBefore + (web ? 0 : 1));
        EXPECT_EQ(sheet.lastUsedRow(), 0);
    }
}

TEST_P(PageBuild, RowPositionFlagsReachTheSpecialFormulasOfEachRecord)
{
    // Flags: 1 the report's first record, 8 the last of its group, 2 the last of the data without
    // groups, 4 the first record counted on the build's second page.
    for (const int levels : { 0, 1 }) {
        SCOPED_TRACE(levels);
        freshDocs();
        const DocsLayout layout { .groupLevels = levels, .dataRows = "12", .bandRows = 2 };
        defineReport(layout);
        cell(layout.bandEnd(), 5, QStringLiteral("@E|#@flag#"));
        const Sheet sheet = build(10);
        ASSERT_EQ(state().PageRowRanges.size(), 2);
        std::map<int, QString> flags;
        for (const engine::PageRowRange& range : state().PageRowRanges) {
            for (int row = range.firstRow; row < range.lastRow; ++row) {
                if (std::holds_alternative<double>(sheet.value(row, 3)))
                    flags[int(std::get<double>(sheet.value(row, 3)))] = sheet.text(row + 1, 5);
            }
        }
        ASSERT_EQ(flags.size(), 23);
        for (const auto& [piece, flag] : flags) {
            QString expected = QStringLiteral("0");
            if (piece == 1)
                expected = QStringLiteral("1");
            else if (levels == 1 && (piece == 12 || piece == 23))
                expected = QStringLiteral("8");
            else if (levels == 1 && piece == 13)
                expected = QStringLiteral("4");
            else if (levels == 0 && piece == 23)
                expected = QStringLiteral("2");
            EXPECT_EQ(flag, expected) << "piece " << piece;
        }
    }
}

TEST_P(PageBuild, AReportHeadAndTailStandAloneAndClearNothingElse)
{
    for (const bool head : { false, true }) {
        SCOPED_TRACE(head ? "a report head, no report tail" : "a report tail, no report head");
        freshDocs();
        defineReport({ .reportHead = head, .reportTail = !head });
        Sheet sheet = build(10);
        ASSERT_EQ(state().PageRowRanges.size(), 5);
        for (int p = 0; p < 5; ++p) {
            const PageView page = readPage(sheet, state().PageRowRanges[p]);
            EXPECT_EQ(page.pieces.size(), p < 4 ? 5 : 3) << "page " << p + 1;
            EXPECT_TRUE(page.shows(QStringLiteral("第%1页 共5页").arg(p + 1)));
            EXPECT_TRUE(page.shows(QStringLiteral("序号")));
            // A row outside every region is no head or tail: it stands on every page.
            EXPECT_EQ(page.shows(QStringLiteral("文件目录")), !head || p == 0);
            EXPECT_EQ(page.shows(QStringLiteral("合计")), head || p == 4);
        }
        engine::CreateDataReport(run, sheet, 10);
        EXPECT_TRUE(state().ReportFinished);
        EXPECT_TRUE(state().PageRowRanges.isEmpty()) << "a call after the data's end builds nothing";
    }
}

TEST_P(PageBuild, AStatementWithoutMarksRunsOncePerBuildAndTheTailsOnlyOnTheLastPage)
{
    insertDocs(standardDocs());
    defineReport({});
    const DocsLayout layout;
    cell(layout.reportTailRow(), 3, QStringLiteral("@J|select count(*) * 1000 from docs"));
    // Failing statements: each run leaves one line in the error log.
    cell(layout.reportTailRow(), 4, QStringLiteral("@J|select count(*) from no_tail_table"));
    cell(layout.pageTailRow(), 5, QStringLiteral("@L|select count(no_page_column) from anything"));
    const auto runs = [&](const char* table) {
        return int(database
                       ->rows(QStringLiteral("select description from orv_error_log where "
                                             "procedure_name = 'GetSQLValue' and description like '%")
                           + QLatin1String(table) + QStringLiteral("%'"))
                       .size());
    };
    Sheet sheet = build(3);
    EXPECT_EQ(runs("no_page_column"), 1) << "three pages show it";
    EXPECT_EQ(runs("no_tail_table"), 0) << "no page built so far is the last";
    engine::CreateDataReport(run, sheet, 3);
    ASSERT_TRUE(state().ReportFinished);
    EXPECT_EQ(runs("no_page_column"), 1) << "a later batch of the same build";
    EXPECT_EQ(runs("no_tail_table"), 1);
    const PageView last = readPage(sheet, state().PageRowRanges.last());
    EXPECT_TRUE(last.shows(QStringLiteral("23000")));
    EXPECT_TRUE(last.shows(QStringLiteral("合计")));
    for (int p = 0; p + 1 < state().PageRowRanges.size(); ++p)
        EXPECT_FALSE(readPage(sheet, state().PageRowRanges[p]).shows(QStringLiteral("合计"))) << p;
    // A new preparation is a new build: the statements run again.
    build(10);
    EXPECT_EQ(runs("no_page_column"), 2);
    EXPECT_EQ(runs("no_tail_table"), 2);
}

} // namespace

#include "DataReportFixture.h"

#include "demo/DemoReports.h"
#include "engine/StatisticsReport.h"
#include "engine/StatisticsRun.h"
#include "support/ReferencePages.h"

#include <functional>
#include <QDateTime>

using namespace enginetest;
using platform::grid::Sheet;

// The pages of the demo reports and of harder definitions, built whole and compared line by line with
// the references in tests/fixtures/pages (see tests/fixtures/README.md for writing them anew).
namespace
{

// Titles long enough to be wider than their column on every third document.
std::vector<Doc> docsWithLongTitles()
{
    std::vector<Doc> docs = standardDocs();
    for (Doc& doc : docs) {
        if (doc.piece % 3 == 0)
            doc.title = QStringLiteral("关于印发档案管理工作规范化建设实施方案和年度考核办法的通知（第%1号）")
                            .arg(doc.piece);
    }
    return docs;
}

class ReferencePages : public DataReportTest
{
protected:
    // The reference form of what `build` makes, with its page list and the clock's texts named.
    void expectReference(
        const QString& name, const std::function<QString(engine::DataReportRun&, Sheet&)>& build)
    {
        const QDateTime start = QDateTime::currentDateTime();
        Sheet sheet;
        useDefinition();
        const QString pages = build(run, sheet);
        const QString text = orvtest::withClockNamed(
            pages + orvtest::referenceText(sheet), start, QDateTime::currentDateTime());
        EXPECT_TRUE(orvtest::matchesReference(
            text, QStringLiteral("pages/") + name, GetParam() == orvtest::Backend::SQLite));
    }

    // Builds the data report of the state whole; the page list as "page k Rfirst:Rlast" lines.
    static QString buildDataReport(engine::DataReportRun& run, Sheet& sheet)
    {
        EXPECT_TRUE(engine::CanPrintDataReport(run));
        engine::PrepareReportData(run);
        engine::CreateDataReport(run, sheet, engine::AllRemainingPages);
        EXPECT_TRUE(run.ReportFinished);
        QString pages;
        for (qsizetype page = 0; page < run.PageRowRanges.size(); ++page)
            pages += QStringLiteral("page %1 R%2:R%3\n")
                         .arg(page + 1)
                         .arg(run.PageRowRanges[page].firstRow)
                         .arg(run.PageRowRanges[page].lastRow);
        return pages;
    }

    void useDemoReport(const QString& reportId)
    {
        useDatabase(Content::DemoArchive, 60);
        store::reportState().ReportId = reportId;
        store::reportState().WebPrintMode = true;
    }
};
ENGINE_TEST_SUITE(ReferencePages);

TEST_P(ReferencePages, DemoDataReport)
{
    useDemoReport(demo::DataReportId);
    expectReference(QStringLiteral("demo-data-report.txt"), buildDataReport);
}

TEST_P(ReferencePages, DemoStatisticsReport)
{
    useDemoReport(demo::StatisticsReportId);
    expectReference(
        QStringLiteral("demo-statistics-report.txt"), [](engine::DataReportRun& run, Sheet& sheet) {
            engine::StatisticsRun stat;
            EXPECT_TRUE(engine::CanPrintReport(stat, run));
            engine::PrepareStatisticsPrint(stat, run);
            engine::CreateStatisticsReport(stat, run, sheet);
            engine::ApplyPageSetup(run.definition(), sheet);
            QString pages;
            for (int page = 0; page < stat.StatPageCount; ++page)
                pages += QStringLiteral("page %1 starts R%2\n")
                             .arg(page + 1)
                             .arg(stat.PageStartArray.value(page));
            return pages;
        });
}

// Five records a page, two group levels with the page numbers restarting in each, the column total of
// the page counts and a statement in the report tail, a per-page statement in the page tail.
TEST_P(ReferencePages, FixedRowsGroupsRestartingPageNumbersAndStatements)
{
    insertDocs(standardDocs());
    const DocsLayout layout { .groupLevels = 2, .dataRows = "5", .pageRecount = true };
    defineReport(layout);
    cell(layout.reportTailRow(), 3, QStringLiteral("@J|select count(*) * 1000 from docs"));
    cell(layout.pageTailRow(), 5, QStringLiteral("@L|select max(page_no) from docs"));
    expectReference(QStringLiteral("groups-fixed-rows.txt"), buildDataReport);
}

// As many two-row records as the page holds, one group level.
TEST_P(ReferencePages, AutoRowsWithATwoRowBand)
{
    insertDocs(standardDocs());
    defineReport({ .groupLevels = 1, .dataRows = "AUTO", .bandRows = 2, .bandRowHeight = 900 });
    expectReference(QStringLiteral("auto-rows.txt"), buildDataReport);
}

// Fitted to the paper with the band's rows as the page takes them; long titles shrink in their column
// and wrap in a second, narrower one.
TEST_P(ReferencePages, FittedToThePaperWithLongTitlesShrunkAndWrapped)
{
    insertDocs(docsWithLongTitles());
    const DocsLayout layout {
        .groupLevels = 1, .dataRows = "FIX", .bandRows = 2, .bandRowHeight = 600, .selfFit = true
    };
    defineReport(layout);
    cell(layout.bandEnd(), 3, QStringLiteral("@B|docs.title"));
    format(QStringLiteral("WRAPTEXT"), layout.bandEnd(), 3, layout.bandEnd(), 3,
        QStringLiteral("@WRAPTEXT|4|TRUE"));
    expectReference(QStringLiteral("self-fit-long-titles.txt"), buildDataReport);
}

// A designer that keeps COL_COUNT while it stores a column inserted right of the last one: that width
// counts in the fit. Usable width 11906 - 1134 - 567 - 5 = 10200 twips for 800 + 1200 + 4000 + 1000 +
// 1000 stored: every column is 1.275 times as wide as designed (without column 6 it would be 10200 / 7000,
// and the page wider than the paper).
TEST_P(ReferencePages, FittedToThePaperWithAWidthBeyondTheColumnCount)
{
    insertDocs(standardDocs());
    defineReport({ .groupLevels = 1, .dataRows = "FIX", .selfFit = true });
    colWidths(sizeList({ { 6, "1000" } }));
    expectReference(
        QStringLiteral("self-fit-width-beyond-columns.txt"), [](engine::DataReportRun& run, Sheet& sheet) {
            const QString pages = buildDataReport(run, sheet);
            EXPECT_DOUBLE_EQ(run.ScaleX, 10200.0 / 8000);
            return pages;
        });
}

} // namespace

namespace
{

// A build across midnight: both days' and both minutes' texts are named, other dates stay.
TEST(ReferenceText, TheClockOfABuildIsNamedAtItsStartAndEnd)
{
    const QDateTime start(QDate(2024, 3, 31), QTime(23, 59, 58));
    const QDateTime end(QDate(2024, 4, 1), QTime(0, 0, 1));
    EXPECT_EQ(orvtest::withClockNamed(
                  QStringLiteral("2024-03-31|2024年04月01日|23:59|00时00分|2024-03-30|12:00"), start, end),
        QStringLiteral("{%d}|{%D}|{%t}|{%T}|2024-03-30|12:00"));
}

} // namespace

#include "DataReportFixture.h"

#include "engine/DataReportBuilder.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "platform/grid/Sheet.h"

using namespace enginetest;
using platform::grid::CellRange;
using platform::grid::Sheet;

namespace
{

// Everything a page shows, with its rows counted from the page's first row, so that a page built at
// the top of one sheet compares with the same page built further down another.
struct PageSnapshot {
    QList<int> heights;
    QList<QStringList> entries;
    QList<QList<platform::grid::CellFormat>> formats;
    QList<CellRange> merges;
    QList<CellRange> pictures;
};

PageSnapshot snapshot(const Sheet& sheet, const engine::PageRowRange& range, int lastCol)
{
    PageSnapshot page;
    const auto relative = [&](CellRange r) {
        r.row1 -= range.firstRow - 1;
        r.row2 -= range.firstRow - 1;
        return r;
    };
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        page.heights.append(sheet.rowHeight(row));
        QStringList entries;
        QList<platform::grid::CellFormat> formats;
        for (int col = 1; col <= lastCol; ++col) {
            entries.append(sheet.entry(row, col));
            formats.append(sheet.format(row, col));
        }
        page.entries.append(entries);
        page.formats.append(formats);
    }
    for (const CellRange& block : sheet.mergedBlocksIn({ range.firstRow, 1, range.lastRow, lastCol }))
        page.merges.append(relative(block));
    for (const int id : sheet.objectIds()) {
        const CellRange anchor = sheet.objectPosition(id);
        if (anchor.row1 >= range.firstRow && anchor.row1 <= range.lastRow)
            page.pictures.append(relative(anchor));
    }
    return page;
}

// Compares two pages cell by cell and reports the first difference of each kind.
void expectSamePage(const PageSnapshot& built, const PageSnapshot& whole)
{
    ASSERT_EQ(built.heights.size(), whole.heights.size()) << "rows of the page";
    EXPECT_EQ(built.heights, whole.heights);
    for (int r = 0; r < built.entries.size(); ++r) {
        for (int c = 0; c < built.entries[r].size(); ++c) {
            EXPECT_EQ(built.entries[r][c], whole.entries[r][c])
                << "page row " << r + 1 << " column " << c + 1;
            EXPECT_TRUE(built.formats[r][c] == whole.formats[r][c])
                << "format, page row " << r + 1 << " column " << c + 1;
        }
    }
    EXPECT_EQ(built.merges, whole.merges);
    EXPECT_EQ(built.pictures, whole.pictures);
}

class Batches : public DataReportTest
{
protected:
    // Every page of the report, built in one call.
    QList<PageSnapshot> wholeReport()
    {
        prepare();
        Sheet sheet;
        engine::CreateDataReport(run, sheet, 1000);
        EXPECT_TRUE(state().ReportFinished);
        QList<PageSnapshot> pages;
        for (const engine::PageRowRange& range : state().PageRowRanges)
            pages.append(snapshot(sheet, range, state().PageSheetCols));
        return pages;
    }

    // The report built again in batches of `size` pages on one sheet, each batch compared with the
    // pages of the whole build.
    void expectBatchesGiveTheSamePages(const QList<PageSnapshot>& whole, int size, bool printProgress)
    {
        SCOPED_TRACE(QStringLiteral("batches of %1%2")
                         .arg(size)
                         .arg(printProgress ? " (print progress)" : "")
                         .toStdString());
        prepare();
        Sheet sheet;
        int built = 0;
        for (int batch = 0; batch < 100 && !state().ReportFinished; ++batch) {
            if (printProgress)
                engine::CreateAllPages(run, sheet, size);
            else
                engine::CreateDataReport(run, sheet, size);
            ASSERT_LE(state().PageRowRanges.size(), size);
            ASSERT_EQ(state().CurrentPage, state().PageRowRanges.size());
            EXPECT_EQ(sheet.maxRow(), state().PageRowRanges.last().lastRow)
                << "the sheet holds the batch only";
            for (int p = 0; p < state().PageRowRanges.size(); ++p) {
                SCOPED_TRACE(built + p + 1);
                ASSERT_LT(built + p, whole.size());
                expectSamePage(
                    snapshot(sheet, state().PageRowRanges[p], state().PageSheetCols), whole[built + p]);
            }
            built += state().PageRowRanges.size();
        }
        EXPECT_TRUE(state().ReportFinished);
        EXPECT_EQ(built, whole.size());
    }
};
ENGINE_TEST_SUITE(Batches);

TEST_P(Batches, BatchesOfOneTenAndTwentyPagesGiveThePagesOfOneBuild)
{
    std::vector<Doc> docs;
    for (int copy = 0; copy < 4; ++copy) {
        for (Doc doc : standardDocs()) {
            doc.g1 = QString(QChar(u'A' + copy * 2)) + doc.g1;
            doc.piece += copy * 23;
            doc.title = QStringLiteral("文件%1").arg(doc.piece);
            doc.pages = doc.piece % 7 + 1;
            docs.push_back(doc);
        }
    }
    const struct {
        const char* name;
        DocsLayout layout;
    } cases[] = {
        { "two levels, 3 a page", { .groupLevels = 2, .dataRows = "3", .pageRecount = true } },
        { "FIX, two-row band, pictures",
            { .groupLevels = 3,
                .dataRows = "FIX",
                .bandRows = 2,
                .bandRowHeight = 1200,
                .picture = picture() } },
        { "fitted to the paper, no report head", { .groupLevels = 1, .selfFit = true, .reportHead = false } },
        { "AUTO",
            { .groupLevels = 1,
                .dataRows = "AUTO",
                .bandRowHeight = 1000,
                .reportHeadHeight = 11000,
                .pageRecount = true } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        freshDocs(docs);
        defineReport(c.layout);
        const QList<PageSnapshot> whole = wholeReport();
        ASSERT_GE(whole.size(), 12);
        for (const int size : { 1, 10, 20 })
            expectBatchesGiveTheSamePages(whole, size, false);
        expectBatchesGiveTheSamePages(whole, 10, true);
    }
}

TEST_P(Batches, ARebuildOnTheSameSheetLeavesNothingOfTheBuildBefore)
{
    insertDocs(standardDocs());
    defineReport({ .groupLevels = 2 });
    Sheet sheet = build(2);
    execute(QStringLiteral("delete from docs where piece_no between 2 and 6"));
    prepare();
    engine::CreateDataReport(run, sheet, 1);
    const PageView first = readPage(sheet, state().PageRowRanges[0]);
    EXPECT_EQ(runsOf(first.pieces), (QList<PieceRun> { { 1, 1 }, { 7, 7 } }))
        << "group Aa keeps pieces 1 and 7";
    EXPECT_EQ(sheet.maxRow(), state().PageSheetRows);
}

} // namespace

#include "DataReportFixture.h"

#include "engine/AutoRows.h"
#include "engine/DataReportBuilder.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/TextMeasure.h"

using namespace enginetest;
using platform::grid::Sheet;

namespace
{

// The height of one line of the detail cells' font (the default font: the template gives the band none).
int lineHeight()
{
    return platform::grid::measureTextTwips(QStringLiteral("X"), platform::grid::TextFont {}).height();
}

// A title of `lines` lines.
QString titleOfLines(int piece, int lines)
{
    QStringList parts;
    for (int i = 1; i <= lines; ++i)
        parts.append(QStringLiteral("文件%1第%2行").arg(piece).arg(i));
    return parts.join(u'\n');
}

// AUTO rows in a band of one row 1000 twips high under a report head of 11000 twips.
const DocsLayout UnderATallReportHead {
    .dataRows = "AUTO", .bandRowHeight = 1000, .reportHeadHeight = 11000
};

class AutoRows : public DataReportTest
{
protected:
    // The rows of the detail band of built page `page`: the rows between the group heads and the tails.
    int detailHeight(const Sheet& sheet, int page, const DocsLayout& layout) const
    {
        const engine::PageRowRange range = state().PageRowRanges[page];
        const int below = layout.rowCount() - layout.bandEnd() + 1; // tails, and the bottom margin row
        int height = 0;
        for (int row = range.firstRow + layout.bandBegin(); row <= range.lastRow - below; ++row)
            height += sheet.rowHeight(row);
        return height;
    }
};
ENGINE_TEST_SUITE(AutoRows);

TEST(WrappedLineCount, LinesOfATextInAWidth)
{
    const platform::grid::TextFont font;
    const int one = platform::grid::measureTextTwips(QStringLiteral("文"), font).width();
    EXPECT_EQ(engine::WrappedLineCount(QStringLiteral("文文文文"), font, one * 4 + 1), 1);
    EXPECT_EQ(engine::WrappedLineCount(QStringLiteral("文文文文"), font, one * 2 + 1), 2);
    EXPECT_EQ(engine::WrappedLineCount(QStringLiteral("文文文文文"), font, one * 2 + 1), 3);
    EXPECT_EQ(engine::WrappedLineCount(QStringLiteral("a\nb\n\nc"), font, one * 4), 4);
    EXPECT_EQ(engine::WrappedLineCount(QString(), font, one), 1);
    EXPECT_EQ(engine::WrappedLineCount(QStringLiteral("文文"), font, 1), 2)
        << "a character wider than the cell takes a line";
}

TEST_P(AutoRows, APageTakesTheRecordsThatFitTheRoomLeftForTheBand)
{
    // Fixed rows 11000 + 3 × 400, margins 720 + 720: the band has 16838 - 1440 - 12200 = 3198 twips.
    std::vector<Doc> docs = standardDocs();
    docs[2].title = titleOfLines(3, 3);
    docs[9].title = titleOfLines(10, 2);
    insertDocs(docs);
    const DocsLayout layout = UnderATallReportHead;
    defineReport(layout);
    prepare();
    ASSERT_EQ(state().FreeHeight, 3198);
    ASSERT_EQ(state().RecordsPerPage, 3);

    // Each record's row: its lines and the padding.
    const int line = lineHeight();
    QList<int> heights;
    for (const Doc& doc : docs)
        heights.append((doc.title.count(u'\n') + 1) * line + engine::AutoRowPaddingTwips);
    QList<PieceRun> expected;
    int used = 0;
    for (int i = 0; i < heights.size(); ++i) {
        if (expected.isEmpty() || used + heights[i] > state().FreeHeight) {
            expected.append({ i + 1, i + 1 });
            used = 0;
        }
        expected.last().second = i + 1;
        used += heights[i];
    }
    ASSERT_GE(expected.size(), 3) << "line height " << line;

    Sheet sheet;
    engine::CreateDataReport(run, sheet, 100);
    ASSERT_EQ(state().PageRowRanges.size(), expected.size());
    int nextFirst = 1;
    for (int p = 0; p < expected.size(); ++p) {
        SCOPED_TRACE(p + 1);
        const engine::PageRowRange range = state().PageRowRanges[p];
        EXPECT_EQ(range.firstRow, nextFirst);
        nextFirst = range.lastRow + 1;
        const PageView page = readPage(sheet, range);
        ASSERT_EQ(runsOf(page.pieces), QList<PieceRun> { expected[p] });
        const int records = expected[p].second - expected[p].first + 1;
        EXPECT_EQ(
            range.lastRow - range.firstRow + 1, state().PageSheetRows + records - state().RecordsPerPage);
        EXPECT_LE(detailHeight(sheet, p, layout), state().FreeHeight);
        // The tails follow the last record.
        EXPECT_EQ(sheet.text(range.lastRow - 2, 2),
            QStringLiteral("第%1页 共%2页").arg(p + 1).arg(state().TotalPages));
        EXPECT_EQ(
            sheet.text(range.lastRow - 1, 2), p + 1 == expected.size() ? QStringLiteral("合计") : QString());
        EXPECT_EQ(sheet.rowHeight(range.lastRow), MarginTwips);
    }
    EXPECT_EQ(sheet.maxRow(), state().PageRowRanges.last().lastRow);
    const int lastTail = state().PageRowRanges.last().lastRow - 1;
    EXPECT_EQ(sheet.value(lastTail, 5),
        platform::grid::CellValue(scalar("select sum(page_no) from docs").toDouble()))
        << "the totals are gathered in this mode too";
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_P(AutoRows, ARecordPushedToTheNextPageUndoesItsLookAhead)
{
    // Two-row band: the record, and a row showing its recid twice: as a field, and from a statement cell
    // that reads one row of its own record set per record (the statement is also the report's data). The
    // last record of group A is too tall for what its page has left and opens the next page.
    std::vector<Doc> docs = standardDocs();
    const DocsLayout layout { .groupLevels = 1, .dataRows = "AUTO", .bandRows = 2, .pageRecount = true };
    defineReport(layout);
    cell(layout.bandEnd(), 5, QStringLiteral("@I|select * from docs order by g1, piece_no"));
    prepare();
    const int free = state().FreeHeight; // fixed rows 6 × 400: 16838 - 1440 - 2400
    ASSERT_EQ(free, 12998);
    const int line = lineHeight();
    const int oneLineRecord = 2 * (line + engine::AutoRowPaddingTwips);
    ASSERT_LE(11 * oneLineRecord, free);
    // The fewest lines that make record 12 pass what the page has left after 11 records.
    const int tallRecordRest = line + 2 * engine::AutoRowPaddingTwips;
    const int lines = (free - 11 * oneLineRecord - tallRecordRest) / line + 1;
    ASSERT_GT(11 * oneLineRecord + lines * line + tallRecordRest, free);
    ASSERT_LE(lines * line + tallRecordRest, free) << "record 12 fits an empty page";
    docs[11].title = titleOfLines(12, lines);
    insertDocs(docs);
    engine::PrepareReportData(run);

    Sheet sheet;
    engine::CreateDataReport(run, sheet, 100);
    ASSERT_EQ(state().PageRowRanges.size(), 3);
    const QList<QList<PieceRun>> expected { { { 1, 11 } }, { { 12, 12 } }, { { 13, 23 } } };
    const QStringList pageNumbers { "第1页", "第2页", "第1页" };
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(p + 1);
        const engine::PageRowRange range = state().PageRowRanges[p];
        const PageView page = readPage(sheet, range);
        ASSERT_EQ(runsOf(page.pieces), expected[p]);
        for (int k = 0; k < page.pieces.size(); ++k) {
            const int row = range.firstRow + layout.bandBegin() + 2 * k;
            EXPECT_EQ(
                sheet.text(row + 1, 5), QStringLiteral("R%1").arg(page.pieces[k], 4, 10, QLatin1Char('0')))
                << "the statement's row of piece " << page.pieces[k];
            EXPECT_EQ(sheet.text(row + 1, 4), sheet.text(row + 1, 5));
            EXPECT_EQ(sheet.text(row, 2),
                QString::number(page.pieces[k] <= 12 ? page.pieces[k] : page.pieces[k] - 12));
        }
        EXPECT_EQ(sheet.text(range.lastRow - 2, 2).left(3), pageNumbers[p]);
    }
    // Group B opens the third page and shows its own page count.
    EXPECT_EQ(sheet.text(state().PageRowRanges[2].lastRow - 2, 2),
        QStringLiteral("第1页 共%1页").arg(state().GroupPageCounts.value(1)));
    EXPECT_EQ(sheet.text(state().PageRowRanges[2].firstRow + layout.groupHeadRow(1), 3), QStringLiteral("B"));
}

TEST_P(AutoRows, ARecordTallerThanAnEmptyPageStandsAloneAndTheUserIsToldOnce)
{
    std::vector<Doc> docs = standardDocs();
    docs[4].title = titleOfLines(5, 30);
    docs[6].title = titleOfLines(7, 30);
    insertDocs(docs);
    const DocsLayout layout = UnderATallReportHead;
    defineReport(layout);
    prepare();
    ASSERT_GT(30 * lineHeight(), state().FreeHeight);

    Sheet sheet;
    QList<int> pieces;
    for (int batch = 0; batch < 50 && !state().ReportFinished; ++batch) {
        engine::CreateAllPages(run, sheet, 1);
        ASSERT_EQ(state().PageRowRanges.size(), 1) << "every batch builds its page";
        const PageView page = readPage(sheet, state().PageRowRanges[0]);
        if (page.pieces.contains(5) || page.pieces.contains(7)) {
            EXPECT_EQ(page.pieces.size(), 1);
        }
        pieces += page.pieces;
    }
    EXPECT_TRUE(state().ReportFinished);
    QList<int> all;
    for (int piece = 1; piece <= 23; ++piece)
        all.append(piece);
    EXPECT_EQ(pieces, all) << "no record is lost or repeated";
    ASSERT_EQ(ui.boxes().size(), 1);
    EXPECT_EQ(
        ui.boxes()[0].text, QStringLiteral("报表第2页的第一条记录超过纸张可容纳的高度，该页将超出纸张！"));
}

} // namespace

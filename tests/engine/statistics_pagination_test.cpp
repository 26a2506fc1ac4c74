#include "engine/EngineState.h"
#include "engine/MarginTwips.h"
#include "engine/StatisticsRun.h"
#include "engine/StatPagination.h"
#include "platform/Error.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/Printers.h"
#include "platform/ui/ScriptedPrinters.h"
#include "store/ReportState.h"

#include <gtest/gtest.h>

using platform::grid::BorderSide;
using platform::grid::BorderStyle;

namespace
{

QVector<int> repeated(int count, int height)
{
    return QVector<int>(count, height);
}

QVector<int> joined(std::initializer_list<QVector<int>> parts)
{
    QVector<int> all;
    for (const QVector<int>& part : parts)
        all += part;
    return all;
}

struct PageStartCase {
    const char* name;
    QVector<int> heights; // entry i-1: sheet row i
    int available;
    QVector<int> starts;
};

TEST(StatPageStarts, PagesEndBeforeTheLastRowThatStillFits)
{
    // A page of 15000 twips less a bottom margin of 567 leaves 14433; the top-margin row is 567 high.
    const PageStartCase cases[] = {
        // 567 + 13 × 1000 fits, the 14th row (sheet row 15) does not: sheet row 14, the last that fitted,
        // opens page 2, which holds 13 rows (14 would fit) up to row 26.
        { "margin row and rows of 1000", joined({ { 567 }, repeated(30, 1000) }), 14433, { 1, 14, 27 } },
        { "rows that all fit give one page", joined({ { 567 }, repeated(5, 1000) }), 14433, { 1 } },
        { "rows exactly as high as the page fit", joined({ { 433 }, repeated(14, 1000) }), 14433, { 1 } },
        { "a single row", { 567 }, 14433, { 1 } },
        { "no rows", {}, 14433, { 1 } },
        // Row 3 alone is taller than the page: the row before it opens page 2 but cannot share a page
        // with it, row 3 stands alone on page 3, and the rows after it follow on page 4.
        { "a row taller than the page", { 567, 1000, 20000, 1000, 1000 }, 14433, { 1, 2, 3, 4 } },
        { "the last row taller than the page", { 567, 1000, 1000, 20000 }, 14433, { 1, 3, 4 } },
        { "every row taller than the page", { 20000, 20000, 20000 }, 14433, { 1, 2, 3 } },
        { "a page of no height", { 567, 1000, 1000 }, 0, { 1, 2, 3 } },
    };
    for (const PageStartCase& c : cases)
        EXPECT_EQ(engine::StatPageStarts(c.heights, c.available), c.starts) << c.name;
}

TEST(StatPageOfRow, RowsBelongToThePageTheyStartOrFollow)
{
    const QVector<int> starts { 1, 14, 27 };
    const std::pair<int, int> rowsAndPages[]
        = { { 1, 1 }, { 13, 1 }, { 14, 2 }, { 26, 2 }, { 27, 3 }, { 900, 3 } };
    for (const auto& [row, page] : rowsAndPages)
        EXPECT_EQ(engine::StatPageOfRow(starts, row), page) << "row " << row;
}

TEST(MarginTwips, InchesRoundToWholeTwipsHalvesToEvenAndBeyondSixteenBitsThrow)
{
    const std::pair<double, int> inchesAndTwips[] = { { 0.39375, 567 }, { 0.7875, 1134 }, { 0, 0 },
        { 0.5 / 1440, 0 }, { 1.5 / 1440, 2 }, { 2.5 / 1440, 2 }, { 22.7548, 32767 }, { -0.25, -360 } };
    for (const auto& [inches, twips] : inchesAndTwips)
        EXPECT_EQ(engine::marginTwips(inches), twips) << inches;
    try {
        engine::marginTwips(23);
        ADD_FAILURE() << "33120 twips fit 16 bits";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.number(), platform::errors::Overflow);
    }
}

// A sheet of design rows laid out on a page of 15000 twips with margins of 567 twips.
class StatPaginationTest : public testing::Test
{
protected:
    void SetUp() override
    {
        run = engine::StatisticsRun {};
        store::reportState() = store::ReportState {};
        run.StatPageHeight = 15000;
        run.StatTopMargin = 567;
        run.StatBottomMargin = 567;
        run.StatColCount = 3;
    }

    void TearDown() override { store::reportState() = store::ReportState {}; }

    void designRows(int count, int height)
    {
        for (int row = 1; row <= count; ++row) {
            grid.setRowHeight(row, height);
            grid.setText(row, 1, QStringLiteral("行%1").arg(row));
        }
        run.StatRowCount = count;
    }

    int heightOfRows(int first, int last) const
    {
        int sum = 0;
        for (int row = first; row <= last; ++row)
            sum += grid.rowHeight(row);
        return sum;
    }

    platform::ui::ScriptedPrinters printers { platform::ui::PrinterScript {
        { platform::ui::PdfPrinterName }, platform::ui::PdfPrinterName } };
    platform::grid::Sheet grid;
    engine::StatisticsRun run;
    engine::DataReportRun report; // without a definition: the printer keeps its paper
};

TEST_F(StatPaginationTest, MarginRowsFrameThePagesAndTheLastPageIsPadded)
{
    designRows(30, 1000);
    engine::SetPageBreak(run, grid);

    EXPECT_EQ(run.PageStartArray, (QVector<int> { 1, 14, 27 }));
    EXPECT_EQ(run.StatPageCount, 3);
    EXPECT_EQ(run.StatRowCount, 32); // the top-margin row and the closing row
    EXPECT_EQ(grid.rowHeight(1), 567);
    EXPECT_TRUE(grid.isEmpty(1, 1));
    EXPECT_EQ(grid.text(2, 1), QStringLiteral("行1"));
    EXPECT_EQ(grid.text(31, 1), QStringLiteral("行30"));
    EXPECT_EQ(grid.rowHeight(32), 567);
    EXPECT_TRUE(grid.isEmpty(32, 1));

    engine::FillLastPage(run, report, grid);
    // Page 3 holds rows 27 to 31 (5 × 1000) and the closing row, which takes 15000 - 5567 - 10.
    EXPECT_EQ(grid.rowHeight(32), 9423);
    EXPECT_EQ(heightOfRows(27, 32), 15000 - 567 - 10);
}

TEST_F(StatPaginationTest, TheClosingRowFillsTheLastPageOrIsOfNoHeightOnAFullOne)
{
    const struct {
        const char* name;
        int rows;
        int topMargin;
        int tallRow; // a design row as high as the grid allows; 0 for none
        QVector<int> starts;
        int lastPageHeight; // from the last page's first row to the closing row
    } cases[] = {
        { "one row", 1, 567, 0, { 1 }, 15000 - 567 - 10 },
        // 433 + 14 × 1000 fills the 14433 twips above the bottom margin exactly: no room for the closing row.
        { "an exactly full page", 14, 433, 0, { 1 }, 433 + 14 * 1000 },
        // Sheet rows: 1 margin, 2 and 3 design rows 1 and 2 (the tall one), 4 and 5 design rows 3 and 4.
        { "a row taller than the page on a page of its own", 4, 567, 2, { 1, 2, 3, 4 }, 15000 - 567 - 10 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        grid = platform::grid::Sheet {};
        run.StatTopMargin = c.topMargin;
        designRows(c.rows, 1000);
        if (c.tallRow)
            grid.setRowHeight(c.tallRow, platform::grid::kMaxSizeTwips);
        engine::SetPageBreak(run, grid);
        engine::FillLastPage(run, report, grid);
        EXPECT_EQ(run.PageStartArray, c.starts);
        EXPECT_EQ(run.StatPageCount, c.starts.size());
        EXPECT_EQ(run.StatRowCount, c.rows + 2);
        EXPECT_EQ(heightOfRows(c.starts.last(), c.rows + 2), c.lastPageHeight);
    }
    EXPECT_EQ(grid.text(2, 1), QStringLiteral("行1"));
}

TEST_F(StatPaginationTest, PageStartsGrowBeyondTenPages)
{
    designRows(200, 1000);
    engine::SetPageBreak(run, grid);

    const QVector<int>& starts = run.PageStartArray;
    EXPECT_EQ(run.StatPageCount, starts.size());
    // Page 1: margin row and 12 rows; every further page 13 rows.
    ASSERT_EQ(starts.size(), 16);
    for (int page = 2; page <= starts.size(); ++page)
        EXPECT_EQ(starts[page - 1], 14 + (page - 2) * 13) << "page " << page;
}

TEST_F(StatPaginationTest, PageStartsAreKnownBeforeTheMarginRowIsInserted)
{
    designRows(30, 1000);
    const QVector<int> planned = engine::PlannedStatPageStarts(run, grid);
    engine::SetPageBreak(run, grid);
    EXPECT_EQ(planned, run.PageStartArray);
}

TEST_F(StatPaginationTest, MarginRowLosesItsSideAndInnerLinesOnly)
{
    platform::grid::CellFormat allLines;
    for (const BorderSide side : { BorderSide::Top, BorderSide::Left, BorderSide::Bottom, BorderSide::Right,
             BorderSide::InnerVertical, BorderSide::InnerHorizontal })
        allLines.border(side) = platform::grid::Border { BorderStyle::Thin, 0 };
    grid.applyFormat({ 2, 1, 2, 3 }, allLines);

    engine::ClearBreakRowBorders(grid, 2, 1, 3);

    const platform::grid::CellFormat first = grid.format(2, 1);
    const platform::grid::CellFormat last = grid.format(2, 3);
    EXPECT_EQ(first.border(BorderSide::Left)->style, BorderStyle::None);
    EXPECT_EQ(first.border(BorderSide::Right)->style, BorderStyle::None); // the inner line to column 2
    EXPECT_EQ(last.border(BorderSide::Right)->style, BorderStyle::None);
    EXPECT_EQ(first.border(BorderSide::Top)->style, BorderStyle::Thin);
    EXPECT_EQ(last.border(BorderSide::Bottom)->style, BorderStyle::Thin);
}

} // namespace

#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "output/PrintRange.h"
#include "platform/db/Recordset.h"
#include "store/ReportDefinition.h"

#include <gtest/gtest.h>

using namespace output;

namespace
{

struct ListCase {
    const char* text;
    std::optional<PageSelection> expected;
};

TEST(PageList, TypedListsAreReadOrRefused)
{
    const int totalPages = 10;
    const ListCase cases[] = {
        { "1,3,5-9", PageSelection { { 1, 3, 5 }, 9 } },
        { "-5", PageSelection { {}, 5 } },
        { "1,,3", PageSelection { { 1, 3 }, 0 } },
        { "1,a,3", PageSelection { { 1, 3 }, 0 } },
        { " 2 , 4 ", PageSelection { { 2, 4 }, 0 } },
        { "5-5", PageSelection { { 5 }, 5 } },
        { "10", PageSelection { { 10 }, 0 } },
        { "", std::nullopt },
        { "3-", std::nullopt }, // no end page
        { "2-3-4", std::nullopt }, // a second dash
        { "1.5", std::nullopt },
        { "3,2", std::nullopt }, // not rising
        { "2,2", std::nullopt },
        { "0", std::nullopt },
        { "11", std::nullopt }, // beyond the pages
        { "1-11", std::nullopt },
        { "1-99999999999", std::nullopt }, // beyond any page number
        { "5-3", std::nullopt }, // ends before its last listed page
        { "4,8-6", std::nullopt },
        { "a,b", std::nullopt }, // names no page
        { ",", std::nullopt },
        { "2-x", std::nullopt },
    };
    for (const ListCase& c : cases)
        EXPECT_EQ(ValidatePageList(QString::fromUtf8(c.text), totalPages), c.expected) << c.text;
}

struct RangeCase {
    RangeChoice choice;
    const char* pageList;
    int currentPage;
    std::optional<QString> expected;
};

TEST(PrintRange, PagesOfTwentyRowsOverFiveColumns)
{
    const PageRowMap pages = PageRowMap::equalPages(20);
    const RangeCase cases[] = {
        { RangeChoice::AllPages, "", 3, QString() },
        { RangeChoice::CurrentPage, "", 3, QStringLiteral("A41:E60") },
        { RangeChoice::PageList, "1,3,5-9", 1, QStringLiteral("A1:E20,A41:E60,A81:E100,A101:E180") },
        { RangeChoice::PageList, "-5", 1, QStringLiteral("A1:E100") },
        { RangeChoice::PageList, "1,a,3", 1, QStringLiteral("A1:E20,A41:E60") },
        { RangeChoice::PageList, "5-5", 1, QStringLiteral("A81:E100") },
        { RangeChoice::PageList, "5-3", 1, std::nullopt },
        { RangeChoice::PageList, "12", 1, std::nullopt },
    };
    for (const RangeCase& c : cases) {
        const PrintRangeRequest request { c.choice, QString::fromUtf8(c.pageList), c.currentPage, 10 };
        EXPECT_EQ(BuildPrintRange(request, pages, 5), c.expected) << c.pageList;
    }
}

TEST(PrintRange, ColumnsPastZGoOnWithTwoLetters)
{
    const PageRowMap pages = PageRowMap::equalPages(20);
    EXPECT_EQ(PagesToRanges({ { 2 }, 0 }, pages, 26), QStringLiteral("A21:Z40"));
    EXPECT_EQ(PagesToRanges({ { 2 }, 0 }, pages, 28), QStringLiteral("A21:AB40"));
    EXPECT_EQ(PagesToRanges({ { 1 }, 0 }, pages, 53), QStringLiteral("A1:BA20"));
}

TEST(PrintRange, RowsBeyondSixteenBitsAreNamed)
{
    const PageRowMap pages = PageRowMap::equalPages(40);
    EXPECT_EQ(PagesToRanges({ { 1000 }, 0 }, pages, 3), QStringLiteral("A39961:C40000"));
}

TEST(PageRowMap, StatisticsPagesRunToTheNextStartOrTheLastRow)
{
    const PageRowMap pages = PageRowMap::startingRows({ 1, 30, 55 }, 70);
    EXPECT_EQ(pages.rows(1), (SheetRows { 1, 29 }));
    EXPECT_EQ(pages.rows(2), (SheetRows { 30, 54 }));
    EXPECT_EQ(pages.rows(3), (SheetRows { 55, 70 }));
    EXPECT_EQ(pages.rows(4), std::nullopt);
    EXPECT_EQ(pages.rows(0), std::nullopt);
    EXPECT_EQ(PageRowMap::startingRows({ 1, 0 }, 12).rows(1), (SheetRows { 1, 12 }));

    const PrintRangeRequest range { RangeChoice::PageList, QStringLiteral("1-3"), 1, 3 };
    EXPECT_EQ(BuildPrintRange(range, pages, 4), QStringLiteral("A1:D29,A30:D70"));
    const PrintRangeRequest current { RangeChoice::CurrentPage, {}, 2, 3 };
    EXPECT_EQ(BuildPrintRange(current, pages, 4), QStringLiteral("A30:D54"));
}

TEST(PageRowMap, PagesThatWereNotBuiltAreRefused)
{
    const PageRowMap pages = PageRowMap::listedPages({ { 2, 18 }, { 19, 40 } });
    const PrintRangeRequest beyond { RangeChoice::CurrentPage, {}, 3, 3 };
    EXPECT_EQ(BuildPrintRange(beyond, pages, 2), std::nullopt);
    const PrintRangeRequest listed { RangeChoice::PageList, QStringLiteral("1-3"), 1, 3 };
    EXPECT_EQ(BuildPrintRange(listed, pages, 2), std::nullopt);
}

// The map of the run's report: each report kind by its own page rule.
class CurrentPageRows : public testing::Test
{
protected:
    void SetUp() override
    {
        run.PageSheetRows = 32;
        run.PageRowRanges = { { 2, 18 }, { 19, 40 } };
    }

    engine::DataReportRun run;
};

TEST_F(CurrentPageRows, EachReportKindByItsOwnRule)
{
    const auto use = [this](int type, int dataRows) {
        store::ReportDefinition definition;
        definition.type = type;
        definition.page.DataRows = dataRows;
        run.useDefinition(std::make_shared<const store::ReportDefinition>(definition));
    };
    use(store::DataReport, 10); // pages laid out 32 rows apart by the engine
    EXPECT_EQ(currentPageRows(run, {}, 0).rows(2), (SheetRows { 33, 64 }));
    use(store::DataReport, -1); // "FIX": the engine's rows per page, not a count of -1 records
    EXPECT_EQ(currentPageRows(run, {}, 0).rows(2), (SheetRows { 33, 64 }));
    use(store::DataReport, -2); // "AUTO": the built page ranges
    EXPECT_EQ(currentPageRows(run, {}, 0).rows(2), (SheetRows { 19, 40 }));
    EXPECT_EQ(currentPageRows(run, {}, 0).rows(3), std::nullopt);
    use(store::StatisticsReport, 10);
    EXPECT_EQ(currentPageRows(run, { 1, 25 }, 60).rows(2), (SheetRows { 25, 60 }));
}

} // namespace

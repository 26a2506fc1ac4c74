#include "output/PreviewPages.h"

#include <gtest/gtest.h>

using output::SheetRows;

namespace
{

TEST(PreviewPages, TheBlankFormIsOnePageOfTheWholeSheet)
{
    const output::PreviewPages pages = output::blankFormPages(47);
    EXPECT_EQ(pages.count, 1);
    EXPECT_EQ(pages.rows.rows(1), (SheetRows { 1, 47 }));
    EXPECT_FALSE(pages.rows.rows(2));
}

TEST(PreviewPages, AStatisticsPageRunsToTheRowBeforeTheNextStart)
{
    const output::PreviewPages pages = output::statisticsPages({ 1, 14, 27 }, 35);
    EXPECT_EQ(pages.count, 3);
    const std::pair<int, SheetRows> cases[] = { { 1, { 1, 13 } }, { 2, { 14, 26 } }, { 3, { 27, 35 } } };
    for (const auto& [page, rows] : cases)
        EXPECT_EQ(pages.rows.rows(page), rows) << page;
    EXPECT_FALSE(pages.rows.rows(4));
}

TEST(PreviewPages, AOnePageStatisticsReportEndsAtTheSheetsLastRow)
{
    const output::PreviewPages pages = output::statisticsPages({ 1 }, 12);
    EXPECT_EQ(pages.count, 1);
    EXPECT_EQ(pages.rows.rows(1), (SheetRows { 1, 12 }));
}

} // namespace

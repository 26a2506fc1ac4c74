#include "output/BatchRules.h"
#include "output/PageNavigation.h"
#include "output/PageZoom.h"

#include <gtest/gtest.h>

using output::AfterBatch;
using output::NavigationButtons;
using output::PagePlacement;

TEST(PageNavigation, NeverLeadsToAPageThatWasNotBuilt)
{
    struct Case {
        int current;
        int pages;
        NavigationButtons expected;
    };
    const Case cases[] = {
        { 1, 1, { false, false } }, // a report of one page, or batches of one page
        { 1, 0, { false, false } },
        { 1, 2, { false, true } },
        { 2, 2, { true, false } },
        { 5, 20, { true, true } },
        { 20, 20, { true, false } },
        { 21, 20, { false, false } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(output::navigationFor(c.current, c.pages), c.expected) << c.current << " of " << c.pages;
}

TEST(BatchRules, AutomaticPrintingPrintsEveryBatchAndGoesOnUntilTheDataEnds)
{
    struct Case {
        bool autoPrint;
        bool finished;
        bool cancelled;
        AfterBatch expected;
    };
    const Case cases[] = {
        { false, false, false, { false, false } },
        { false, true, false, { false, false } },
        { true, false, false, { true, true } },
        { true, true, false, { true, false } },
        { true, false, true, { false, false } },
        { false, false, true, { false, false } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(output::afterBatch(c.autoPrint, c.finished, c.cancelled), c.expected)
            << c.autoPrint << c.finished << c.cancelled;
}

TEST(PageZoom, FitsThePageByHeightOrByWidthAndCentresIt)
{
    struct Case {
        QSize area;
        QSizeF page;
        PagePlacement fit;
        PagePlacement natural;
    };
    const Case cases[] = {
        { { 800, 600 }, { 400, 1200 }, { 50, 300 }, { 100, 200 } }, // tall page: by height
        { { 800, 600 }, { 1600, 600 }, { 50, 0, 150 }, { 100, 0 } }, // wide page: by width, centred
        { { 800, 600 }, { 200, 200 }, { 300, 100 }, { 100, 300 } }, // small page: enlarged
        { { 800, 600 }, { 10, 10 }, { 400, 380 }, { 100, 395 } }, // no more than the view's largest zoom
        { { 800, 600 }, { 400, 0 }, { 100, 200 }, { 100, 200 } }, // a page without height
        { { 800, 601 }, { 400, 1200 }, { 50, 300 }, { 100, 200 } }, // truncated, never rounded up
    };
    for (const Case& c : cases) {
        EXPECT_EQ(output::FitPage(c.area, c.page), c.fit) << c.page.width() << "x" << c.page.height();
        EXPECT_EQ(output::NaturalSize(c.area, c.page), c.natural) << c.page.width() << "x" << c.page.height();
    }
}

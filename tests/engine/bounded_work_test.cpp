// Work that a long text, a large font or a long option must keep in proportion: counted in probes and
// measured characters, not in time.

#include "engine/AutoRows.h"
#include "engine/CellTextFit.h"
#include "engine/EngineState.h"
#include "engine/GrowingSearch.h"
#include "platform/db/Recordset.h"

#include <cmath>
#include <gtest/gtest.h>

namespace
{

TEST(BoundedWork, TheGrowingSearchFindsTheFirstHoldingPlaceWithFewProbes)
{
    const struct {
        long long from;
        long long to;
        long long threshold; // holds from here on
        long long expected;
    } cases[] = {
        { 1, 10, 1, 1 }, // holds at once
        { 1, 10, 7, 7 },
        { 1, 10, 10, 10 },
        { 1, 10, 11, 11 }, // nowhere: one past the end
        { 5, 4, 1, 5 }, // an empty range gives its start
        { 100, 1'000'000, 100'037, 100'037 },
        { 1, 1'000'000, 999'999, 999'999 },
    };
    for (const auto& c : cases) {
        int probes = 0;
        long long farthest = 0;
        const long long found = engine::FirstHolding(c.from, c.to, [&](long long n) {
            ++probes;
            farthest = std::max(farthest, n);
            return n >= c.threshold;
        });
        EXPECT_EQ(found, c.expected) << c.from << ".." << c.to << " from " << c.threshold;
        const double distance = double(std::max(1LL, c.expected - c.from + 1));
        EXPECT_LE(probes, 2 * std::log2(distance) + 4) << c.threshold;
        EXPECT_LE(farthest - c.from, 2 * distance) << c.threshold;
    }
}

TEST(BoundedWork, WrappingMeasuresEachLineByPiecesOfAtMostTwiceItsLength)
{
    // Every character 100 twips wide.
    const struct {
        int length;
        int width;
        int lines;
    } cases[] = {
        { 0, 5000, 1 }, { 50, 5000, 1 }, { 51, 5000, 2 },
        { 32000, 5000, 640 }, // a title of 32,000 characters: 640 lines of 50
        { 32000, 50, 32000 }, // no character fits: one a line
    };
    for (const auto& c : cases) {
        const QString paragraph(c.length, u'档');
        long long measured = 0;
        const int lines = engine::WrappedParagraphLines(paragraph, c.width, [&](QStringView piece) {
            measured += piece.size();
            return int(piece.size()) * 100;
        });
        EXPECT_EQ(lines, c.lines) << c.length << " characters in " << c.width;
        // Each line of L characters measures pieces of at most 2L characters, about 2 log2 L times.
        EXPECT_LE(measured, 30LL * std::max(c.length, 1)) << c.length << " characters in " << c.width;
    }
}

TEST(BoundedWork, ShrinkingSearchesTheSizesInsteadOfWalkingThem)
{
    const struct {
        double designed;
        double fitsUpTo; // the text fits at this size and below
        double expected;
    } cases[] = {
        { 10.5, 10.5, 10.5 }, // fits as designed
        { 10.5, 8, 8 }, // 10 (10.5 to the even whole number), 9, 8
        { 409, 17, 17 }, { 409, 0.5, 1 }, // fits nowhere: the smallest size
        { 1.4, 0.5, 1 }, { 1, 0.5, 1 }, // the smallest already
    };
    for (const auto& c : cases) {
        int measurements = 0;
        const double size = engine::ShrunkFontSize(c.designed, [&](double points) {
            ++measurements;
            return points <= c.fitsUpTo;
        });
        EXPECT_EQ(size, c.expected) << c.designed << " fitting up to " << c.fitsUpTo;
        EXPECT_LE(measurements, 24) << c.designed << " fitting up to " << c.fitsUpTo;
    }
}

TEST(BoundedWork, ALongTakeOptionGivesItsPieceAndTheNextPieceGoesOn)
{
    engine::DataReportRun run;
    const platform::grid::TextFont font;
    const QString value = QString(100'000, u'试') + QStringLiteral("尾");
    // The target is as wide as 100,000 "试" and a "T": the "尾" fills it out.
    EXPECT_EQ(engine::WidthFittedPiece(run, value, 1, 100'000, font, 1, 1), value);
    EXPECT_EQ(engine::WidthFittedPiece(run, value, 1, 100'000, font, 1, 1), QString());
    EXPECT_EQ(engine::WidthFittedPiece(run, QStringLiteral("甲乙丙丁"), 2, 2, font, 1, 2),
        QStringLiteral("乙丙丁"));
}

} // namespace

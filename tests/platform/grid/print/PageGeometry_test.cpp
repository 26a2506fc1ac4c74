#include "platform/grid/print/PageGeometry.h"

#include <gtest/gtest.h>

using namespace platform::grid;

TEST(PageGeometry, MarginsAndScaleMakeTheBody)
{
    PageSetup setup;
    setup.leftMargin = 0.75;
    setup.rightMargin = 0.5;
    setup.topMargin = 1;
    setup.bottomMargin = 1;
    setup.headerMargin = 0.5;
    setup.footerMargin = 0.25;
    const PageGeometry g = pageGeometry(setup, QSizeF(8.5 * 100, 11 * 100), 100); // Letter at 100 dpi
    EXPECT_EQ(g.body, QRectF(QPointF(75, 100), QPointF(800, 1000)));
    EXPECT_EQ(g.header, QRectF(QPointF(75, 50), QPointF(800, 100)));
    EXPECT_EQ(g.footer, QRectF(QPointF(75, 1000), QPointF(800, 1075)));
    EXPECT_DOUBLE_EQ(g.scale, 100.0 / 1440);
    EXPECT_DOUBLE_EQ(g.roomTwips().width(), 7.25 * 1440);
    EXPECT_DOUBLE_EQ(g.roomTwips().height(), 9 * 1440);

    const struct {
        int percent;
        double roomFactor;
    } scales[] = { { 50, 2 }, { 200, 0.5 }, { 10, 10 }, { 400, 0.25 }, { 0, 1 }, { 5, 1 }, { 401, 1 } };
    for (const auto& s : scales) {
        setup.scalePercent = s.percent;
        EXPECT_DOUBLE_EQ(
            pageGeometry(setup, QSizeF(850, 1100), 100).roomTwips().height(), 9 * 1440 * s.roomFactor)
            << s.percent;
    }
}

TEST(PageGeometry, PaperComesFromTheCodeOrTheCustomSize)
{
    PageSetup setup;
    EXPECT_EQ(paperOf(setup)->id(), QPageSize::A4);
    setup.paperSize = 8;
    EXPECT_EQ(paperOf(setup)->id(), QPageSize::A3);
    setup.paperSize = 256;
    EXPECT_FALSE(paperOf(setup).has_value());
    setup.customWidthCm = 20;
    setup.customHeightCm = 15;
    EXPECT_EQ(paperOf(setup)->size(QPageSize::Millimeter), QSizeF(200, 150));
    setup.paperSize = 9999;
    EXPECT_FALSE(paperOf(setup).has_value());
}

#include "platform/grid/Sheet.h"
#include "platform/grid/view/AxisLayout.h"
#include "platform/grid/view/CellGeometry.h"

#include <gtest/gtest.h>

using namespace platform::grid;

namespace
{

// Sizes 100, 0 (hidden), 50, 200 for the indices 1 to 4.
AxisLayout sampleAxis()
{
    const int sizes[] = { 100, 0, 50, 200 };
    AxisLayout axis;
    axis.rebuild(4, [&](int i) { return sizes[i - 1]; });
    return axis;
}

} // namespace

TEST(AxisLayout, OffsetsAreRunningSumsAndPositionsSkipHiddenIndices)
{
    const AxisLayout axis = sampleAxis();
    const struct {
        int index;
        qint64 offset;
    } offsets[] = { { 1, 0 }, { 2, 100 }, { 3, 100 }, { 4, 150 }, { 5, 350 }, { 9, 350 }, { 0, 0 } };
    for (const auto& c : offsets)
        EXPECT_EQ(axis.offset(c.index), c.offset) << c.index;
    EXPECT_EQ(axis.total(), 350);
    EXPECT_EQ(axis.size(2), 0);
    const struct {
        qint64 offset;
        int index;
    } positions[] = { { -5, 1 }, { 99, 1 }, { 100, 3 }, { 149, 3 }, { 150, 4 }, { 350, 5 }, { 10000, 5 } };
    for (const auto& c : positions)
        EXPECT_EQ(axis.indexAt(c.offset), c.index) << c.offset;
}

TEST(SheetLayout, FollowsTheSheetsSizesAfterEveryChange)
{
    Sheet sheet;
    sheet.setMaxRow(200000);
    sheet.setRowHeight(149999, 600);
    SheetLayout layout;
    layout.update(sheet);
    EXPECT_EQ(layout.rows.count(), 200000);
    EXPECT_EQ(layout.rows.offset(150000), qint64(149998) * kDefaultRowHeight + 600);
    EXPECT_EQ(layout.rows.indexAt(layout.rows.offset(150000) + 1), 150000);
    sheet.setRowHeight(2, 0);
    sheet.setColWidth(3, 2000);
    layout.update(sheet);
    EXPECT_EQ(layout.rows.offset(150000), qint64(149997) * kDefaultRowHeight + 600);
    EXPECT_EQ(layout.cols.offset(4), 2 * kDefaultColWidth + 2000);
}

TEST(CellGeometry, EdgesFallOnWholePixelsAndCellsShareThem)
{
    Sheet sheet;
    sheet.setColWidth(2, 1000); // 66.67 pixels at 100 %
    SheetLayout layout;
    layout.update(sheet);
    const CellGeometry g(layout, 1, 2, QPointF(30, 20), 1.0 / 15);
    EXPECT_EQ(g.x(2), 30);
    EXPECT_EQ(g.x(3), 30 + 67);
    EXPECT_EQ(g.x(4), 30 + 67 + 72);
    EXPECT_EQ(g.rect(1, 3), QRectF(QPointF(97, 20), QPointF(169, 38)));
    EXPECT_EQ(g.colAt(96), 2);
    EXPECT_EQ(g.colAt(98), 3);
    EXPECT_EQ(g.rowAt(20 + 18 * 4 + 1), 5);
}

#include "designer/LayoutSnapshot.h"
#include "platform/grid/Sheet.h"

#include <gtest/gtest.h>

// The snapshot covers every row and every column but the first, whatever the sheet's size, and sees no
// change while it belongs to no report.
TEST(DesignerLayoutSnapshot, NoticesSizesOfTheReportItWasTakenOf)
{
    platform::grid::Sheet grid;
    grid.setMaxRow(60);
    grid.setMaxCol(55);
    designer::LayoutSnapshot snapshot;
    grid.setRowHeight(58, 900);
    EXPECT_FALSE(snapshot.IsLayoutChanged(grid));

    snapshot.SaveLayoutSizes(grid);
    EXPECT_FALSE(snapshot.IsLayoutChanged(grid));
    grid.setColWidth(1, 3000);
    EXPECT_FALSE(snapshot.IsLayoutChanged(grid));
    grid.setRowHeight(58, 400);
    EXPECT_TRUE(snapshot.IsLayoutChanged(grid));
    snapshot.SaveLayoutSizes(grid);
    grid.setColWidth(54, 2000);
    EXPECT_TRUE(snapshot.IsLayoutChanged(grid));

    snapshot.clear();
    EXPECT_FALSE(snapshot.IsLayoutChanged(grid));
}

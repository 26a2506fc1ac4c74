#include "output/PageDisplay.h"
#include "output/PageView.h"
#include "output/PageZoom.h"
#include "platform/grid/Sheet.h"

#include <gtest/gtest.h>
#include <QImage>

using output::SheetRows;
using platform::grid::CellRange;
using platform::grid::Sheet;

namespace
{

constexpr int RowsPerPage = 4;
constexpr int Columns = 3;

QImage solid(QColor color)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Three pages of four rows: each row holds "p<page>r<row>" in column A and a number in column B.
Sheet threePages()
{
    Sheet sheet;
    for (int page = 1; page <= 3; ++page) {
        for (int r = 1; r <= RowsPerPage; ++r) {
            const int row = (page - 1) * RowsPerPage + r;
            sheet.setText(row, 1, QStringLiteral("p%1r%2").arg(page).arg(r));
            sheet.setNumber(row, 2, page * 10 + r);
            sheet.setRowHeight(row, 300 + row * 10);
        }
    }
    sheet.setColWidth(1, 2000);
    sheet.setColWidth(3, 500);
    sheet.setMaxRow(3 * RowsPerPage);
    sheet.setMaxCol(Columns);
    return sheet;
}

SheetRows pageRows(int page)
{
    return { (page - 1) * RowsPerPage + 1, page * RowsPerPage };
}

} // namespace

TEST(ShowPage, CopiesThePageRowsToTheTopOfAPageSheetOfThePageSize)
{
    const Sheet working = threePages();
    Sheet page;
    output::ShowPage(working, page, pageRows(2));
    EXPECT_EQ(page.maxRow(), RowsPerPage);
    EXPECT_EQ(page.maxCol(), Columns);
    for (int r = 1; r <= RowsPerPage; ++r) {
        EXPECT_EQ(page.text(r, 1), QStringLiteral("p2r%1").arg(r));
        EXPECT_EQ(page.text(r, 2), QString::number(20 + r));
        EXPECT_EQ(page.rowHeight(r), working.rowHeight(RowsPerPage + r));
    }
    EXPECT_EQ(page.colWidth(1), 2000);
    EXPECT_EQ(page.colWidth(2), working.colWidth(2));
    EXPECT_EQ(page.colWidth(3), 500);
}

TEST(ShowPage, FormulasShowWhatTheWorkingSheetComputesForTheirOwnPage)
{
    Sheet working = threePages();
    // Page 1 and page 2 hold different formulas in the same cell; page 2's also reads a cell of page 1.
    working.setFormula(4, 3, QStringLiteral("SUM(B1:B3)"));
    working.setFormula(8, 3, QStringLiteral("SUM(B5:B7)+B1"));
    Sheet page;
    output::ShowPage(working, page, pageRows(2));
    EXPECT_EQ(page.text(4, 3), QString::number(21 + 22 + 23 + 11));
    output::ShowPage(working, page, pageRows(1));
    EXPECT_EQ(page.text(4, 3), QString::number(11 + 12 + 13));
    output::ShowPage(working, page, pageRows(3));
    EXPECT_TRUE(page.isEmpty(4, 3)) << "nothing of an earlier page stays";
}

TEST(ShowPage, KeepsFormatsMergedBlocksAndThePageSetup)
{
    Sheet working = threePages();
    platform::grid::CellFormat bold;
    bold.fontBold = true;
    working.applyFormat({ 6, 1, 6, 2 }, bold);
    working.merge({ 7, 1, 7, 2 });
    auto setup = working.pageSetup();
    setup.landscape = true;
    setup.paperSize = 8;
    working.setPageSetup(setup);

    Sheet page;
    output::ShowPage(working, page, pageRows(2));
    EXPECT_TRUE(page.format(2, 1).fontBold.value_or(false));
    EXPECT_TRUE(page.format(2, 2).fontBold.value_or(false));
    EXPECT_FALSE(page.format(1, 1).fontBold.value_or(false));
    ASSERT_TRUE(page.mergedBlockAt(3, 2).has_value());
    EXPECT_EQ(*page.mergedBlockAt(3, 2), (CellRange { 3, 1, 3, 2 }));
    EXPECT_EQ(page.pageSetup(), setup);
}

TEST(ShowPage, CarriesThePicturesLyingWithinThePageAndNoOthers)
{
    Sheet working = threePages();
    working.addPicture(solid(Qt::red), { 2, 2, 3, 2 });
    working.addPicture(solid(Qt::green), { 5, 1, 6, 2 });
    working.addPicture(solid(Qt::blue), { 8, 3, 8, 3 });
    working.addPicture(solid(Qt::yellow), { 10, 1, 10, 1 });

    Sheet page;
    output::ShowPage(working, page, pageRows(2));
    const QList<int> ids = page.objectIds();
    ASSERT_EQ(ids.size(), 2);
    EXPECT_EQ(page.objectPosition(ids[0]), (CellRange { 1, 1, 2, 2 }));
    EXPECT_EQ(page.object(ids[0]).image.pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(page.objectPosition(ids[1]), (CellRange { 4, 3, 4, 3 }));

    // Moving back shows page 1's picture again and nothing of page 2's.
    output::ShowPage(working, page, pageRows(1));
    ASSERT_EQ(page.objectIds().size(), 1);
    EXPECT_EQ(page.objectPosition(page.objectIds().first()), (CellRange { 2, 2, 3, 2 }));
}

TEST(ShowPage, PagesOfUnequalLengthGetTheirOwnRowCount)
{
    const Sheet working = threePages();
    Sheet page;
    output::ShowPage(working, page, { 3, 9 });
    EXPECT_EQ(page.maxRow(), 7);
    EXPECT_EQ(page.text(7, 1), QStringLiteral("p3r1"));
    output::ShowPage(working, page, { 10, 10 });
    EXPECT_EQ(page.maxRow(), 1);
    EXPECT_EQ(page.text(1, 1), QStringLiteral("p3r2"));
}

TEST(PageView, DrawsTheFrameInTheViewAndLeavesTheSheetsWithoutBorders)
{
    const Sheet working = threePages();
    output::PageView view;
    view.resize(600, 400);
    view.showPage(working, pageRows(1));
    const QImage shot = view.viewport()->grab().toImage();
    const QRect first = view.cellRect(1, 1);
    const QRect inside = view.cellRect(2, 2);
    EXPECT_EQ(shot.pixelColor(first.left(), first.center().y()), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(first.center().x(), first.top()), QColor(Qt::black));
    EXPECT_NE(shot.pixelColor(inside.left(), inside.center().y()), QColor(Qt::black));
    for (int row = 1; row <= RowsPerPage; ++row) {
        for (int col = 1; col <= Columns; ++col) {
            for (const auto& border : view.page().format(row, col).borders)
                EXPECT_EQ(
                    border.value_or(platform::grid::Border {}).style, platform::grid::BorderStyle::None);
        }
    }
}

TEST(PageView, ShowsNoActiveCellBox)
{
    const Sheet working = threePages();
    output::PageView view;
    view.resize(600, 400);
    view.showPage(working, pageRows(2));
    ASSERT_EQ(view.page().activeRow(), 1);
    const QImage shot = view.viewport()->grab().toImage();
    const QRect active = view.cellRect(1, 1).adjusted(-2, -2, 2, 2) & shot.rect();
    int coloured = 0;
    for (int y = active.top(); y <= active.bottom(); ++y) {
        for (int x = active.left(); x <= active.right(); ++x) {
            const QColor pixel = shot.pixelColor(x, y);
            coloured += pixel.saturation() > 60 ? 1 : 0;
        }
    }
    EXPECT_EQ(coloured, 0) << "only the black page frame and the text, no blue box";
}

TEST(PageView, MeasuresThePageAtItsNaturalSizeWhateverTheZoom)
{
    const Sheet working = threePages();
    output::PageView view;
    view.resize(600, 400);
    view.showPage(working, pageRows(1));
    const QSizeF natural = view.pageSizeAt100();
    int heightTwips = 0;
    for (int row = 1; row <= RowsPerPage; ++row)
        heightTwips += working.rowHeight(row);
    EXPECT_DOUBLE_EQ(natural.height(), heightTwips / 15.0);
    // Exactly: a page measured a pixel apart at two zooms would be fitted at a percent apart.
    for (const int zoom : { 50, 129, 133 }) {
        view.setZoom(zoom);
        EXPECT_EQ(view.pageSizeAt100(), natural) << zoom;
    }
}

TEST(PageView, ArrangesItselfInThePageAreaFittedOrAtFullSize)
{
    const Sheet working = threePages();
    QWidget area;
    area.resize(800, 600);
    auto* view = new output::PageView(&area);
    view->showPage(working, pageRows(1));
    const QSizeF page = view->pageSizeAt100();

    view->arrangeInParent(true);
    const output::PagePlacement fitted = output::FitPage(area.size(), page);
    EXPECT_EQ(view->zoom(), fitted.zoom);
    EXPECT_EQ(view->x(), fitted.left);
    EXPECT_EQ(view->y(), fitted.top);
    EXPECT_NEAR(view->y() * 2 + view->height(), 600, 4); // centred from top to bottom when fitted by width
    EXPECT_LE(view->x() + view->width(), 800);
    EXPECT_FALSE(view->showVScrollBar());

    view->arrangeInParent(false);
    EXPECT_EQ(view->zoom(), 100);
    EXPECT_EQ(view->x(), output::NaturalSize(area.size(), page).left);
    EXPECT_TRUE(view->showVScrollBar());

    // The horizontal scroll bar only for a page wider than the area.
    area.resize(int(page.width()) + 100, 600);
    view->arrangeInParent(false);
    EXPECT_FALSE(view->showHScrollBar());
    area.resize(int(page.width()) / 2, 600);
    view->arrangeInParent(false);
    EXPECT_TRUE(view->showHScrollBar());
    EXPECT_EQ(view->x(), 0);
    EXPECT_EQ(view->width(), area.width());

    // Fitted by its width, the page stands in the middle of the area's height.
    view->arrangeInParent(true);
    EXPECT_EQ(view->y(), output::FitPage(area.size(), page).top);
    EXPECT_GT(view->y(), 0);
    EXPECT_NEAR(view->y() * 2 + view->height(), 600, 4);
}

#include "platform/Error.h"
#include "platform/grid/print/PagePlan.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/SheetTestSupport.h"
#include "platform/grid/view/AxisLayout.h"

#include <gtest/gtest.h>

using namespace platform::grid;

namespace
{

// Ten rows of 1000 twips and five columns of 1000 twips.
Sheet tenByFive()
{
    Sheet sheet;
    sheet.setRowHeights(1, 10, 1000);
    sheet.setColWidths(1, 5, 1000);
    return sheet;
}

PrintPage page(int row1, int col1, int row2, int col2, bool titled = false)
{
    return PrintPage { CellRange { row1, col1, row2, col2 },
        titled ? std::optional<TitleRows>(TitleRows { 1, 1 }) : std::nullopt };
}

} // namespace

namespace platform::grid
{
// Pages read as "A1:B3+titles" in failure messages.
void PrintTo(const PrintPage& p, std::ostream* out)
{
    *out << rangeText(p.cells).toStdString() << (p.titles ? "+titles" : "");
}
} // namespace platform::grid

TEST(PagePlan, RowsAndColumnsBreakWhereTheyNoLongerFit)
{
    struct Case {
        const char* name;
        QList<CellRange> pieces;
        std::optional<TitleRows> titles;
        QSizeF room;
        bool acrossThenDown;
        QList<PrintPage> pages;
    };
    const Case cases[] = {
        { "rows by height", { CellRange { 1, 1, 10, 2 } }, std::nullopt, QSizeF(5000, 3500), false,
            { page(1, 1, 3, 2), page(4, 1, 6, 2), page(7, 1, 9, 2), page(10, 1, 10, 2) } },
        { "exact fit", { CellRange { 1, 1, 10, 2 } }, std::nullopt, QSizeF(5000, 5000), false,
            { page(1, 1, 5, 2), page(6, 1, 10, 2) } },
        { "title rows take room from later pages", { CellRange { 1, 1, 10, 2 } }, TitleRows { 1, 1 },
            QSizeF(5000, 3500), false,
            { page(1, 1, 3, 2), page(4, 1, 5, 2, true), page(6, 1, 7, 2, true), page(8, 1, 9, 2, true),
                page(10, 1, 10, 2, true) } },
        { "a pixel beyond the page prints on it", { CellRange { 1, 1, 2, 5 } }, std::nullopt,
            QSizeF(4985, 1985), false, { page(1, 1, 2, 5) } },
        { "a twip more does not", { CellRange { 1, 1, 2, 5 } }, std::nullopt, QSizeF(4984, 1984), false,
            { page(1, 1, 1, 4), page(2, 1, 2, 4), page(1, 5, 1, 5), page(2, 5, 2, 5) } },
        { "a row taller than the page goes alone", { CellRange { 1, 1, 3, 1 } }, std::nullopt,
            QSizeF(5000, 500), false, { page(1, 1, 1, 1), page(2, 1, 2, 1), page(3, 1, 3, 1) } },
        { "each piece starts a page", { CellRange { 1, 1, 2, 2 }, CellRange { 3, 1, 4, 2 } }, std::nullopt,
            QSizeF(5000, 9000), false, { page(1, 1, 2, 2), page(3, 1, 4, 2) } },
        { "down then across", { CellRange { 1, 1, 2, 5 } }, std::nullopt, QSizeF(2500, 1000), false,
            { page(1, 1, 1, 2), page(2, 1, 2, 2), page(1, 3, 1, 4), page(2, 3, 2, 4), page(1, 5, 1, 5),
                page(2, 5, 2, 5) } },
        { "across then down", { CellRange { 1, 1, 2, 5 } }, std::nullopt, QSizeF(2500, 1000), true,
            { page(1, 1, 1, 2), page(1, 3, 1, 4), page(1, 5, 1, 5), page(2, 1, 2, 2), page(2, 3, 2, 4),
                page(2, 5, 2, 5) } },
    };
    const Sheet sheet = tenByFive();
    SheetLayout layout;
    layout.update(sheet);
    for (const Case& c : cases)
        EXPECT_EQ(planPages(layout, c.pieces, c.titles, c.room, c.acrossThenDown), c.pages) << c.name;
}

TEST(PagePlan, HiddenRowsRideAlong)
{
    Sheet sheet = tenByFive();
    sheet.setRowHeights(2, 4, 0);
    SheetLayout layout;
    layout.update(sheet);
    EXPECT_EQ(planPages(layout, { CellRange { 1, 1, 10, 1 } }, std::nullopt, QSizeF(5000, 3000), false),
        (QList<PrintPage> { page(1, 1, 6, 1), page(7, 1, 9, 1), page(10, 1, 10, 1) }));
}

TEST(PagePlan, PrintAreaIsItsPiecesOrTheUsedCellsAndPrintTitlesAreRows)
{
    Sheet sheet;
    EXPECT_TRUE(printPieces(sheet).isEmpty());
    sheet.setText(12, 4, QStringLiteral("末格"));
    EXPECT_EQ(printPieces(sheet), (QList<CellRange> { CellRange { 1, 1, 12, 4 } }));
    sheet.setPrintArea(QStringLiteral("$A$1:$H$40,$A$41:$H$80"));
    EXPECT_EQ(
        printPieces(sheet), (QList<CellRange> { CellRange { 1, 1, 40, 8 }, CellRange { 41, 1, 80, 8 } }));
    sheet.setPrintArea(QStringLiteral("$3:$5"));
    EXPECT_EQ(printPieces(sheet), (QList<CellRange> { CellRange { 3, 1, 5, 4 } }));
    sheet.setPrintArea(QStringLiteral("$B:$C"));
    EXPECT_EQ(printPieces(sheet), (QList<CellRange> { CellRange { 1, 2, 12, 3 } }));
    sheet.setPrintArea(QStringLiteral("第一页"));
    EXPECT_EQ(errorNumberOf([&] { printPieces(sheet); }), platform::errors::InvalidArgument);

    EXPECT_FALSE(printTitleRows(sheet).has_value());
    sheet.setPrintTitles(QStringLiteral("$1:$2"));
    EXPECT_EQ(printTitleRows(sheet), (TitleRows { 1, 2 }));
    sheet.setPrintTitles(QStringLiteral("$3"));
    EXPECT_EQ(printTitleRows(sheet), (TitleRows { 3, 3 }));
    sheet.setPrintTitles(QStringLiteral("标题"));
    EXPECT_THROW(printTitleRows(sheet), platform::Error);
}

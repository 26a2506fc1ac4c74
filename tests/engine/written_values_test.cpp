#include "engine/CellTextFit.h"
#include "engine/CellValues.h"
#include "platform/grid/Sheet.h"

#include <gtest/gtest.h>

using platform::grid::CellValue;
using platform::grid::Sheet;

namespace
{

TEST(WriteCellText, NumbersThatReadBackAsWrittenAreNumbersEverythingElseStaysText)
{
    const struct {
        const char* text;
        CellValue value;
    } cases[] = {
        { "12", 12.0 },
        { "-7", -7.0 },
        { "0", 0.0 },
        { "123456789012345", 123456789012345.0 },
        { "3.5", 3.5 },
        { "0012", QStringLiteral("0012") },
        { "-0", QStringLiteral("-0") },
        { "1e3", QStringLiteral("1e3") },
        { "3.50", QStringLiteral("3.50") },
        { "12345678901234567", QStringLiteral("12345678901234567") },
        { "+5", QStringLiteral("+5") },
        { "12号", QStringLiteral("12号") },
        { "", CellValue {} },
    };
    for (const auto& c : cases) {
        Sheet grid;
        grid.setText(2, 3, QStringLiteral("before"));
        grid.select(2, 3, 2, 3);
        engine::WriteCellText(grid, QString::fromUtf8(c.text));
        EXPECT_EQ(grid.value(2, 3), c.value) << c.text;
    }
}

TEST(ShrinkToFit, AWholeNumberIsMeasuredAsItsFormatShowsIt)
{
    // 1234567 fits a column of 1000 twips in the General format; with grouping and decimals it shows
    // "1,234,567.00" and has to shrink.
    Sheet grid;
    grid.setColWidth(2, 1000);
    for (const int row : { 1, 2 }) {
        grid.setNumber(row, 2, 1234567);
        grid.select(row, 2, row, 2);
        if (row == 2) {
            platform::grid::CellFormat grouped;
            grouped.numberFormat = QStringLiteral("#,##0.00");
            grid.applyFormatToSelection(grouped);
        }
        engine::ShrinkToFit(grid);
    }
    EXPECT_EQ(grid.format(1, 2).fontSize, platform::grid::kDefaultFontSize);
    EXPECT_LT(*grid.format(2, 2).fontSize, platform::grid::kDefaultFontSize);
    EXPECT_EQ(grid.text(2, 2), QStringLiteral("1,234,567.00"));
}

} // namespace

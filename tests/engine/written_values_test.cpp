#include "engine/CellTextFit.h"
#include "engine/CellValues.h"
#include "engine/EngineState.h"
#include "platform/db/Recordset.h"
#include "platform/db/ValueText.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/TextMeasure.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

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

// The value a field cell writes for `value`, in a fresh sheet.
CellValue writtenField(const QVariant& value)
{
    auto record = platform::db::Recordset::fabricate({ { QStringLiteral("n"), QMetaType::Type(value.typeId()) } });
    record->addNew();
    record->setValue(0, value);
    engine::ReportCellItem cell;
    cell.letter = QStringLiteral("B");
    cell.fieldIndex = 0;
    Sheet grid;
    grid.select(2, 3, 2, 3);
    engine::SetCellDataValue(grid, cell, engine::CellContext { record.get(), 0, 1 });
    return grid.value(2, 3);
}

// The value the field's text writes, as a field that shows its text would.
CellValue writtenText(const QVariant& value)
{
    Sheet grid;
    grid.select(2, 3, 2, 3);
    engine::WriteCellText(grid, platform::db::valueText(value));
    return grid.value(2, 3);
}

TEST(FieldValues, NumbersOfARecordAreWrittenAsTheirTextsWould)
{
    const struct {
        QVariant value;
        CellValue written;
    } cases[] = {
        { 2.25, 2.25 },
        { 0.1 + 0.2, 0.3 },
        { -0.0, 0.0 },
        { 1.0 / 3, 0.333333333333333 },
        { 0.0001, 0.0001 },
        { 999999999999999.0, 999999999999999.0 },
        { -394742942124344.5, -394742942124345.0 },
        { 0.00001, QStringLiteral("0.00001") },
        { 1e15, QStringLiteral("1000000000000000") },
        { 1e20, QStringLiteral("100000000000000000000") },
        { qlonglong(-999999999999999), -999999999999999.0 },
        { qlonglong(1000000000000000), QStringLiteral("1000000000000000") },
        { std::numeric_limits<double>::infinity(), QStringLiteral("inf") },
    };
    for (const auto& c : cases)
        EXPECT_EQ(writtenField(c.value), c.written) << c.value.toString().toStdString();

    // Numbers of every size and digit count, whole and not.
    std::mt19937_64 random(26);
    std::uniform_int_distribution<int> exponent(-30, 30);
    std::uniform_int_distribution<int> digits(1, 17);
    for (int i = 0; i < 5000; ++i) {
        const double scale = std::pow(10.0, digits(random));
        const double number = std::round(double(random() >> 11) / double(1ULL << 53) * scale) / scale
            * std::pow(10.0, exponent(random)) * (i % 2 ? -1 : 1);
        const QVariant value = i % 5 ? QVariant(number) : QVariant(qlonglong(number));
        ASSERT_EQ(writtenField(value), writtenText(value)) << platform::db::numberText(number).toStdString();
    }
}

TEST(ShrinkToFit, CellsShowingTheSameValueShrinkAsTheirFormatFontAndWidthDecide)
{
    // Cells that show one value under several formats, fonts and widths, in turns: each keeps the size
    // its own text, font and width give.
    const QString wide = QStringLiteral("一段比单元格宽得多的文字");
    const int wideWidth = platform::grid::measureTextTwips(wide, {}).width();
    const struct {
        CellValue value;
        const char* format;
        bool bold;
        int width;
    } cases[] = {
        { 1234.5, "General", false, 700 },
        { 1234.5, "#,##0.00000", false, 700 },
        { wide, "General", false, wideWidth / 2 },
        { wide, "General", true, wideWidth / 2 },
        { wide, "General", false, wideWidth / 3 },
        { wide, "General", false, wideWidth * 2 },
    };
    Sheet grid;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < int(std::size(cases)); ++i) {
            const auto& c = cases[i];
            const int col = 2 + i;
            grid.setColWidth(col, c.width);
            grid.select(3, col, 3, col);
            platform::grid::CellFormat style;
            style.numberFormat = QString::fromLatin1(c.format);
            style.fontBold = c.bold;
            style.fontSize = platform::grid::kDefaultFontSize;
            grid.applyFormatToSelection(style);
            if (const double* number = std::get_if<double>(&c.value))
                grid.setNumber(3, col, *number);
            else
                grid.setText(3, col, std::get<QString>(c.value));
            engine::ShrinkToFit(grid, c.value);
            platform::grid::TextFont font = platform::grid::fontOf(grid.format(3, col));
            const QString shown = grid.text(3, col);
            const double size = font.size;
            EXPECT_TRUE(size == engine::MinShrinkFontPoints
                || platform::grid::measureTextTwips(shown, font).width() <= c.width)
                << i;
            font.size = size + 1;
            EXPECT_TRUE(size == platform::grid::kDefaultFontSize
                || platform::grid::measureTextTwips(shown, font).width() > c.width)
                << i;
        }
    }
}

} // namespace

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
        { "0.00001", 0.00001 },
        { "100000000004295000001", QStringLiteral("100000000004295000001") },
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

// The value a field cell writes for `value`, and the value its text writes.
std::pair<CellValue, CellValue> writtenFieldAndText(const QVariant& value)
{
    auto record = platform::db::Recordset::fabricate({ { "n", QMetaType::Type(value.typeId()) } });
    record->addNew();
    record->setValue(0, value);
    engine::ReportCellItem cell;
    cell.letter = QStringLiteral("B");
    cell.fieldIndex = 0;
    Sheet grid;
    grid.select(2, 3, 2, 3);
    engine::DataReportRun run;
    engine::SetCellDataValue(run, grid, cell, engine::CellContext { record.get(), 0, 1 });
    grid.select(4, 3, 4, 3);
    engine::WriteCellText(grid, platform::db::valueText(value));
    return { grid.value(2, 3), grid.value(4, 3) };
}

TEST(FieldValues, NumbersOfARecordAreWrittenAsTheirTextsWould)
{
    // 15 significant digits, halves away from zero, however small or large; a whole number of more
    // digits than a number cell holds stays text.
    const std::pair<QVariant, CellValue> cases[] = { { 0.1 + 0.2, 0.3 }, { -0.0, 0.0 },
        { -394742942124344.5, -394742942124345.0 }, { 0.00001, 0.00001 }, { 1e15, 1e15 },
        { qlonglong(1e16), 1e16 }, { qlonglong(1234567890123456789), QStringLiteral("1234567890123456789") },
        { -std::numeric_limits<double>::max(), -std::numeric_limits<double>::max() } };
    for (const auto& [value, written] : cases)
        EXPECT_EQ(writtenFieldAndText(value).first, written) << value.toString().toStdString();
    std::mt19937_64 random(26);
    for (int i = 0; i < 5000; ++i) {
        const double digits = double((random() % 100'000'000'000'000'000) >> (random() % 57));
        const double number = digits * std::pow(10.0, int(random() % 41) - 25) * (i % 2 ? -1 : 1);
        const auto [field, text] = writtenFieldAndText(i % 5 ? QVariant(number) : QVariant(qlonglong(number)));
        ASSERT_EQ(field, text) << platform::db::numberText(number).toStdString();
    }
}

TEST(ShrinkToFit, CellsShowingOneValueShrinkByTheirOwnFormatAndWidth)
{
    // In turns, so that a size kept for one cell would show in the next.
    const QString wide = QStringLiteral("一段比单元格宽得多的文字");
    const int wideWidth = platform::grid::measureTextTwips(wide, {}).width();
    const std::tuple<CellValue, const char*, int> cases[] = { { 1234.5, "General", 700 },
        { 1234.5, "#,##0.00000", 700 }, { wide, "General", wideWidth / 2 }, { wide, "General", wideWidth / 3 },
        { wide, "General", wideWidth * 2 } };
    Sheet grid;
    for (int i = 0; i < 2 * int(std::size(cases)); ++i) {
        const auto& [value, format, width] = cases[i % std::size(cases)];
        grid.setColWidth(2, width);
        grid.select(3, 2, 3, 2);
        platform::grid::CellFormat style;
        style.numberFormat = QString::fromLatin1(format);
        style.fontSize = platform::grid::kDefaultFontSize;
        grid.applyFormatToSelection(style);
        grid.setValue(3, 2, value);
        engine::ShrinkToFit(grid, value);
        platform::grid::TextFont font = platform::grid::fontOf(grid.format(3, 2));
        const auto fits = [&] { return platform::grid::measureTextTwips(grid.text(3, 2), font).width() <= width; };
        EXPECT_TRUE(font.size == engine::MinShrinkFontPoints || fits()) << i;
        font.size += 1;
        EXPECT_TRUE(font.size - 1 == platform::grid::kDefaultFontSize || !fits()) << i;
    }
}

} // namespace

#include "platform/grid/NumberFormat.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <QList>

using namespace platform::grid;

namespace
{

struct FormatCase {
    CellValue value;
    const char* code;
    const char* shown;
};

constexpr double kDay = 45000; // 2023-03-15, a Wednesday
constexpr double kSecond = 1.0 / 86400;

const FormatCase kFormatCases[] = {
    // General: up to 11 characters, exponent form for large numbers and below 0.0001
    { 0.0, "General", "0" },
    { -1.5, "General", "-1.5" },
    { 1.0 / 3, "General", "0.333333333" },
    { 2.0 / 3, "General", "0.666666667" },
    { 0.1 + 0.2, "General", "0.3" },
    { 1234.56789012, "General", "1234.56789" },
    { 12345678901.0, "General", "12345678901" },
    { 123456789012.0, "General", "1.23457E+11" },
    { 99999999999.9, "General", "1E+11" },
    { 1e20, "General", "1E+20" },
    { 0.0001, "General", "0.0001" },
    { 0.00001, "General", "1E-05" },
    { 0.000123456789, "General", "0.000123457" },
    { 1.5, "", "1.5" },
    { 1.5, "general", "1.5" },
    { 1.5, "G/通用格式", "1.5" },
    // fixed decimals, rounded half away from zero on the shown digits
    { 2.5, "0", "3" },
    { -2.5, "0", "-3" },
    { 0.4, "0", "0" },
    { 1.005, "0.00", "1.01" },
    { 2.675, "0.00", "2.68" },
    { 7.0, "000", "007" },
    { 1.2, "0.0#", "1.2" },
    { 1.234, "0.0#", "1.23" },
    { 1.0, "0.0#", "1.0" },
    { 12.0, "#.##", "12." },
    { 0.5, "#.##", ".5" },
    { 1.5, "0.0?", "1.5 " },
    // thousands separators and scaling
    { 1234567.891, "#,##0", "1,234,568" },
    { 0.0, "#,##0", "0" },
    { -1234.0, "#,##0", "-1,234" },
    { 999.5, "#,##0", "1,000" },
    { 1234.5, "#,##0.00", "1,234.50" },
    { 5.0, "0,000", "0,005" },
    { 1234567.0, "#,##0,", "1,235" },
    { 1234567.0, "#,##0,,", "1" },
    { 1234.0, "0,.00", "1.23" },
    { 12.0, ",0", ",12" },
    // percent and exponent
    { 0.125, "0%", "13%" },
    { 0.12345, "0.00%", "12.35%" },
    { 12345.0, "0.00E+00", "1.23E+04" },
    { 0.000123, "0.00E+00", "1.23E-04" },
    { 9.999, "0.00E+00", "1.00E+01" },
    { 0.0, "0.00E+00", "0.00E+00" },
    // literals, sections, colours
    { -5.0, "\"$\"#,##0.00", "-$5.00" },
    { 5.0, "0 \"件\"", "5 件" },
    { 5.0, "0件", "5件" },
    { 1234567.0, "000-0000", "123-4567" },
    { 5.0, "\\N0", "N5" },
    { 1.0, "0.00_);(0.00)", "1.00 " },
    { -5.0, "0.00;(0.00)", "(5.00)" },
    { 5.0, "0.00;(0.00)", "5.00" },
    { 0.0, "0;-0;\"zero\"", "zero" },
    { 0.0, "0;-0;;@", "" },
    { -1.0, "[Red]0.00;[Blue]-0.00", "-1.00" },
    { 1234.5, "[$￥-804]#,##0.00", "￥1,234.50" },
    { 1234.5, "￥#,##0.00", "￥1,234.50" },
    { 2.0, "[$USD-409] 0", "USD 2" },
    { 1.0, "[>100]0.00", "1.00" },
    // texts
    { QStringLiteral("abc"), "0.00", "abc" },
    { QStringLiteral("abc"), "@", "abc" },
    { QStringLiteral("abc"), "\\@", "abc" },
    { QStringLiteral("abc"), "0;-0;0;\"<\"@\">\"", "<abc>" },
    { QStringLiteral("abc"), "0;-0;;@", "abc" },
    { QStringLiteral("x"), "\"Name: \"@", "Name: x" },
    { 12.5, "@", "12.5" },
    { 12.5, "\\@", "12.5" },
    // dates and times
    { kDay, "yyyy-mm-dd", "2023-03-15" },
    { kDay, "yyyy/m/d", "2023/3/15" },
    { kDay, "yyyy\"年\"m\"月\"d\"日\"", "2023年3月15日" },
    { kDay, "yy-m", "23-3" },
    { kDay, "mmm d, yyyy", "Mar 15, 2023" },
    { kDay, "mmmm", "March" },
    { kDay, "dddd", "Wednesday" },
    { kDay, "ddd", "Wed" },
    { kDay, "yyyy年m月d日 aaaa", "2023年3月15日 星期三" },
    { kDay + 4, "aaa", "日" },
    { kDay, "aa", "aa" },
    { kDay + 0.75, "hh:mm", "18:00" },
    { kDay + 0.75, "yyyy-mm-dd hh:mm:ss", "2023-03-15 18:00:00" },
    { 0.5 + 61.4 * kSecond, "hh:mm:ss", "12:01:01" },
    { 0.5 + 61.6 * kSecond, "hh:mm:ss", "12:01:02" },
    { 0.5 + 1.234 * kSecond, "hh:mm:ss.00", "12:00:01.23" },
    { 0.75, "h:mm AM/PM", "6:00 PM" },
    { 0.5, "h:mm am/pm", "12:00 pm" },
    { 0.75, "上午/下午h时", "下午6时" },
    { 0.5, "hh时mm分", "12时00分" },
    { 0.5 + 5.0 / 1440, "h:m", "12:5" },
    { (5 * 60 + 7) * kSecond, "mm:ss", "05:07" },
    { 1.5, "[h]:mm", "36:00" },
    { 0.99999999, "hh:mm:ss", "00:00:00" },
    { kDay + 0.99999999, "yyyy-mm-dd hh:mm", "2023-03-16 00:00" },
    { 1.0, "yyyy-mm-dd", "1899-12-31" },
    { 2958465.0, "yyyy-mm-dd", "9999-12-31" },
    { 2958466.0, "yyyy-mm-dd", "########" },
    { -1.0, "yyyy-mm-dd", "########" },
    // logical values, errors, empty cells
    { true, "0.00", "TRUE" },
    { false, "General", "FALSE" },
    { CellError { "#DIV/0!" }, "0.00", "#DIV/0!" },
    { CellValue(), "0.00", "" },
    { std::numeric_limits<double>::infinity(), "0.00", "#NUM!" },
};

std::string describe(const CellValue& value)
{
    if (const auto* number = std::get_if<double>(&value))
        return std::to_string(*number);
    if (const auto* text = std::get_if<QString>(&value))
        return text->toStdString();
    return "non-number";
}

} // namespace

TEST(NumberFormat, ValuesShowAsASpreadsheetShowsThem)
{
    for (const FormatCase& c : kFormatCases) {
        EXPECT_EQ(formatCellValue(c.value, QString::fromUtf8(c.code)), QString::fromUtf8(c.shown))
            << describe(c.value) << " with " << c.code;
    }
    EXPECT_EQ(generalText(1.0 / 7), "0.142857143");
}

// Texts and whole numbers in the General format take a short way; they show as the same format
// written in Chinese, which takes the long one.
TEST(NumberFormat, GeneralShowsWholeNumbersAndTextsTheLongWayToo)
{
    const QList<CellValue> values { 0.0, -0.0, 7.0, -7.0, 20240101.0, 9999999999.0, -9999999999.0,
        10000000000.0, 123456789012.0, 0.5, -2.25, QString("0012"), QString("第1页"), QString() };
    for (const CellValue& value : values) {
        for (const QString& general : { QStringLiteral("General"), QStringLiteral(" General "), QString() })
            EXPECT_EQ(formatCellValue(value, general), formatCellValue(value, QStringLiteral("G/通用格式")))
                << describe(value) << " with \"" << general.toStdString() << '"';
    }
}

TEST(NumberFormat, AFormatOfHundredsOfThousandsOfCommasIsReadInOnePass)
{
    const QString commas(200'000, u',');
    EXPECT_EQ(formatCellValue(1234567.0, u'0' + commas + u'0'), "1,234,567");
    EXPECT_EQ(formatCellValue(1234567.0, u'0' + commas), "0");
    EXPECT_EQ(formatCellValue(1234567.0, commas + u'0'), commas + QStringLiteral("1234567"));
}

TEST(NumberFormat, EntryTextKeepsFifteenDigitsAndReadsBack)
{
    const struct {
        double number;
        const char* text;
    } cases[] = {
        { 1234.56789012, "1234.56789012" },
        { 1.0 / 3, "0.333333333333333" },
        { 0.1 + 0.2, "0.3" },
        { -42, "-42" },
        { 1e20, "1E+20" },
        { 123456789012345, "123456789012345" },
        { 2.5e-7, "2.5E-07" },
        { 0, "0" },
    };
    for (const auto& c : cases) {
        const QString text = entryText(c.number);
        EXPECT_EQ(text, QString::fromLatin1(c.text));
        double back = 0;
        EXPECT_TRUE(parseNumberEntry(text, &back)) << c.text;
        EXPECT_EQ(entryText(back), text);
    }
}

TEST(NumberFormat, EntriesThatReadAsNumbersAndEntriesThatStayTexts)
{
    const struct {
        const char* entry;
        double number;
    } numbers[] = { { "12", 12 }, { "-3.5", -3.5 }, { "+4", 4 }, { "1,234.5", 1234.5 },
        { "1,234,567", 1234567 }, { "12%", 0.12 }, { "1e3", 1000 }, { "2.5E-2", 0.025 }, { " 7 ", 7 },
        { ".5", 0.5 }, { "5.", 5 }, { "-0", 0 }, { "007", 7 } };
    for (const auto& c : numbers) {
        double number = -999;
        EXPECT_TRUE(parseNumberEntry(QString::fromUtf8(c.entry), &number)) << c.entry;
        EXPECT_DOUBLE_EQ(number, c.number) << c.entry;
    }
    for (const char* text : { "12a", "", " ", "--1", "1,2,3", "1,23", "12,3456", ",123", "1.2.3", "1e", "e3",
             ".", "-", "%", "1e400", "12 3", "0x10", "inf", "nan", "１２", "1,234,56", "$12" }) {
        double number = -999;
        EXPECT_FALSE(parseNumberEntry(QString::fromUtf8(text), &number)) << text;
        EXPECT_EQ(number, -999) << text;
    }
}

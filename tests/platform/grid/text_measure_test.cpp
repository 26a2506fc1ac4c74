#include "platform/grid/CellFormat.h"
#include "platform/grid/ReportFonts.h"
#include "platform/grid/TextMeasure.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace platform::grid;

namespace
{

TextFont font(const char* name, double size, bool bold = false)
{
    TextFont f;
    f.name = QString::fromUtf8(name);
    f.size = size;
    f.bold = bold;
    return f;
}

} // namespace

TEST(TextMeasure, WidthGrowsWithTheTextTheFontSizeAndBoldness)
{
    const TextFont body = font(kDefaultFontName, kDefaultFontSize);
    const int two = measureTextTwips("WW", body).width();
    EXPECT_GT(two, 0);
    EXPECT_NEAR(measureTextTwips("WWWW", body).width(), 2 * two, 2);
    // Four CJK characters of 10.5 points take about 4 em: 4 × 10.5 × 20 twips.
    const QSize chinese = measureTextTwips("档案目录", font(kDefaultFontName, 10.5));
    EXPECT_NEAR(chinese.width(), 840, 840 * 0.05);
    EXPECT_GE(chinese.height(), 10.5 * 20);
    EXPECT_LT(chinese.height(), 10.5 * 20 * 1.6);
    const QString text = QStringLiteral("合计 Total 12,345.00");
    const int small = measureTextTwips(text, font(kDefaultFontName, 9)).width();
    EXPECT_NEAR(measureTextTwips(text, font(kDefaultFontName, 18)).width(), 2 * small, 2 * small * 0.02);
    EXPECT_GE(measureTextTwips(text, font("宋体", 9, true)).width(), small);
}

TEST(TextMeasure, SeveralLinesMeasureAsTheWidestLineByTheLineCount)
{
    const TextFont body = font(kDefaultFontName, kDefaultFontSize);
    const QSize one = measureTextTwips("abcdef", body);
    const QSize two = measureTextTwips("abc\nabcdef", body);
    const QSize three = measureTextTwips("abc\r\nabcdef\nx", body);
    EXPECT_EQ(two.width(), one.width());
    EXPECT_NEAR(two.height(), 2 * one.height(), 1);
    EXPECT_EQ(three.width(), one.width());
    EXPECT_NEAR(three.height(), 3 * one.height(), 2);
    EXPECT_EQ(measureTextTwips("", body).width(), 0);
    EXPECT_EQ(measureTextTwips("", body).height(), one.height());
}

TEST(TextMeasure, WindowsFamiliesMeasureWithTheirStandInsAndUnknownOnesAsSong)
{
    const QString text = QStringLiteral("统计 ABC 123");
    const QSize song = measureTextTwips(text, font(kSongFace, 10.5));
    for (const char* name : { "宋体", "SimSun", "No Such Family 42", "" })
        EXPECT_EQ(measureTextTwips(text, font(name, 10.5)), song) << name;
    EXPECT_EQ(measureTextTwips(text, font("arial", 10.5)), measureTextTwips(text, font(kSansFace, 10.5)));
    EXPECT_NE(measureTextTwips(text, font("Arial", 10.5)), song);
}

// Reports sized for 宋体 keep their layout: Chinese characters one em wide, digits half an em, a line
// a little over an em; bold as wide as regular, as Windows thickens 宋体.
TEST(TextMeasure, TheSongFaceMeasuresAsSimSun)
{
    for (const bool bold : { false, true }) {
        const TextFont body = font("宋体", 10, bold);
        EXPECT_EQ(measureTextTwips(QStringLiteral("档案目录"), body).width(), 800);
        EXPECT_EQ(measureTextTwips(QStringLiteral("J001-2006-D10-002-001"), body).width(), 21 * 100);
        EXPECT_GE(measureTextTwips(QStringLiteral("档"), body).height(), 200);
        EXPECT_LE(measureTextTwips(QStringLiteral("档"), body).height(), 220);
    }
}

TEST(TextMeasure, FontOfACellTakesDefaultsForWhatIsNotSet)
{
    const TextFont plain = fontOf(CellFormat {});
    EXPECT_EQ(plain.name, QString::fromUtf8(kDefaultFontName));
    EXPECT_EQ(plain.size, kDefaultFontSize);
    EXPECT_FALSE(plain.bold || plain.italic || plain.underline);

    CellFormat format;
    format.fontName = QStringLiteral("黑体");
    format.fontSize = 16;
    format.fontBold = true;
    format.fontItalic = true;
    format.fontUnderline = true;
    const TextFont set = fontOf(format);
    EXPECT_EQ(set.name, "黑体");
    EXPECT_EQ(set.size, 16);
    EXPECT_TRUE(set.bold && set.italic && set.underline);
}

TEST(TextMeasure, TheWidthBoundIsNeverBelowTheShapedWidthAndCloseToIt)
{
    const QString texts[] = { QStringLiteral("关于档案12345号文件的整理说明"),
        QStringLiteral("AVAVAV Wally fi ffi"), QStringLiteral("R00000001"), QStringLiteral("第1页 共5页"),
        QStringLiteral("2024-01-31"), QString(), QStringLiteral("line one\nline two is longer"),
        QStringLiteral("𠀀𠀁 beyond the basic plane") };
    for (const TextFont& f : { font(kDefaultFontName, 9), font("宋体", 16, true), font("Arial", 10.5) }) {
        for (const QString& text : texts) {
            const int shaped = measureTextTwips(text, f).width();
            const int bound = TextWidthBounds(f).text(text);
            EXPECT_GE(bound, shaped) << text.toStdString();
            // Kerned pairs (AV, Wa) of the Latin faces make the shaped text a few percent narrower.
            EXPECT_LE(bound, shaped * 1.08 + 20) << text.toStdString();
        }
    }
}

TEST(TextMeasure, AWholeNumbersBoundCoversItsDigitsAndSignAndStaysTheSameWhenAskedAgain)
{
    for (const TextFont& f : { font(kDefaultFontName, 9), font("宋体", 16, true) }) {
        const TextWidthBounds bounds(f);
        for (int digits = 1; digits <= 12; ++digits) {
            const QString widest(digits, u'0');
            for (const bool negative : { false, true }) {
                const QString shown = (negative ? QStringLiteral("-") : QString()) + widest;
                int widestDigits = 0;
                for (char16_t d = u'0'; d <= u'9'; ++d)
                    widestDigits = std::max(widestDigits, bounds.text(QString(shown).replace(u'0', QChar(d))));
                const int bound = bounds.wholeNumber(digits, negative);
                EXPECT_GE(bound, widestDigits) << digits << negative;
                EXPECT_EQ(bounds.wholeNumber(digits, negative), bound);
            }
            EXPECT_GT(bounds.wholeNumber(digits, true), bounds.wholeNumber(digits, false));
        }
        EXPECT_EQ(bounds.wholeNumber(25, false), TextWidthBounds(f).wholeNumber(25, false));
    }
}

#include "platform/ui/Printers.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QSizeF>

using namespace platform::ui;

TEST(PaperCodes, RotatedPapersAreWiderThanHigh)
{
    const struct {
        int code;
        QSizeF millimetres;
    } cases[] = {
        { 9, { 210, 297 } },
        { 77, { 297, 210 } },
        { 76, { 420, 297 } },
        { 78, { 210, 148 } },
        { 75, { 279.4, 215.9 } },
        { 80, { 257, 182 } },
        { 89, { 182, 128 } },
        { 106, { 215, 146 } },
        { 14, { 215.9, 330.2 } },
        { 55, { 210, 297 } },
        { 70, { 105, 148 } },
        { 118, { 458, 324 } },
    };
    for (const auto& c : cases) {
        const QSizeF size = pageSizeForPaperCode(c.code).size(QPageSize::Millimeter);
        EXPECT_NEAR(size.width(), c.millimetres.width(), 0.6) << c.code;
        EXPECT_NEAR(size.height(), c.millimetres.height(), 0.6) << c.code;
    }
}

TEST(PaperCodes, EveryCodeComesBackAsAPaperOfTheSameSize)
{
    const QList<int> codes = paperCodes();
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
    for (int code : { 1, 5, 8, 9, 11, 13, 14, 77, 118 })
        EXPECT_TRUE(codes.contains(code)) << code;
    for (int code : { 48, 49, 119, 256 })
        EXPECT_FALSE(codes.contains(code)) << code;
    for (int code : codes) {
        const QPageSize size = pageSizeForPaperCode(code);
        const int back = paperCodeForPageSize(size);
        EXPECT_NE(back, papercodes::Custom) << code;
        EXPECT_TRUE(
            pageSizeForPaperCode(back).size(QPageSize::Millimeter) == size.size(QPageSize::Millimeter))
            << code << " came back as " << back;
    }
    EXPECT_EQ(paperCodeForPageSize(pageSizeForPaperCode(77)), 77);
}

TEST(PaperCodes, DefaultPrinterTakesARotatedPaper)
{
    const int paper = defaultPrinterPaperCode();
    const PrinterOrientation orientation = defaultPrinterOrientation();
    setDefaultPrinterOrientation(PrinterOrientation::Portrait);
    setDefaultPrinterPaperCode(77);
    EXPECT_EQ(defaultPrinterPaperCode(), 77);
    EXPECT_EQ(defaultPrinterPageWidthTwips(), 16838);
    EXPECT_EQ(defaultPrinterPageHeightTwips(), 11906);
    setDefaultPrinterPaperCode(paper);
    setDefaultPrinterOrientation(orientation);
}

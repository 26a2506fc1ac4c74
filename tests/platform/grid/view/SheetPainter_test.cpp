#include "RenderSupport.h"

#include "platform/grid/SheetTestSupport.h"
#include "platform/grid/TextMeasure.h"

#include <gtest/gtest.h>

using namespace platform::grid;

namespace
{

const QRgb kGrid = QColor(0xD0, 0xD0, 0xD0).rgb();

bool isGridColour(QRgb pixel)
{
    return pixel == kGrid;
}

CellFormat borders(BorderStyle style, std::initializer_list<BorderSide> sides, QRgb color = 0)
{
    CellFormat format;
    for (BorderSide side : sides)
        format.border(side) = Border { style, color };
    return format;
}

CellFormat aligned(HAlign h, VAlign v)
{
    CellFormat format;
    format.hAlign = h;
    format.vAlign = v;
    return format;
}

// A sheet without grid lines, so that only what the cells draw is ink.
SheetPaintOptions withoutGrid()
{
    SheetPaintOptions options;
    options.gridLines = false;
    return options;
}

} // namespace

// A plain block hides the grid lines inside it; a filled, framed one is filled whole and shows only its
// outer edge, whatever inner sides its format holds.
TEST(SheetPainter, MergedBlocksAreOneRectangleWithoutInnerLines)
{
    Sheet sheet;
    sheet.merge(CellRange { 2, 2, 4, 3 });
    CellFormat framed = borders(BorderStyle::Medium,
        { BorderSide::Top, BorderSide::Left, BorderSide::Bottom, BorderSide::Right, BorderSide::InnerVertical,
            BorderSide::InnerHorizontal });
    framed.mergeCells = true;
    framed.pattern = 1;
    framed.patternForeground = qRgb(255, 255, 0);
    sheet.applyFormat(CellRange { 2, 5, 4, 7 }, framed);
    const RenderedSheet r(sheet, CellRange { 1, 1, 6, 8 });
    const QImage& img = r.image();

    const QRect plain = r.rect(CellRange { 2, 2, 4, 3 });
    EXPECT_EQ(countPixels(img, plain.adjusted(1, 1, -1, -1), [](QRgb p) { return !isWhite(p); }), 0);
    // The grid lines run on outside the block (column C's left edge below it, row 3's top edge left of
    // it) and round it.
    EXPECT_GT(countPixels(img, QRect(r.x(3), r.y(5) + 1, 1, r.y(6) - r.y(5) - 2), isGridColour), 10);
    EXPECT_GT(countPixels(img, QRect(r.x(1) + 1, r.y(3), r.x(2) - r.x(1) - 2, 1), isGridColour), 40);
    EXPECT_GT(countPixels(img, QRect(r.x(2) + 1, r.y(5), r.x(4) - r.x(2) - 2, 1), isGridColour), 100);

    const QRect block = r.rect(CellRange { 2, 5, 4, 7 });
    EXPECT_EQ(
        countPixels(img, block.adjusted(3, 3, -3, -3), [](QRgb p) { return p != qRgb(255, 255, 0); }), 0);
    EXPECT_GT(
        darkPixels(img, QRect(block.left() - 1, block.top() + 2, 3, block.height() - 4)), block.height());
    EXPECT_GT(
        darkPixels(img, QRect(block.left() + 2, block.bottom() - 1, block.width() - 4, 3)), block.width());
    EXPECT_TRUE(isWhite(img.pixel(r.inside(5, 6).center())));
}

// Every border style draws on its edge and nowhere else: solid ones as whole lines of their width,
// double as two lines with a gap, the dashed and dotted ones broken.
TEST(SheetPainter, BorderStylesDrawAlongTheirEdge)
{
    struct Case {
        BorderStyle style;
        int solidRows; // rows of the edge that are dark from end to end
        bool broken; // dashes or dots
    };
    const Case cases[] = {
        { BorderStyle::Thin, 1, false },
        { BorderStyle::Medium, 2, false },
        { BorderStyle::Thick, 3, false },
        { BorderStyle::Double, 2, false },
        { BorderStyle::Dashed, 0, true },
        { BorderStyle::Dotted, 0, true },
        { BorderStyle::Hair, 0, true },
        { BorderStyle::MediumDashed, 0, true },
        { BorderStyle::DashDot, 0, true },
        { BorderStyle::MediumDashDot, 0, true },
        { BorderStyle::DashDotDot, 0, true },
        { BorderStyle::MediumDashDotDot, 0, true },
        { BorderStyle::SlantedDashDot, 0, true },
    };
    for (const Case& c : cases) {
        Sheet sheet;
        sheet.setColWidth(2, 3000);
        sheet.applyFormat(CellRange::cell(2, 2), borders(c.style, { BorderSide::Bottom }));
        const RenderedSheet r(sheet, CellRange { 1, 1, 4, 4 }, withoutGrid());
        const QImage& img = r.image();
        const int left = r.x(2) + 4, width = r.x(3) - r.x(2) - 8, edge = r.y(3);
        int solid = 0, mostInk = 0;
        for (int y = edge - 4; y <= edge + 4; ++y) {
            const int ink = darkPixels(img, QRect(left, y, width, 1));
            solid += ink == width ? 1 : 0;
            mostInk = std::max(mostInk, ink);
        }
        EXPECT_EQ(solid, c.solidRows) << int(c.style);
        if (c.broken) {
            EXPECT_TRUE(mostInk > width / 4 && mostInk < width) << int(c.style) << " ink " << mostInk;
        }
        // Nothing above the edge, nor along the edges of the other cells.
        EXPECT_EQ(darkPixels(img, QRect(0, 0, img.width(), edge - 5)), 0) << int(c.style);
        EXPECT_EQ(darkPixels(img, QRect(r.x(3) + 4, edge - 4, r.x(4) - r.x(3), 9)), 0) << int(c.style);
    }
    // A double line has a gap between its lines; a line takes the format's colour.
    Sheet sheet;
    sheet.applyFormat(CellRange::cell(2, 2), borders(BorderStyle::Double, { BorderSide::Bottom }));
    sheet.applyFormat(
        CellRange::cell(2, 2), borders(BorderStyle::Thick, { BorderSide::Top }, qRgb(255, 0, 0)));
    const RenderedSheet r(sheet, CellRange { 1, 1, 3, 3 }, withoutGrid());
    const int mid = (r.x(2) + r.x(3)) / 2;
    EXPECT_TRUE(isDark(r.image().pixel(mid, r.y(3) - 1)) && isWhite(r.image().pixel(mid, r.y(3)))
        && isDark(r.image().pixel(mid, r.y(3) + 1)));
    EXPECT_EQ(r.image().pixel(mid, r.y(2)), qRgb(255, 0, 0));
}

// Thin borders round every cell of a block draw every edge whole; where a red cell meets black ones,
// the side drawn later shows: cells go row by row, each from its top to its right side.
TEST(SheetPainter, SidesOfNeighbouringCellsMeetAsTheyAreDrawnInOrder)
{
    const std::initializer_list<BorderSide> all { BorderSide::Top, BorderSide::Left, BorderSide::Bottom,
        BorderSide::Right };
    Sheet sheet;
    sheet.applyFormat(CellRange { 2, 2, 4, 4 },
        borders(BorderStyle::Thin,
            { BorderSide::Top, BorderSide::Left, BorderSide::Bottom, BorderSide::Right,
                BorderSide::InnerVertical, BorderSide::InnerHorizontal }));
    const RenderedSheet black(sheet, CellRange { 1, 1, 5, 5 }, withoutGrid());
    for (int line = 2; line <= 5; ++line) {
        const int along = black.x(5) - black.x(2) - 1;
        EXPECT_EQ(darkPixels(black.image(), QRect(black.x(2), black.y(line), along, 1)), along) << line;
        const int down = black.y(5) - black.y(2) - 1;
        EXPECT_EQ(darkPixels(black.image(), QRect(black.x(line), black.y(2), 1, down)), down) << line;
    }

    sheet.applyFormat(CellRange::cell(3, 3), borders(BorderStyle::Thin, all, qRgb(255, 0, 0)));
    const RenderedSheet mixed(sheet, CellRange { 1, 1, 5, 5 }, withoutGrid());
    const QImage& img = mixed.image();
    const int midX = (mixed.x(3) + mixed.x(4)) / 2, midY = (mixed.y(3) + mixed.y(4)) / 2;
    EXPECT_EQ(img.pixel(midX, mixed.y(3)), qRgb(255, 0, 0)); // its top, after the bottom of the cell above
    EXPECT_EQ(img.pixel(mixed.x(3), midY), qRgb(255, 0, 0)); // its left, after the cell before it
    EXPECT_TRUE(isDark(img.pixel(midX, mixed.y(4)))); // the cell below draws its top later
    EXPECT_TRUE(isDark(img.pixel(mixed.x(4), midY))); // the cell after it draws its left later
}

// A view scrolled past a bordered cell still shows the cell's side that faces it.
TEST(SheetPainter, SideOfACellJustOutsideTheRangeIsDrawn)
{
    Sheet sheet;
    sheet.applyFormat(
        CellRange::cell(2, 2), borders(BorderStyle::Thick, { BorderSide::Right, BorderSide::Bottom }));
    const RenderedSheet right(sheet, CellRange { 1, 3, 4, 5 }, withoutGrid());
    EXPECT_GT(darkPixels(right.image(), QRect(0, right.y(2) + 2, 2, right.y(3) - right.y(2) - 4)), 8);
    const RenderedSheet below(sheet, CellRange { 3, 1, 5, 4 }, withoutGrid());
    EXPECT_GT(darkPixels(below.image(), QRect(below.x(2) + 2, 0, below.x(3) - below.x(2) - 4, 2)), 50);
}

TEST(SheetPainter, ChineseTextIsDrawnInTheCjkFont)
{
    Sheet sheet;
    sheet.setColWidth(2, 2400);
    sheet.setText(2, 2, QStringLiteral("档案管理"));
    const RenderedSheet r(sheet, CellRange { 1, 1, 3, 3 }, withoutGrid());
    const QRect ink = inkBounds(r.image(), r.rect(2, 2));
    EXPECT_GT(darkPixels(r.image(), r.rect(2, 2)), 60);
    // Four glyphs of a 10.5 point font: about 4 x 14 pixels wide at 100 %.
    const int expected
        = measureTextTwips(QStringLiteral("档案管理"), TextFont { QStringLiteral("宋体") }).width() / 15;
    EXPECT_NEAR(ink.width(), expected, 4);
    EXPECT_GT(ink.height(), 8);
}

// Where the ink of a value lies in a wide, tall cell, by alignment: left, centre or right third,
// top, middle or bottom third.
TEST(SheetPainter, TextsLieWhereTheirAlignmentPutsThem)
{
    enum Third { First, Middle, Last };
    struct Case {
        CellValue value;
        std::optional<CellFormat> format;
        Third across;
        Third down;
    };
    const Case cases[] = {
        { 12.0, std::nullopt, Last, Last },
        { QStringLiteral("ab"), std::nullopt, First, Last },
        { true, std::nullopt, Middle, Last },
        { CellError { QStringLiteral("#DIV/0!") }, std::nullopt, Middle, Last },
        { 12.0, aligned(HAlign::Left, VAlign::Top), First, First },
        { QStringLiteral("ab"), aligned(HAlign::Center, VAlign::Center), Middle, Middle },
        { QStringLiteral("ab"), aligned(HAlign::Right, VAlign::Bottom), Last, Last },
        { QStringLiteral("ab"), aligned(HAlign::CenterAcross, VAlign::Top), Middle, First },
    };
    for (const Case& c : cases) {
        Sheet sheet;
        sheet.setColWidth(2, 3000);
        sheet.setRowHeight(2, 1500);
        sheet.setValue(2, 2, c.value);
        if (c.format)
            sheet.applyFormat(CellRange::cell(2, 2), *c.format);
        const RenderedSheet r(sheet, CellRange { 1, 1, 3, 3 }, withoutGrid());
        const QRect cell = r.rect(2, 2);
        const QPoint centre = inkBounds(r.image(), cell).center() - cell.topLeft();
        const auto third = [](int at, int length) { return Third(std::clamp(3 * at / length, 0, 2)); };
        EXPECT_EQ(third(centre.x(), cell.width()), c.across) << sheet.text(2, 2).toStdString();
        EXPECT_EQ(third(centre.y(), cell.height()), c.down) << sheet.text(2, 2).toStdString();
    }
}

// What does not fit its cell: a text runs on into an empty neighbour only, wraps or shrinks inside its
// cell when its format says so; a number shows hashes.
TEST(SheetPainter, ContentWiderThanItsCell)
{
    const QString longText = QStringLiteral("档案目录第一卷全部文件");
    Sheet sheet;
    for (int row = 2; row <= 5; ++row)
        sheet.setText(row, 2, longText);
    sheet.setNumber(3, 3, 5);
    sheet.applyFormat(CellRange::cell(4, 2), formatWith(&CellFormat::wrapText, true));
    sheet.setRowHeight(4, 1500);
    sheet.applyFormat(CellRange { 5, 2, 6, 2 }, formatWith(&CellFormat::shrinkToFit, true));
    sheet.setText(6, 2, QStringLiteral("档案"));
    sheet.setColWidth(5, 450);
    sheet.setNumber(7, 5, 123456789012.0);
    const RenderedSheet r(sheet, CellRange { 1, 1, 8, 7 });
    const QImage& img = r.image();

    // Row 2: the text goes on over C2 and the grid line between B2 and C2 is not drawn under it.
    EXPECT_GT(darkPixels(img, r.inside(2, 3)), 30);
    EXPECT_EQ(countPixels(img, QRect(r.x(3), r.y(2) + 1, 1, r.y(3) - r.y(2) - 2), isGridColour), 0);
    // Row 3: C3 holds a number; B3's text stops at its own cell.
    const QRect c3 = r.inside(3, 3);
    EXPECT_EQ(darkPixels(img, QRect(c3.left(), c3.top(), c3.width() / 2, c3.height())), 0);
    EXPECT_GT(countPixels(img, QRect(r.x(3), r.y(3) + 1, 1, r.y(4) - r.y(3) - 2), isGridColour), 10);
    // Row 4: three lines or more of a 14 pixel font inside B4.
    const QRect wrapped = inkBounds(img, r.rect(CellRange { 4, 1, 4, 7 }));
    EXPECT_TRUE(r.rect(4, 2).contains(wrapped)) << wrapped.x() << "," << wrapped.width();
    EXPECT_GT(wrapped.height(), 30);
    // Row 5: a smaller font than the short text below, which fits as it is (the Song face's thin strokes
    // come out grey at so small a size).
    const auto inked = [](QRgb p) { return !isWhite(p) && !isGridColour(p); };
    const QRect shrunk = inkBounds(img, r.rect(CellRange { 5, 1, 5, 7 }), inked);
    EXPECT_FALSE(shrunk.isEmpty());
    EXPECT_TRUE(r.rect(5, 2).contains(shrunk));
    EXPECT_LT(shrunk.height(), inkBounds(img, r.rect(6, 2), inked).height());
    // Row 7: the hashes stay inside E7.
    EXPECT_GT(darkPixels(img, r.rect(7, 5)), 10);
    EXPECT_EQ(darkPixels(img, r.rect(7, 4)), 0);
    EXPECT_EQ(darkPixels(img, r.rect(CellRange { 7, 6, 7, 7 })), 0);
}

TEST(SheetPainter, FillPatternsUseTheirColours)
{
    Sheet sheet;
    CellFormat solid;
    solid.pattern = 1;
    solid.patternForeground = qRgb(200, 0, 0);
    sheet.applyFormat(CellRange::cell(2, 2), solid);
    CellFormat grey;
    grey.pattern = 2;
    grey.patternForeground = 0x000000;
    grey.patternBackground = 0xFFFFFF;
    sheet.applyFormat(CellRange::cell(2, 3), grey);
    const RenderedSheet r(sheet, CellRange { 1, 1, 3, 4 });
    EXPECT_EQ(countPixels(r.image(), r.inside(2, 2), [](QRgb p) { return p != qRgb(200, 0, 0); }), 0);
    const QRect half = r.inside(2, 3);
    const int dark = darkPixels(r.image(), half);
    EXPECT_NEAR(double(dark) / (half.width() * half.height()), 0.5, 0.1);
}

TEST(SheetPainter, BlackAndWhiteDropsFillsAndColours)
{
    Sheet sheet;
    sheet.setText(2, 2, QStringLiteral("红字"));
    CellFormat red;
    red.fontColor = qRgb(255, 0, 0);
    red.fontBold = true;
    red.pattern = 1;
    red.patternForeground = qRgb(0, 0, 255);
    red.border(BorderSide::Bottom) = Border { BorderStyle::Thick, qRgb(0, 255, 0) };
    sheet.applyFormat(CellRange::cell(2, 2), red);
    SheetPaintOptions options = withoutGrid();
    options.blackAndWhite = true;
    const RenderedSheet r(sheet, CellRange { 1, 1, 3, 3 }, options);
    EXPECT_EQ(countPixels(r.image(), r.image().rect(),
                  [](QRgb p) { return qRed(p) != qGreen(p) || qGreen(p) != qBlue(p); }),
        0);
    EXPECT_GT(darkPixels(r.image(), r.inside(2, 2)), 20);
    EXPECT_TRUE(isDark(r.image().pixel((r.x(2) + r.x(3)) / 2, r.y(3))));
}

TEST(SheetPainter, PicturesCoverTheirAnchorAlsoWhenCut)
{
    Sheet sheet;
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    sheet.addPicture(red, CellRange { 3, 3, 4, 4 });
    const RenderedSheet whole(sheet, CellRange { 1, 1, 5, 5 });
    const QRect anchor = whole.rect(CellRange { 3, 3, 4, 4 }).adjusted(1, 1, -1, -1);
    EXPECT_EQ(countPixels(whole.image(), anchor, [](QRgb p) { return p != qRgb(255, 0, 0); }), 0);
    EXPECT_TRUE(isWhite(whole.image().pixel(whole.inside(2, 2).center())));
    // A range that starts inside the picture shows only its part of it.
    const RenderedSheet cut(sheet, CellRange { 4, 4, 6, 6 });
    EXPECT_EQ(cut.image().pixel(cut.inside(4, 4).center()), qRgb(255, 0, 0));
    EXPECT_TRUE(isWhite(cut.image().pixel(cut.inside(5, 5).center())));
}

TEST(SheetPainter, BlockStartingBeforeTheRangeStillShowsItsText)
{
    Sheet sheet;
    sheet.setText(2, 2, QStringLiteral("合并标题"));
    CellFormat centred = aligned(HAlign::Center, VAlign::Center);
    centred.mergeCells = true;
    sheet.applyFormat(CellRange { 2, 2, 4, 4 }, centred);
    const RenderedSheet r(sheet, CellRange { 3, 3, 5, 5 }, withoutGrid());
    EXPECT_GT(darkPixels(r.image(), r.rect(CellRange { 3, 3, 4, 4 })), 30);
    EXPECT_EQ(darkPixels(r.image(), r.rect(CellRange { 5, 3, 5, 5 })), 0);
}

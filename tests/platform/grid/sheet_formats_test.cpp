#include "SheetTestSupport.h"

#include <gtest/gtest.h>

using namespace platform::grid;

namespace
{

const Border thin { BorderStyle::Thin, 0x000000 };
const Border thick { BorderStyle::Thick, 0xFF0000 };
const Border none {};

BorderStyle styleOf(const Sheet& sheet, int row, int col, BorderSide side)
{
    return sheet.format(row, col).border(side)->style;
}

} // namespace

TEST(SheetFormats, OnlyThePropertiesSetAreApplied)
{
    Sheet sheet;
    CellFormat font;
    font.fontName = "黑体";
    font.fontSize = 14.5;
    font.fontColor = qRgb(0x12, 0x34, 0x56); // the alpha byte is dropped
    sheet.applyFormat(CellRange { 1, 1, 2, 2 }, font);
    CellFormat align;
    align.hAlign = HAlign::Center;
    align.vAlign = VAlign::Top;
    align.wrapText = true;
    sheet.applyFormat(CellRange { 2, 2, 3, 3 }, align);

    const CellFormat both = sheet.format(2, 2);
    EXPECT_EQ(*both.fontName, "黑体");
    EXPECT_EQ(*both.fontSize, 14.5);
    EXPECT_EQ(*both.fontColor, 0x123456u);
    EXPECT_EQ(*both.hAlign, HAlign::Center);
    EXPECT_TRUE(*both.wrapText);
    const CellFormat fontOnly = sheet.format(1, 1);
    EXPECT_EQ(*fontOnly.hAlign, HAlign::General);
    EXPECT_FALSE(*fontOnly.wrapText);
    const CellFormat alignOnly = sheet.format(3, 3);
    EXPECT_EQ(*alignOnly.fontName, "宋体");
    EXPECT_EQ(*alignOnly.vAlign, VAlign::Top);
}

TEST(SheetFormats, FontSizesStayWithinTheGridsLimits)
{
    Sheet sheet;
    for (const auto& [asked, kept] :
        { std::pair { 0.0, 1.0 }, { -3.0, 1.0 }, { 9.5, 9.5 }, { 1000.0, 409.0 } }) {
        sheet.applyFormat(CellRange::cell(1, 1), formatWith(&CellFormat::fontSize, asked));
        EXPECT_EQ(*sheet.format(1, 1).fontSize, kept) << asked;
    }
}

TEST(SheetFormats, OuterSidesGoOnTheEdgeCellsAndInnerSidesBetweenCells)
{
    Sheet sheet;
    CellFormat box;
    for (auto side : { BorderSide::Top, BorderSide::Left, BorderSide::Bottom, BorderSide::Right })
        box.border(side) = thick;
    sheet.applyFormat(CellRange { 2, 2, 4, 4 }, box);

    struct Case {
        int row, col;
        BorderStyle top, left, bottom, right;
    };
    const auto expectSides = [&](const Case& c) {
        const auto sides = std::tuple(styleOf(sheet, c.row, c.col, BorderSide::Top),
            styleOf(sheet, c.row, c.col, BorderSide::Left), styleOf(sheet, c.row, c.col, BorderSide::Bottom),
            styleOf(sheet, c.row, c.col, BorderSide::Right));
        EXPECT_TRUE(sides == std::tuple(c.top, c.left, c.bottom, c.right)) << c.row << "," << c.col;
    };
    const auto T = BorderStyle::Thick, N = BorderStyle::None, H = BorderStyle::Thin;
    for (const Case& c : { Case { 2, 2, T, T, N, N }, { 2, 3, T, N, N, N }, { 2, 4, T, N, N, T },
             { 3, 2, N, T, N, N }, { 3, 3, N, N, N, N }, { 3, 4, N, N, N, T }, { 4, 2, N, T, T, N },
             { 4, 3, N, N, T, N }, { 4, 4, N, N, T, T }, { 1, 2, N, N, N, N }, { 5, 5, N, N, N, N } })
        expectSides(c);

    CellFormat grid;
    grid.border(BorderSide::InnerVertical) = thin;
    grid.border(BorderSide::InnerHorizontal) = thin;
    sheet.applyFormat(CellRange { 2, 2, 4, 4 }, grid);
    for (const Case& c :
        { Case { 2, 2, T, T, H, H }, { 3, 3, H, H, H, H }, { 4, 4, H, H, T, T }, { 2, 4, T, H, H, T } })
        expectSides(c);
    EXPECT_EQ(sheet.format(2, 2).border(BorderSide::Top)->color, 0xFF0000u);
}

TEST(SheetFormats, AMergedBlockTakesNoInnerLinesAndReadsItsOuterEdges)
{
    Sheet sheet;
    sheet.merge(CellRange { 1, 1, 2, 2 });
    CellFormat all;
    for (auto side : { BorderSide::Top, BorderSide::Left, BorderSide::Bottom, BorderSide::Right,
             BorderSide::InnerVertical, BorderSide::InnerHorizontal })
        all.border(side) = thin;
    sheet.applyFormat(CellRange { 1, 1, 2, 3 }, all);

    EXPECT_EQ(styleOf(sheet, 1, 1, BorderSide::Right), BorderStyle::None); // inside the block
    EXPECT_EQ(styleOf(sheet, 1, 1, BorderSide::Bottom), BorderStyle::None);
    EXPECT_EQ(styleOf(sheet, 1, 2, BorderSide::Right), BorderStyle::Thin); // between block and column 3
    EXPECT_EQ(styleOf(sheet, 1, 3, BorderSide::Bottom), BorderStyle::Thin);

    const CellFormat block = sheet.rangeFormat(CellRange { 1, 1, 2, 2 });
    EXPECT_TRUE(*block.mergeCells);
    EXPECT_EQ(*block.border(BorderSide::Top), thin);
    EXPECT_EQ(*block.border(BorderSide::Right), thin);
    EXPECT_EQ(*block.border(BorderSide::Bottom), thin);
    EXPECT_EQ(*block.border(BorderSide::InnerVertical), none);
}

TEST(SheetFormats, ARangeReadsThePropertiesItsCellsShare)
{
    Sheet sheet;
    CellFormat bold;
    bold.fontBold = true;
    bold.hAlign = HAlign::Right;
    sheet.applyFormat(CellRange { 1, 1, 3, 3 }, bold);
    sheet.applyFormat(CellRange::cell(2, 2), formatWith(&CellFormat::fontColor, 0xFF0000));

    const CellFormat shared = sheet.rangeFormat(CellRange { 1, 1, 3, 3 });
    EXPECT_TRUE(*shared.fontBold);
    EXPECT_EQ(*shared.hAlign, HAlign::Right);
    EXPECT_FALSE(shared.fontColor.has_value());
    EXPECT_FALSE(*shared.mergeCells);

    sheet.merge(CellRange { 1, 1, 1, 2 });
    EXPECT_FALSE(sheet.rangeFormat(CellRange { 1, 1, 3, 3 }).mergeCells.has_value());
    EXPECT_EQ(sheet.format(1, 2).mergeCells, true);
}

TEST(SheetFormats, TheMergeFlagMergesAndUnmerges)
{
    Sheet sheet;
    sheet.setEntry(3, 2, "hidden but kept");
    CellFormat merge;
    merge.mergeCells = true;
    sheet.applyFormat(CellRange { 2, 2, 3, 4 }, merge);
    EXPECT_EQ(sheet.mergedBlockAt(3, 3), (CellRange { 2, 2, 3, 4 }));
    EXPECT_EQ(sheet.text(3, 2), "hidden but kept");

    sheet.applyFormat(CellRange { 1, 1, 4, 5 }, merge); // swallows the block inside
    EXPECT_EQ(sheet.mergedBlocks(), QList<CellRange>({ CellRange { 1, 1, 4, 5 } }));

    sheet.applyFormat(CellRange::cell(4, 5), formatWith(&CellFormat::mergeCells, false));
    EXPECT_TRUE(sheet.mergedBlocks().isEmpty());
}

TEST(SheetFormats, ClearingRemovesFormatsValuesOrBoth)
{
    struct Case {
        ClearWhat what;
        bool valueKept, formatKept;
    };
    for (const Case& c : { Case { ClearWhat::All, false, false }, { ClearWhat::Formats, true, false },
             { ClearWhat::Values, false, true } }) {
        Sheet sheet;
        sheet.applyFormat(CellRange { 1, 1, 3, 3 }, formatWith(&CellFormat::fontBold, true));
        sheet.merge(CellRange { 2, 2, 2, 3 });
        sheet.setEntry(2, 2, "v");
        sheet.setEntry(4, 4, "outside");

        sheet.clearRange(CellRange { 2, 1, 3, 3 }, c.what);

        EXPECT_EQ(!sheet.isEmpty(2, 2), c.valueKept);
        EXPECT_EQ(*sheet.format(2, 2).fontBold, c.formatKept);
        EXPECT_EQ(!sheet.mergedBlocks().isEmpty(), c.formatKept);
        EXPECT_TRUE(*sheet.format(1, 1).fontBold); // outside the cleared rows
        EXPECT_EQ(sheet.text(4, 4), "outside");
    }
    Sheet sheet; // values alone may be cleared from part of a block
    sheet.merge(CellRange { 2, 2, 3, 3 });
    sheet.setEntry(2, 2, "v");
    sheet.clearRange(CellRange { 2, 2, 2, 2 }, ClearWhat::Values);
    EXPECT_TRUE(sheet.isEmpty(2, 2));
    EXPECT_EQ(sheet.mergedBlocks().size(), 1);
}

// File readers and writers copy styles cell by cell through their ids.
TEST(SheetFormats, FormatsAreInternedSoManyCellsShareFewStylesWhichCopyThroughTheirIds)
{
    Sheet source;
    CellFormat title;
    title.fontName = "楷体";
    title.fontBold = true;
    title.border(BorderSide::Bottom) = thin;
    for (int block = 0; block < 1000; ++block)
        source.applyFormat(CellRange { block * 3 + 1, 1, block * 3 + 2, 10 }, title);
    EXPECT_LE(source.styleCount(), 3);
    EXPECT_EQ(source.styleId(50, 50), 0);

    Sheet copy;
    std::vector<int> ids;
    for (int id = 0; id < source.styleCount(); ++id)
        ids.push_back(copy.addStyle(source.styleFormat(id)));
    copy.setStyleId(2, 5, ids[source.styleId(2, 5)]);
    EXPECT_EQ(copy.format(2, 5), source.format(2, 5));
    copy.setStyleId(2, 5, 0);
    EXPECT_EQ(copy.format(2, 5), copy.format(9, 9));
    EXPECT_THROW(copy.setStyleId(1, 1, copy.styleCount()), platform::Error);

    CellFormat inner; // a cell has no inner sides: ignored
    inner.border(BorderSide::InnerVertical) = thick;
    copy.applyFormat(CellRange::cell(3, 3), inner);
    EXPECT_EQ(copy.styleId(3, 3), 0);
    EXPECT_EQ(*copy.format(3, 3).border(BorderSide::InnerVertical), none);
}

TEST(SheetFormats, TheSelectionFormatIsReadAndApplied)
{
    Sheet sheet;
    sheet.select(2, 2, 3, 3);
    CellFormat italic;
    italic.fontItalic = true;
    italic.pattern = 1;
    italic.patternForeground = 0x00FFFF;
    sheet.applyFormatToSelection(italic);
    EXPECT_TRUE(*sheet.selectionFormat().fontItalic);
    EXPECT_EQ(*sheet.format(3, 3).patternForeground, 0x00FFFFu);
    EXPECT_FALSE(*sheet.format(4, 4).fontItalic);

    sheet.selectCols(5, 5); // whole columns take the sheet's rows, not 65536 of them
    sheet.setMaxRow(20);
    sheet.applyFormatToSelection(italic);
    EXPECT_TRUE(*sheet.format(20, 5).fontItalic);
    EXPECT_EQ(sheet.maxRow(), 20);
}

// A style id names one format for good only together with the serial of its sheet's styles.
TEST(SheetFormats, StylesKeepTheirSerialAsTheyGrowAndACopyTakesItsOwn)
{
    Sheet sheet;
    CellFormat bold;
    bold.fontBold = true;
    const quint64 serial = sheet.stylesSerial();
    sheet.applyFormat(CellRange::cell(1, 1), bold);
    EXPECT_EQ(sheet.stylesSerial(), serial);

    Sheet copy(sheet);
    EXPECT_NE(copy.stylesSerial(), serial);
    Sheet assigned;
    const quint64 before = assigned.stylesSerial();
    assigned = sheet;
    EXPECT_NE(assigned.stylesSerial(), serial);
    EXPECT_NE(assigned.stylesSerial(), before);
    EXPECT_NE(Sheet().stylesSerial(), Sheet().stylesSerial());
}

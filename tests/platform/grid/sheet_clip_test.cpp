#include "SheetTestSupport.h"

#include <gtest/gtest.h>

using namespace platform::grid;

namespace
{

// Rows 1-3 of a page: a merged heading with a tall row, a bold line with values, a total formula.
Sheet pageSheet()
{
    Sheet sheet;
    sheet.setMaxRow(10);
    sheet.setMaxCol(4);
    sheet.setEntry(1, 1, "第1页");
    sheet.merge(CellRange { 1, 1, 1, 3 });
    sheet.setRowHeight(1, 600);
    CellFormat bold;
    bold.fontBold = true;
    bold.numberFormat = "0.00";
    sheet.applyFormat(CellRange { 2, 1, 2, 3 }, bold);
    sheet.setNumber(2, 1, 1.5);
    sheet.setNumber(2, 2, 2);
    sheet.setFormula(3, 1, "A2+$B$2");
    sheet.setFormula(3, 2, "SUM(A2:B2)");
    sheet.addPicture(QImage(3, 3, QImage::Format_RGB32), CellRange { 2, 3, 3, 3 }, "/tmp/logo.png");
    return sheet;
}

} // namespace

TEST(SheetClip, PastingIntoAnotherSheetMovesRelativeReferencesOnly)
{
    const Sheet source = pageSheet();
    const SheetClip clip = source.copy(CellRange { 1, 1, 3, 4 });
    EXPECT_EQ(clip.rowCount(), 3);
    EXPECT_EQ(clip.colCount(), 4);
    EXPECT_EQ(clip.source(), (CellRange { 1, 1, 3, 4 }));

    Sheet target;
    target.setNumber(12, 2, 100); // the absolute reference still reads B2 of the target
    target.setNumber(2, 2, 7);
    target.paste(clip, 11, 1);

    EXPECT_EQ(target.formula(13, 1), "A12+$B$2");
    EXPECT_EQ(target.formula(13, 2), "SUM(A12:B12)");
    EXPECT_EQ(target.value(13, 1), CellValue(8.5));
    EXPECT_EQ(target.text(12, 1), "1.50");
    EXPECT_EQ(target.text(13, 2), "3.5");
    EXPECT_TRUE(*target.format(12, 2).fontBold);
    EXPECT_EQ(target.mergedBlocks(), QList<CellRange>({ CellRange { 11, 1, 11, 3 } }));
    EXPECT_EQ(target.rowHeight(11), 600); // the clip spans whole rows of its sheet
    ASSERT_EQ(target.objectIds().size(), 1);
    const DrawingObject& picture = target.object(target.firstObject());
    EXPECT_EQ(picture.anchor, (CellRange { 12, 3, 13, 3 }));
    EXPECT_EQ(picture.sourcePath, "/tmp/logo.png");
    EXPECT_EQ(target.text(2, 2), "7"); // outside the target range
}

TEST(SheetClip, PastingValuesOrFormatsTakesOnlyThatPart)
{
    const Sheet source = pageSheet();
    const SheetClip clip = source.copy(CellRange { 1, 1, 3, 3 }); // not whole rows: no heights

    Sheet values;
    values.applyFormat(CellRange { 1, 1, 3, 3 }, formatWith(&CellFormat::fontItalic, true));
    values.paste(clip, 1, 1, Sheet::PasteWhat::Values);
    EXPECT_EQ(values.value(3, 2), CellValue(3.5));
    EXPECT_FALSE(values.hasFormula(3, 2)); // the value, not the formula
    EXPECT_TRUE(*values.format(2, 1).fontItalic);
    EXPECT_FALSE(*values.format(2, 1).fontBold);
    EXPECT_TRUE(values.mergedBlocks().isEmpty());
    EXPECT_TRUE(values.objectIds().isEmpty());
    EXPECT_EQ(values.rowHeight(1), kDefaultRowHeight);

    Sheet formats;
    formats.setEntry(2, 1, "kept");
    formats.paste(clip, 1, 1, Sheet::PasteWhat::Formats);
    EXPECT_EQ(formats.text(2, 1), "kept");
    EXPECT_TRUE(*formats.format(2, 1).fontBold);
    EXPECT_FALSE(*formats.format(2, 1).fontItalic);
    EXPECT_EQ(formats.mergedBlocks().size(), 1);
    EXPECT_TRUE(formats.objectIds().isEmpty());
}

TEST(SheetClip, PastingAllReplacesTheTargetCellsEvenWithBlanks)
{
    Sheet sheet = pageSheet();
    sheet.setEntry(6, 4, "old");
    sheet.applyFormat(CellRange::cell(6, 4), formatWith(&CellFormat::fontColor, 0xFF0000));
    sheet.paste(sheet.copy(CellRange { 1, 4, 2, 4 }), 5, 4); // an empty, unformatted column piece
    EXPECT_TRUE(sheet.isEmpty(6, 4));
    EXPECT_EQ(*sheet.format(6, 4).fontColor, 0x000000u);
    sheet.paste(SheetClip(), 2, 1); // an empty clip is one blank cell
    EXPECT_TRUE(sheet.isEmpty(2, 1));
    EXPECT_EQ(sheet.value(2, 2), CellValue(2.0));
}

// A report pastes its page layout into rows that hold nothing; those rows come out as rows that held
// something in other columns do: values, texts, formats and blank formatted cells alike.
TEST(SheetClip, RowsThatHeldNothingTakeTheClipAsOthersDo)
{
    Sheet layout;
    layout.setEntry(1, 1, "序号");
    layout.setNumber(1, 2, 7);
    layout.setText(2, 2, "0012");
    layout.applyFormat(CellRange { 1, 1, 2, 2 }, formatWith(&CellFormat::fontBold, true));
    layout.applyFormat(CellRange::cell(3, 3), formatWith(&CellFormat::fontColor, 0xFF0000));
    const SheetClip clip = layout.copy(CellRange { 1, 1, 3, 3 });

    Sheet sheet;
    for (int row = 11; row <= 13; ++row)
        sheet.setEntry(row, 5, "beside");
    sheet.paste(clip, 1, 2); // rows holding nothing
    sheet.paste(clip, 11, 2); // rows holding a cell to the right
    for (int row = 1; row <= 3; ++row) {
        for (int col = 1; col <= 5; ++col) {
            EXPECT_EQ(sheet.value(row, col), col == 5 ? CellValue {} : sheet.value(row + 10, col))
                << row << col;
            EXPECT_EQ(sheet.format(row, col), sheet.format(row + 10, col)) << row << col;
        }
    }
    EXPECT_EQ(sheet.text(2, 3), "0012");
}

TEST(SheetClip, AClipIsASnapshotOfItsSource)
{
    Sheet sheet = pageSheet();
    const SheetClip clip = sheet.copy(CellRange { 1, 1, 3, 3 });
    sheet.setEntry(1, 1, "changed");
    sheet.paste(clip, 2, 1); // overlapping its own source
    EXPECT_EQ(sheet.text(2, 1), "第1页");
    EXPECT_EQ(sheet.formula(4, 1), "A3+$B$2");
    EXPECT_EQ(sheet.mergedBlocks(), QList<CellRange>({ CellRange { 1, 1, 1, 3 }, CellRange { 2, 1, 2, 3 } }));
}

TEST(SheetClip, RowFormatsAreRepeatedOnTheFollowingRows)
{
    Sheet sheet = pageSheet();
    sheet.setEntry(5, 2, "value stays");
    sheet.copyRowFormats(1, 4, 6);
    for (int row = 4; row <= 6; ++row) {
        EXPECT_EQ(sheet.mergedBlockAt(row, 2), (CellRange { row, 1, row, 3 })) << row;
        EXPECT_EQ(sheet.rowHeight(row), 600) << row;
        EXPECT_TRUE(sheet.isEmpty(row, 1)) << row;
    }
    EXPECT_EQ(sheet.text(5, 2), "value stays");

    sheet.copyRowFormats(2, 4, 4); // a plain row replaces the block it lays over
    EXPECT_FALSE(sheet.mergedBlockAt(4, 1).has_value());
    EXPECT_TRUE(*sheet.format(4, 3).fontBold);
    EXPECT_EQ(sheet.rowHeight(4), kDefaultRowHeight);

    sheet.merge(CellRange { 8, 2, 9, 2 });
    EXPECT_EQ(errorNumberOf([&] { sheet.copyRowFormats(2, 7, 8); }), // row 8 holds part of a taller block
        platform::errors::WouldCutMergedCell);
    EXPECT_FALSE(*sheet.format(7, 1).fontBold); // nothing was changed before the refusal
}

TEST(SheetClip, ClipsOfOtherFormatsPastedInTurnKeepTheirOwn)
{
    const auto clipOf = [](const CellFormat& first, const CellFormat& second) {
        Sheet source;
        source.applyFormat(CellRange { 1, 1, 1, 1 }, first);
        source.applyFormat(CellRange { 1, 2, 1, 2 }, second);
        return source.copy(CellRange { 1, 1, 1, 2 });
    };
    CellFormat bold, red;
    bold.fontBold = true;
    red.fontColor = 0x0000FF;
    Sheet target;
    target.applyFormat(CellRange { 9, 1, 9, 1 }, red); // the target's styles are numbered otherwise
    for (int row : { 1, 2, 3 })
        target.paste(row == 2 ? clipOf(red, bold) : clipOf(bold, red), row, 1);
    for (int row : { 1, 2, 3 }) {
        EXPECT_EQ(target.format(row, row == 2 ? 2 : 1).fontBold, true) << row;
        EXPECT_EQ(target.format(row, row == 2 ? 1 : 2).fontColor, red.fontColor) << row;
        EXPECT_NE(target.format(row, row == 2 ? 1 : 2).fontBold, true) << row;
    }
}

TEST(SheetClip, CopyingWholeColumnsCarriesTheirWidths)
{
    Sheet source;
    source.setMaxRow(5);
    source.setColWidth(2, 3000);
    source.selectCols(2, 2);
    Sheet target;
    target.setColWidth(4, 100);
    target.setColWidth(5, 100);
    target.paste(source.copy(source.selection()), 1, 4);
    EXPECT_EQ(target.colWidth(4), 3000);
    EXPECT_EQ(target.colWidth(5), 100);
}

TEST(SheetObjects, ObjectsAreWalkedInOrderUntilAnErrorEndsTheList)
{
    Sheet sheet;
    EXPECT_THROW(sheet.firstObject(), platform::Error);
    const QImage image(2, 2, QImage::Format_RGB32);
    const int a = sheet.addPicture(image, CellRange { 1, 1, 2, 2 });
    const int b = sheet.addPicture(image, CellRange { 3, 1, 4, 2 });
    const int c = sheet.addPicture(image, CellRange { 5, 1, 5, 1 });
    EXPECT_EQ(sheet.firstObject(), a);
    EXPECT_EQ(sheet.nextObject(a), b);
    EXPECT_EQ(sheet.nextObject(b), c);
    EXPECT_THROW(sheet.nextObject(c), platform::Error);

    sheet.selectObject(a);
    sheet.addObjectToSelection(c);
    EXPECT_EQ(sheet.selectedObjects(), QList<int>({ a, c }));
    sheet.deleteSelectedObjects();
    EXPECT_EQ(sheet.objectIds(), QList<int>({ b }));
    EXPECT_TRUE(sheet.selectedObjects().isEmpty());

    const int d = sheet.addPicture(image, CellRange { 1, 1, 1, 1 });
    EXPECT_GT(d, c); // ids are never given twice
    sheet.setObjectPosition(b, CellRange { 8, 3, 9, 4 });
    EXPECT_EQ(sheet.objectPosition(b), (CellRange { 8, 3, 9, 4 }));
    EXPECT_THROW(sheet.selectObject(a), platform::Error);
    EXPECT_THROW(sheet.objectPosition(a), platform::Error);
}

TEST(SheetObjects, ARestoredObjectKeepsItsId)
{
    Sheet sheet;
    DrawingObject read { 7, CellRange { 2, 2, 3, 3 }, QImage(1, 1, QImage::Format_RGB32), "a.png" };
    sheet.restoreObject(read);
    EXPECT_EQ(sheet.object(7).sourcePath, "a.png");
    EXPECT_THROW(sheet.restoreObject(read), platform::Error);
    EXPECT_EQ(sheet.addPicture(QImage(), CellRange {}), 8);
}

#include "SheetTestSupport.h"

#include <gtest/gtest.h>

using namespace platform::grid;

namespace
{

// A small report: a title block merged over row 1, a table with a total formula, a bold row, a tall
// row and a picture.
Sheet reportSheet()
{
    Sheet sheet;
    sheet.setMaxRow(20);
    sheet.setMaxCol(6);
    sheet.setEntry(1, 1, "标题");
    sheet.merge(CellRange { 1, 1, 1, 4 });
    for (int row = 3; row <= 6; ++row) {
        sheet.setEntry(row, 2, QString::number(row * 10));
        sheet.setEntry(row, 3, QString("r%1").arg(row));
    }
    sheet.setFormula(8, 2, "SUM(B3:B6)");
    sheet.setFormula(8, 3, "$B$8+B3");
    sheet.applyFormat(CellRange { 5, 1, 5, 4 }, formatWith(&CellFormat::fontBold, true));
    sheet.setRowHeight(5, 500);
    sheet.setColWidth(3, 2000);
    sheet.addPicture(QImage(8, 8, QImage::Format_RGB32), CellRange { 10, 2, 11, 3 });
    return sheet;
}

} // namespace

TEST(SheetStructure, InsertedRowsMoveEverythingBelowThem)
{
    Sheet sheet = reportSheet();
    sheet.insertRows(4, 2);

    EXPECT_EQ(sheet.text(3, 3), "r3");
    EXPECT_TRUE(sheet.isEmpty(5, 3));
    EXPECT_EQ(sheet.text(6, 3), "r4");
    EXPECT_TRUE(*sheet.format(7, 1).fontBold);
    EXPECT_FALSE(*sheet.format(5, 1).fontBold);
    EXPECT_EQ(sheet.rowHeight(7), 500);
    EXPECT_EQ(sheet.formula(10, 2), "SUM(B3:B8)"); // the range stretches over the new rows
    EXPECT_EQ(sheet.formula(10, 3), "$B$10+B3");
    EXPECT_EQ(sheet.value(10, 2), CellValue(180.0));
    EXPECT_EQ(sheet.objectPosition(sheet.firstObject()), (CellRange { 12, 2, 13, 3 }));
    EXPECT_EQ(sheet.mergedBlocks(), QList<CellRange>({ CellRange { 1, 1, 1, 4 } }));
    EXPECT_EQ(sheet.maxRow(), 20); // nothing was pushed past the last row
}

TEST(SheetStructure, DeletedRowsCloseUpAndReferencesFollow)
{
    Sheet sheet = reportSheet();
    sheet.setFormula(12, 1, "C4");
    sheet.deleteRows(4, 2);

    EXPECT_EQ(sheet.text(3, 3), "r3");
    EXPECT_EQ(sheet.text(4, 3), "r6");
    EXPECT_EQ(sheet.rowHeight(4), kDefaultRowHeight);
    EXPECT_FALSE(*sheet.format(4, 1).fontBold);
    EXPECT_EQ(sheet.formula(6, 2), "SUM(B3:B4)");
    EXPECT_EQ(sheet.value(6, 2), CellValue(90.0));
    EXPECT_EQ(sheet.value(10, 1), CellValue(CellError { "#REF!" })); // read a deleted cell
    EXPECT_EQ(sheet.objectPosition(sheet.firstObject()), (CellRange { 8, 2, 9, 3 }));
    EXPECT_EQ(sheet.maxRow(), 20); // the caller sets the sheet's size itself
}

TEST(SheetStructure, InsertedAndDeletedColumnsMoveWidthsFormatsAndMerges)
{
    Sheet sheet = reportSheet();
    sheet.unmerge(CellRange { 1, 1, 1, 4 });
    sheet.merge(CellRange { 1, 3, 1, 4 });
    sheet.insertCols(2, 1);
    EXPECT_EQ(sheet.text(3, 4), "r3");
    EXPECT_EQ(sheet.colWidth(4), 2000);
    EXPECT_EQ(sheet.colWidth(3), kDefaultColWidth);
    EXPECT_EQ(sheet.mergedBlocks(), QList<CellRange>({ CellRange { 1, 4, 1, 5 } }));
    EXPECT_EQ(sheet.formula(8, 3), "SUM(C3:C6)");
    EXPECT_EQ(sheet.objectPosition(sheet.firstObject()), (CellRange { 10, 3, 11, 4 }));
    EXPECT_EQ(sheet.maxCol(), 6);

    sheet.deleteCols(6, 1);
    sheet.deleteCols(2, 1);
    EXPECT_EQ(sheet.text(3, 3), "r3");
    EXPECT_EQ(sheet.colWidth(3), 2000);
    EXPECT_EQ(sheet.formula(8, 2), "SUM(B3:B6)");
    EXPECT_EQ(sheet.mergedBlocks(), QList<CellRange>({ CellRange { 1, 3, 1, 4 } }));
}

TEST(SheetStructure, ContentPushedPastTheLastRowGrowsTheSheet)
{
    Sheet sheet;
    sheet.setMaxRow(5);
    sheet.setEntry(5, 1, "last");
    sheet.insertRows(2, 3);
    EXPECT_EQ(sheet.maxRow(), 8);
    EXPECT_EQ(sheet.text(8, 1), "last");
}

TEST(SheetStructure, CellShiftsMoveOnlyTheirBand)
{
    struct Case {
        const char* name;
        bool insert;
        Shift shift;
        CellRange range;
        int row, col; // where the value of C3 goes
        int keptRow, keptCol; // a cell beside the band, which stays
    };
    const Case cases[] = {
        { "insert down", true, Shift::Vertical, { 3, 2, 4, 3 }, 5, 3, 3, 1 },
        { "insert right", true, Shift::Horizontal, { 3, 3, 3, 4 }, 3, 5, 1, 3 },
        { "delete up", false, Shift::Vertical, { 1, 3, 2, 3 }, 1, 3, 3, 1 },
        { "delete left", false, Shift::Horizontal, { 3, 1, 3, 2 }, 3, 1, 1, 3 },
    };
    for (const auto& c : cases) {
        Sheet sheet;
        sheet.setEntry(3, 3, "moving");
        sheet.setEntry(c.keptRow, c.keptCol, "kept");
        if (c.insert)
            sheet.insertRange(c.range, c.shift);
        else
            sheet.deleteRange(c.range, c.shift);
        EXPECT_EQ(sheet.text(c.row, c.col), "moving") << c.name;
        EXPECT_EQ(sheet.text(c.keptRow, c.keptCol), "kept") << c.name;
    }
}

TEST(SheetStructure, ChangesThatWouldCutAMergedBlockAreRefusedAndLoseNothing)
{
    struct Case {
        const char* name;
        std::function<void(Sheet&)> change;
    };
    // The block covers B3:D5.
    const Case cases[] = {
        { "insert rows inside", [](Sheet& s) { s.insertRows(4, 1); } },
        { "delete rows partly", [](Sheet& s) { s.deleteRows(5, 2); } },
        { "insert columns inside", [](Sheet& s) { s.insertCols(3, 2); } },
        { "delete columns partly", [](Sheet& s) { s.deleteCols(1, 2); } },
        { "insert cells down over part",
            [](Sheet& s) { s.insertRange(cells(1, 3, 1, 3), Shift::Vertical); } },
        { "insert cells right over part",
            [](Sheet& s) { s.insertRange(cells(4, 1, 4, 1), Shift::Horizontal); } },
        { "delete cells up inside", [](Sheet& s) { s.deleteRange(cells(4, 2, 4, 4), Shift::Vertical); } },
        { "merge across", [](Sheet& s) { s.merge(cells(5, 4, 6, 5)); } },
        { "paste over part", [](Sheet& s) { s.paste(s.copy(cells(8, 1, 9, 2)), 4, 4); } },
        { "clear formats of part", [](Sheet& s) { s.clearRange(cells(3, 3, 3, 3), ClearWhat::Formats); } },
        { "clear all of part", [](Sheet& s) { s.clearRange(cells(4, 4, 6, 6), ClearWhat::All); } },
        { "merge flag with a format across",
            [](Sheet& s) {
                CellFormat mergeAndBold;
                mergeAndBold.mergeCells = true;
                mergeAndBold.fontBold = true;
                s.applyFormat(CellRange { 5, 4, 6, 5 }, mergeAndBold);
            } },
    };
    for (const auto& c : cases) {
        Sheet sheet = reportSheet();
        sheet.unmerge(CellRange { 1, 1, 1, 4 });
        sheet.merge(CellRange { 3, 2, 5, 4 });
        const auto before = sheet.rangeToArray(CellRange { 1, 1, 12, 6 });
        const CellRange picture = sheet.objectPosition(sheet.firstObject());
        EXPECT_EQ(errorNumberOf([&] { c.change(sheet); }), platform::errors::WouldCutMergedCell) << c.name;
        EXPECT_EQ(sheet.rangeToArray(CellRange { 1, 1, 12, 6 }), before) << c.name;
        EXPECT_EQ(sheet.mergedBlocks(), QList<CellRange>({ CellRange { 3, 2, 5, 4 } })) << c.name;
        EXPECT_EQ(sheet.objectPosition(sheet.firstObject()), picture) << c.name;
        EXPECT_EQ(sheet.rowHeight(5), 500) << c.name;
        EXPECT_FALSE(*sheet.format(6, 5).fontBold) << c.name;
    }
}

TEST(SheetStructure, WholeBlocksMayBeMovedOrDeleted)
{
    Sheet sheet;
    sheet.merge(CellRange { 3, 2, 4, 3 });
    sheet.insertRows(3, 1); // just above the block
    EXPECT_EQ(sheet.mergedBlocks(), QList<CellRange>({ CellRange { 4, 2, 5, 3 } }));
    sheet.deleteRows(4, 2); // all of its rows
    EXPECT_TRUE(sheet.mergedBlocks().isEmpty());
}

TEST(SheetStructure, RefusedDeletions)
{
    struct Case {
        const char* name;
        std::function<void(Sheet&)> change;
    };
    const Case cases[] = {
        { "every row", [](Sheet& s) { s.deleteRows(1, 20); } },
        { "every column", [](Sheet& s) { s.deleteCols(1, 6); } },
        { "rows past the last", [](Sheet& s) { s.deleteRows(19, 3); } },
        { "columns past the last", [](Sheet& s) { s.deleteCols(6, 2); } },
        { "no rows", [](Sheet& s) { s.deleteRows(3, 0); } },
        { "no columns", [](Sheet& s) { s.deleteCols(3, -1); } },
        { "cells past the sheet", [](Sheet& s) { s.deleteRange(cells(19, 1, 21, 1), Shift::Vertical); } },
    };
    for (const auto& c : cases) {
        Sheet sheet = reportSheet();
        EXPECT_EQ(errorNumberOf([&] { c.change(sheet); }), platform::errors::DeletionRefused) << c.name;
        EXPECT_EQ(sheet.text(6, 3), "r6") << c.name;
    }
}

TEST(SheetStructure, AWholeRowSelectionCanBeHandedToADeletion)
{
    Sheet sheet = reportSheet();
    sheet.selectRows(3, 4);
    sheet.deleteRange(sheet.selection(), Shift::Rows);
    EXPECT_EQ(sheet.text(3, 3), "r5");
    sheet.unmerge(CellRange { 1, 1, 1, 4 });
    sheet.selectCols(3, 3);
    sheet.deleteRange(sheet.selection(), Shift::Columns);
    EXPECT_EQ(sheet.colWidth(3), kDefaultColWidth);
}

TEST(SheetStructure, PicturesStretchWithInsertsAndGoWithTheirRows)
{
    Sheet sheet;
    const int picture = sheet.addPicture(QImage(4, 4, QImage::Format_RGB32), CellRange { 3, 2, 6, 3 });
    sheet.insertRows(4, 2);
    EXPECT_EQ(sheet.objectPosition(picture), (CellRange { 3, 2, 8, 3 }));
    sheet.deleteRows(2, 3); // its top rows
    EXPECT_EQ(sheet.objectPosition(picture), (CellRange { 2, 2, 5, 3 }));
    sheet.deleteRows(1, 6);
    EXPECT_FALSE(sheet.hasObject(picture));
}

TEST(SheetStructure, InsertingManyRowsIntoALargeSheetIsOnePass)
{
    Sheet sheet;
    const int rows = 200000;
    for (int row = 1; row <= rows; ++row)
        sheet.setNumber(row, 1, row);
    sheet.insertRows(100000, 50000);
    EXPECT_EQ(sheet.value(150000, 1), CellValue(100000.0));
    EXPECT_EQ(sheet.value(99999, 1), CellValue(99999.0));
    EXPECT_EQ(sheet.lastDataRow(), rows + 50000);
    EXPECT_EQ(sheet.maxRow(), rows + 50000);
}

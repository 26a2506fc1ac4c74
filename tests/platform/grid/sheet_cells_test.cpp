#include "platform/grid/io/XlsWriter.h"
#include "SheetTestSupport.h"

#include <gtest/gtest.h>
#include <QBuffer>

using namespace platform::grid;

TEST(SheetCells, EntriesAreReadAsNumbersFormulasOrTexts)
{
    struct Case {
        QString entry;
        CellValue value;
        QString storedEntry;
        bool formula;
    };
    const Case cases[] = {
        { "12", 12.0, "12", false },
        { "-3.5", -3.5, "-3.5", false },
        { "abc", QString("abc"), "abc", false },
        { "第1页", QString("第1页"), "第1页", false },
        { "=1+2", 3.0, "=1+2", true },
        { "=", QString("="), "=", false },
        { "=SUM(", QString("=SUM("), "=SUM(", false }, // not a formula: kept as typed
        { "", std::monostate {}, "", false },
        // A number shows in General as it was written, as its digits or as typed.
        { "110101900307123", 110101900307123.0, "110101900307123", false },
        { "0.00001", 0.00001, "0.00001", false },
        { "1E-05", 0.00001, "1E-05", false },
    };
    for (const auto& c : cases) {
        Sheet sheet;
        sheet.setEntry(2, 3, c.entry);
        EXPECT_EQ(sheet.value(2, 3), c.value) << c.entry.toStdString();
        EXPECT_EQ(sheet.entry(2, 3), c.storedEntry) << c.entry.toStdString();
        EXPECT_EQ(sheet.hasFormula(2, 3), c.formula) << c.entry.toStdString();
        EXPECT_EQ(sheet.isEmpty(2, 3), c.entry.isEmpty()) << c.entry.toStdString();
        if (!c.formula)
            EXPECT_EQ(sheet.text(2, 3), c.storedEntry) << c.entry.toStdString();
        // A stored text reads without a copy; a number, a formula's value or nothing does not.
        const QString* text = c.formula ? nullptr : std::get_if<QString>(&c.value);
        const std::optional<QStringView> view = sheet.textView(2, 3);
        EXPECT_EQ(view.has_value(), text != nullptr) << c.entry.toStdString();
        if (view && text) {
            EXPECT_EQ(view->toString(), *text);
        }
    }
}

TEST(SheetCells, TextsAndCellsInTheTextFormatKeepEntriesAsTyped)
{
    Sheet sheet;
    sheet.setText(1, 1, "=A2");
    EXPECT_EQ(sheet.value(1, 1), CellValue(QString("=A2")));
    EXPECT_FALSE(sheet.hasFormula(1, 1));

    CellFormat textFormat;
    textFormat.numberFormat = "@";
    textFormat.fontBold = true;
    sheet.applyFormat(CellRange { 2, 1, 3, 2 }, textFormat);
    sheet.setEntry(2, 1, "007");
    sheet.setEntry(2, 2, "=A1");
    sheet.select(3, 1, 3, 2);
    sheet.setSelectionText("0012");
    EXPECT_EQ(sheet.value(2, 1), CellValue(QString("007")));
    EXPECT_FALSE(sheet.hasFormula(2, 2));
    EXPECT_EQ(sheet.text(2, 2), "=A1");
    EXPECT_EQ(sheet.numberFormat(2, 2), "@");
    EXPECT_EQ(sheet.numberFormat(9, 9), "General");
    EXPECT_EQ(sheet.value(3, 2), CellValue(QString("0012")));
    sheet.setFormula(2, 2, "A1"); // an explicit formula is still a formula
    EXPECT_TRUE(sheet.hasFormula(2, 2));
    sheet.setEntry(4, 1, "007"); // outside the text format
    EXPECT_EQ(sheet.value(4, 1), CellValue(7.0));
    sheet.setEntry(2, 1, ""); // an empty entry clears the value and keeps the format
    EXPECT_TRUE(sheet.isEmpty(2, 1));
    EXPECT_TRUE(*sheet.format(2, 1).fontBold);
}

TEST(SheetCells, FormulasFollowTheCellsTheyRead)
{
    Sheet sheet;
    for (int row = 1; row <= 10; ++row)
        sheet.setNumber(row, 1, row);
    sheet.setFormula(11, 1, "=SUM(A1:A10)"); // a leading "=" is accepted too
    sheet.setFormula(12, 1, "A11*2");
    EXPECT_EQ(sheet.value(12, 1), CellValue(110.0));
    sheet.setNumber(1, 1, 101);
    EXPECT_EQ(sheet.value(11, 1), CellValue(155.0));
    EXPECT_EQ(sheet.value(12, 1), CellValue(310.0));
    sheet.clearCell(10, 1);
    EXPECT_EQ(sheet.text(12, 1), "290");
}

TEST(SheetCells, LongChainsOfFormulasComputeWithoutDeepRecursion)
{
    Sheet sheet;
    sheet.setNumber(1, 1, 1);
    const int rows = 100000;
    for (int row = 2; row <= rows; ++row)
        sheet.setFormula(row, 1, QString("A%1+1").arg(row - 1));
    EXPECT_EQ(sheet.value(rows, 1), CellValue(double(rows)));
    sheet.setNumber(1, 1, 11);
    EXPECT_EQ(sheet.value(rows, 1), CellValue(double(rows + 10)));
}

TEST(SheetCells, CyclesShowAnErrorAndDoNotHang)
{
    Sheet sheet;
    sheet.setFormula(1, 1, "B1+1");
    sheet.setFormula(1, 2, "A1+1");
    sheet.setFormula(1, 3, "C1");
    sheet.setFormula(2, 1, "A1"); // reads a cycle without being part of it
    for (const auto& [row, col] : { std::pair { 1, 1 }, { 1, 2 }, { 1, 3 }, { 2, 1 } })
        EXPECT_EQ(sheet.value(row, col), CellValue(CellError { "#VALUE!" })) << row << "," << col;
    sheet.setNumber(1, 2, 4); // the cycle is broken
    EXPECT_EQ(sheet.value(2, 1), CellValue(5.0));
}

TEST(SheetCells, ABadFormulaIsRefusedAndTheCellKeepsItsValue)
{
    Sheet sheet;
    sheet.setNumber(1, 1, 7);
    EXPECT_EQ(errorNumberOf([&] { sheet.setFormula(1, 1, "SUM(("); }), platform::errors::InvalidArgument);
    EXPECT_EQ(sheet.value(1, 1), CellValue(7.0));
}

TEST(SheetCells, ValuesOfEveryKindRoundTripThroughArrays)
{
    Sheet sheet;
    const QVector<QVector<CellValue>> values {
        { 1.5, QString("档案"), true },
        { CellError { "#DIV/0!" }, std::monostate {}, -2.0 },
    };
    sheet.arrayToRange(4, 2, values);
    EXPECT_EQ(sheet.rangeToArray(CellRange { 4, 2, 5, 4 }), values);
    EXPECT_EQ(sheet.entry(4, 4), "TRUE");
}

TEST(SheetCells, LastDataIgnoresFormatsButLastUsedCountsThem)
{
    Sheet sheet;
    EXPECT_EQ(sheet.lastDataRow(), 0);
    EXPECT_EQ(sheet.lastDataCol(), 0);
    sheet.setEntry(3, 2, "x");
    CellFormat border;
    border.border(BorderSide::Bottom) = Border { BorderStyle::Thin, 0 };
    sheet.applyFormat(CellRange::cell(7, 5), border);
    EXPECT_EQ(sheet.lastDataRow(), 3);
    EXPECT_EQ(sheet.lastDataCol(), 2);
    EXPECT_EQ(sheet.lastUsedRow(), 7);
    EXPECT_EQ(sheet.lastUsedCol(), 5);
    sheet.merge(CellRange { 9, 1, 10, 2 });
    EXPECT_EQ(sheet.lastUsedRow(), 10);
}

TEST(SheetCells, CuttingTheSheetDropsWhatLiesBeyond)
{
    Sheet sheet;
    sheet.setEntry(5, 5, "keep");
    sheet.setEntry(6, 1, "row gone");
    sheet.setEntry(1, 7, "column gone");
    sheet.merge(CellRange { 4, 1, 7, 1 }); // clipped to rows 4-5
    sheet.merge(CellRange { 6, 2, 6, 3 }); // gone
    sheet.setRowHeight(6, 600);
    const int inside = sheet.addPicture(QImage(4, 4, QImage::Format_RGB32), CellRange { 2, 2, 8, 3 });
    const int outside = sheet.addPicture(QImage(4, 4, QImage::Format_RGB32), CellRange { 7, 1, 7, 1 });

    sheet.setMaxRow(5);
    sheet.setMaxCol(6);

    EXPECT_EQ(sheet.text(5, 5), "keep");
    EXPECT_TRUE(sheet.isEmpty(6, 1));
    EXPECT_TRUE(sheet.isEmpty(1, 7));
    EXPECT_EQ(sheet.mergedBlocks(), QList<CellRange>({ CellRange { 4, 1, 5, 1 } }));
    EXPECT_EQ(sheet.objectPosition(inside), (CellRange { 2, 2, 5, 3 }));
    EXPECT_FALSE(sheet.hasObject(outside));

    sheet.setMaxRow(10); // rows that come back are new rows
    EXPECT_TRUE(sheet.isEmpty(6, 1));
    EXPECT_EQ(sheet.rowHeight(6), kDefaultRowHeight);
}

TEST(SheetCells, CuttingColumnsLeavesTheLastUsedRowAndColumnOnWhatStays)
{
    Sheet sheet;
    sheet.setEntry(2, 3, "stays");
    sheet.setEntry(4, 8, "cut"); // its row holds nothing else
    CellFormat bold;
    bold.fontBold = true;
    sheet.applyFormat(CellRange::cell(3, 9), bold); // a format alone, cut as well

    sheet.setMaxCol(6);
    EXPECT_EQ(sheet.lastUsedRow(), 2);
    EXPECT_EQ(sheet.lastUsedCol(), 3);

    sheet.setMaxCol(10); // columns that come back are new columns
    EXPECT_TRUE(sheet.isEmpty(4, 8));
    EXPECT_EQ(sheet.styleId(3, 9), 0);
    EXPECT_EQ(sheet.text(2, 3), "stays");
}

TEST(SheetCells, WritingBeyondTheLastRowGrowsTheSheet)
{
    Sheet sheet;
    sheet.setMaxRow(10);
    sheet.setMaxCol(5);
    sheet.setEntry(200000, 30, "far");
    EXPECT_EQ(sheet.maxRow(), 200000);
    EXPECT_EQ(sheet.maxCol(), 30);
    EXPECT_EQ(errorNumberOf([&] { sheet.setEntry(0, 1, "x"); }), platform::errors::InvalidArgument);
    EXPECT_EQ(
        errorNumberOf([&] { sheet.setEntry(1, kMaxSheetCols + 1, "x"); }), platform::errors::InvalidArgument);
}

TEST(SheetCells, SizesStayWithinSixteenBitsAndUnsetRowsFollowTheDefault)
{
    Sheet sheet;
    sheet.setRowHeights(2, 4, 400);
    sheet.setColWidth(2, 40000);
    sheet.setColWidth(3, -5);
    EXPECT_EQ(sheet.colWidth(2), kMaxSizeTwips);
    EXPECT_EQ(sheet.colWidth(3), 0);
    sheet.setDefaultRowHeight(300);
    EXPECT_EQ(sheet.rowHeight(5), 300);
    EXPECT_EQ(sheet.rowHeight(4), 400);
    EXPECT_TRUE(sheet.isRowHeightSet(4));
    EXPECT_FALSE(sheet.isRowHeightSet(5));
}

TEST(SheetCells, CopiesAreDeepAndIndependent)
{
    Sheet original;
    original.setEntry(1, 1, "原文");
    original.setFormula(1, 2, "A1&\"!\"");
    original.merge(CellRange { 2, 1, 3, 2 });
    original.addPicture(QImage(2, 2, QImage::Format_RGB32), CellRange { 5, 5, 6, 6 });

    Sheet copy = original;
    copy.setEntry(1, 1, "改");
    copy.unmerge(CellRange { 2, 1, 2, 1 });
    copy.deleteObject(copy.firstObject());

    EXPECT_EQ(original.text(1, 2), "原文!");
    EXPECT_EQ(copy.text(1, 2), "改!");
    EXPECT_EQ(original.mergedBlocks().size(), 1);
    EXPECT_EQ(original.objectIds().size(), 1);
    copy = original; // assigned, then changed
    original.setEntry(1, 1, "again");
    EXPECT_EQ(copy.text(1, 2), "原文!");
}

TEST(SheetCells, ACopyTakingTheCellsIsTheWholeSheetAndLeavesTheRestBehind)
{
    Sheet original;
    original.setFormula(1, 2, "A1&\"!\"");
    original.setNumber(4, 3, 2.25);
    original.applyFormat(CellRange { 4, 3, 4, 3 }, formatWith(&CellFormat::fontBold, true));
    original.merge(CellRange { 2, 1, 3, 2 });
    original.setColWidth(3, 2000);
    original.setPrintArea("$A$1:$C$4");
    const auto xls = [](const Sheet& sheet) {
        QBuffer bytes;
        bytes.open(QIODevice::WriteOnly);
        io::writeXls(sheet, bytes);
        return bytes.data();
    };
    const QByteArray whole = xls(original);

    EXPECT_EQ(xls(original.copyTakingCells()), whole);
    EXPECT_TRUE(original.isEmpty(1, 2) && original.isEmpty(4, 3));
    EXPECT_FALSE(original.format(4, 3).fontBold.value_or(false));
    EXPECT_EQ(original.colWidth(3), 2000);
    EXPECT_EQ(original.mergedBlocks().size(), 1);
    EXPECT_EQ(original.printArea(), "$A$1:$C$4");
}

TEST(SheetCells, EveryChangeMovesTheRevision)
{
    Sheet sheet;
    quint64 last = sheet.revision();
    const std::function<void()> changes[] = {
        [&] { sheet.setEntry(1, 1, "a"); },
        [&] { sheet.setRowHeight(1, 300); },
        [&] { sheet.select(2, 2, 3, 3); },
        [&] { sheet.merge(cells(4, 4, 4, 5)); },
        [&] { sheet.setPrintArea("$A$1:$B$2"); },
        [&] { sheet.insertRows(1, 1); },
    };
    for (const auto& change : changes) {
        change();
        EXPECT_GT(sheet.revision(), last);
        last = sheet.revision();
    }
}

TEST(RangeTexts, ColumnNamesAndNumbers)
{
    struct Case {
        int number;
        QString name;
    };
    for (const Case& c : { Case { 1, "A" }, { 26, "Z" }, { 27, "AA" }, { 52, "AZ" }, { 53, "BA" },
             { 256, "IV" }, { 702, "ZZ" }, { 703, "AAA" } }) {
        EXPECT_EQ(columnName(c.number), c.name);
        EXPECT_EQ(columnNumber(c.name), c.number);
    }
    EXPECT_EQ(columnNumber("ab"), 28);
    for (const char* bad : { "", "A1", "$A", "ZZZZ", "中" })
        EXPECT_EQ(columnNumber(QString::fromUtf8(bad)), 0) << bad;
}

TEST(RangeTexts, RangesAreWrittenAndReadBack)
{
    EXPECT_EQ(rangeText(CellRange { 1, 1, 40, 8 }, true), "$A$1:$H$40");
    EXPECT_EQ(rangeText(CellRange { 3, 2, 3, 2 }), "B3");
    EXPECT_EQ(rangeText(CellRange { 9, 4, 3, 1 }), "A3:D9");
    EXPECT_EQ(rangeText(CellRange { 98, 27, kMaxSheetRows, kMaxSheetCols }, true), "$AA$98:$XFD$1048576");
    EXPECT_EQ(rangeText(CellRange { 10, 702, 10, 703 }), "ZZ10:AAA10");

    struct Case {
        QString text;
        std::optional<CellRange> range;
    };
    const Case cases[] = {
        { "$A$1:$H$40", CellRange { 1, 1, 40, 8 } },
        { "b3", CellRange { 3, 2, 3, 2 } },
        { "D9:A3", CellRange { 3, 1, 9, 4 } },
        { " $C$5 ", CellRange { 5, 3, 5, 3 } },
        { "$1:$2", CellRange { 1, 1, 2, kWholeRowLastCol } },
        { "$B:$C", CellRange { 1, 2, kWholeColLastRow, 3 } },
        { "", std::nullopt },
        { "A0", std::nullopt },
        { "A1:B", std::nullopt },
        { "A1:B2:C3", std::nullopt },
        { "1A", std::nullopt },
        { "A1,B2", std::nullopt },
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseRangeText(c.text), c.range) << c.text.toStdString();
}

// A cell holds a text's own characters where it can: changing or dropping the text it came from, or the
// cell it was copied to, leaves every other holder's text as it was.
TEST(SheetCells, TextsStayWhateverBecomesOfTheirSource)
{
    QString trimmedFront = QStringLiteral("··档号R0001");
    trimmedFront.remove(0, 2); // its characters no longer start its block
    QString roomy = QStringLiteral("R0001");
    roomy.reserve(100000);
    const struct Case {
        const char* name;
        QString text;
    } cases[] = {
        { "built", QString::fromUtf8("关于档案") + QString::number(7) },
        { "literal", QStringLiteral("归档文件目录") },
        { "front taken off", trimmedFront },
        { "in a block far larger", roomy },
        { "longer than a cell shares", QString(70000, u'档') },
    };
    for (const Case& c : cases) {
        const QString expected(c.text.constData(), c.text.size()); // a copy of its own
        Sheet sheet;
        {
            QString source = c.text;
            sheet.setText(1, 1, source);
            source.append(u'!'); // a change of the source must not reach the cell
            source[0] = u'X';
        }
        sheet.setValue(2, 1, sheet.value(1, 1));
        Sheet copy = sheet;
        sheet.setText(1, 1, QStringLiteral("改"));
        sheet.clearCell(2, 1, ClearWhat::Values);
        EXPECT_EQ(copy.text(1, 1), expected) << c.name;
        EXPECT_EQ(copy.textView(2, 1).value_or(QStringView()), expected) << c.name;
        EXPECT_EQ(copy.value(2, 1), CellValue(expected)) << c.name;
        EXPECT_EQ(sheet.text(1, 1), QStringLiteral("改")) << c.name;
    }
}

#include "platform/grid/formula/Formula.h"

#include <gtest/gtest.h>

using namespace platform::grid;
using namespace platform::grid::formula;

namespace
{

constexpr int kLastRow = kMaxSheetRows;
constexpr int kLastCol = kMaxSheetCols;

ReferenceShift insertRows(int row, int count)
{
    return { { row, 1, kLastRow, kLastCol }, count, 0, false, {} };
}

ReferenceShift deleteRows(int row, int count)
{
    return { { row + count, 1, kLastRow, kLastCol }, -count, 0, true, { row, 1, row + count - 1, kLastCol } };
}

ReferenceShift insertCols(int col, int count)
{
    return { { 1, col, kLastRow, kLastCol }, 0, count, false, {} };
}

ReferenceShift deleteCols(int col, int count)
{
    return { { 1, col + count, kLastRow, kLastCol }, 0, -count, true, { 1, col, kLastRow, col + count - 1 } };
}

// Deleting the cells of `block` and moving the cells below it up.
ReferenceShift deleteCellsUp(const CellRange& block)
{
    return { { block.row2 + 1, block.col1, kLastRow, block.col2 }, -block.rowCount(), 0, true, block };
}

struct MoveCase {
    const char* formula;
    int rowDelta;
    int colDelta;
    const char* expected;
};

const MoveCase kMoveCases[] = {
    { "A1+$B$2+C$3+$D4", 2, 1, "B3+$B$2+D$3+$D6" },
    { "SUM(A1:B2)", 1, 1, "SUM(B2:C3)" },
    { "SUM($A$1:B2)", 3, 0, "SUM($A$1:B5)" },
    { "A10:A$5", 10, 0, "A$5:A20" },
    { "A1", -1, 0, "#REF!" },
    { "B2+1", 0, -2, "#REF!+1" },
    { "SUM(A2:A5)", -2, 0, "SUM(#REF!)" },
    { "$A$1", -5, -5, "$A$1" },
    { "XFD1", 0, 1, "#REF!" },
    { "A1048576", 1, 0, "#REF!" },
    { "1+2", 5, 5, "1+2" },
};

struct ShiftCase {
    const char* formula;
    ReferenceShift shift;
    const char* expected;
};

const ShiftCase kShiftCases[] = {
    { "A5", insertRows(3, 2), "A7" },
    { "$A$5", insertRows(3, 2), "$A$7" },
    { "SUM(A1:A10)", insertRows(5, 3), "SUM(A1:A13)" },
    { "SUM(A1:A10)", insertRows(11, 1), "SUM(A1:A10)" },
    { "A1048576", insertRows(1, 1), "#REF!" },
    { "A5", deleteRows(5, 1), "#REF!" },
    { "A10", deleteRows(3, 2), "A8" },
    { "SUM(A1:A10)", deleteRows(3, 2), "SUM(A1:A8)" },
    { "SUM(A3:A10)", deleteRows(3, 2), "SUM(A3:A8)" },
    { "SUM(A1:A4)", deleteRows(3, 2), "SUM(A1:A2)" },
    { "SUM(A3:B4)", deleteRows(3, 2), "SUM(#REF!)" },
    { "SUM(A1:A4)+A4", deleteRows(4, 1), "SUM(A1:A3)+#REF!" },
    { "C1+SUM(A1:D1)", insertCols(2, 1), "D1+SUM(A1:E1)" },
    { "C1+SUM(A1:D1)", deleteCols(2, 1), "B1+SUM(A1:C1)" },
    { "C1+SUM(A1:D1)", deleteCols(3, 1), "#REF!+SUM(A1:C1)" },
    { "SUM(B1:C1)", deleteCols(2, 2), "SUM(#REF!)" },
    { "A10+C10", deleteCellsUp({ 3, 1, 4, 2 }), "A8+C10" },
    { "SUM(A1:C10)", deleteCellsUp({ 3, 1, 4, 2 }), "SUM(A1:C10)" },
    { "SUM(A1:A10)", deleteCellsUp({ 3, 1, 4, 2 }), "SUM(A1:A8)" },
};

} // namespace

TEST(FormulaReferences, CopiesMoveRelativeReferences)
{
    for (const MoveCase& c : kMoveCases) {
        EXPECT_EQ(
            Formula::parse(c.formula).movedBy(c.rowDelta, c.colDelta).text(), QString::fromLatin1(c.expected))
            << c.formula << " by " << c.rowDelta << "," << c.colDelta;
    }
}

TEST(FormulaReferences, InsertsAndDeletesMoveStretchAndInvalidate)
{
    for (const ShiftCase& c : kShiftCases)
        EXPECT_EQ(Formula::parse(c.formula).adjusted(c.shift).text(), QString::fromLatin1(c.expected))
            << c.formula;
}

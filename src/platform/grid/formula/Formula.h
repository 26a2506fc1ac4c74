#pragma once

#include "../GridTypes.h"
#include <functional>
#include <memory>
#include <QList>
#include <QString>

namespace platform::grid::formula
{

struct Node;

// Gives the computed value of another cell while a formula is evaluated. The sheet supplies it and
// detects cycles.
using CellLookup = std::function<CellValue(int row, int col)>;

// How a structural change moves references: every reference to a cell inside `moved` moves by
// (rowDelta, colDelta); a reference to a cell inside `deleted` (when set) becomes #REF!. A range
// reference whose corner moves stretches or shrinks with it, as in a spreadsheet.
//
// Inserting rows r..r+n-1: moved = rows r to the last row, rowDelta n (a range that spans row r
// stretches). Deleting rows r..r+n-1: deleted = those rows, moved = the rows below, rowDelta -n, also
// when nothing lies below (the delta tells which way the cells close up). A range corner inside the
// deleted block moves to the block's edge, so the range shrinks; a range wholly inside it becomes
// #REF!. Columns and partial blocks (cells shifted up or left) work the same way.
struct ReferenceShift {
    CellRange moved;
    int rowDelta = 0;
    int colDelta = 0;
    bool hasDeleted = false;
    CellRange deleted;
};

// A parsed formula: numbers, texts, cell references (relative and $ absolute), ranges,
// + - * / ^ &, comparisons, parentheses and the functions SUM, AVERAGE, MIN, MAX, COUNT, ROUND, ABS, IF.
// Values are immutable; the operations that change references return a new formula.
class Formula
{
public:
    // `text` without the leading "=". A text that does not parse throws platform::Error with the
    // number errors::InvalidArgument and a description naming the problem.
    static Formula parse(const QString& text);

    Formula();
    ~Formula();
    Formula(const Formula&);
    Formula& operator=(const Formula&);
    Formula(Formula&&) noexcept;
    Formula& operator=(Formula&&) noexcept;

    QString text() const; // canonical text without "=", references written as "A1", "$B$2", "A1:C3"
    CellValue evaluate(const CellLookup& lookup) const;
    // The same, told that every cell outside `dataArea` is empty: SUM, AVERAGE, MIN, MAX and COUNT
    // then visit only the part of a range that can hold values, so "SUM(A1:XFD1048576)" stays quick.
    CellValue evaluate(const CellLookup& lookup, const CellRange& dataArea) const;

    // The formula as it reads when its cell is copied by (rowDelta, colDelta): relative references
    // move, absolute ones stay; a reference moved off the sheet becomes #REF!.
    Formula movedBy(int rowDelta, int colDelta) const;
    Formula adjusted(const ReferenceShift& shift) const;

    QList<CellRange> references() const;

private:
    explicit Formula(std::shared_ptr<const Node> root);
    std::shared_ptr<const Node> root_; // null for the empty formula
};

} // namespace platform::grid::formula

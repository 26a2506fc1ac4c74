#pragma once

#include "CellStore.h"
#include "MergeSet.h"
#include "ObjectList.h"
#include "platform/Error.h"
#include "Sheet.h"
#include "SizeList.h"
#include "StylePool.h"

namespace platform::grid
{

[[noreturn]] void throwSheetError(int number, const QString& description);

struct Sheet::Impl {
    int maxRow = kDefaultMaxRow;
    int maxCol = kDefaultMaxCol;
    internal::CellStore cells;
    internal::StylePool styles;
    std::vector<quint32> pastedStyleIds; // the ids a clip's formats took at the last paste
    internal::MergeSet merges;
    internal::SizeList rowHeights { kDefaultRowHeight };
    internal::SizeList colWidths { kDefaultColWidth };
    internal::ObjectList objects;

    QList<CellRange> selection { CellRange {} };
    int activeRow = 1;
    int activeCol = 1;

    PageSetup pageSetup;
    QString printArea;
    QString printTitles;
    QList<int> rowPageBreaks;

    quint64 revision = 0;
    quint64 valueGeneration = 1; // formulas computed in another generation compute again

    void changed() { ++revision; }
    void valuesChanged()
    {
        ++revision;
        ++valueGeneration;
    }

    // Throws errors::InvalidArgument for a cell outside the largest sheet; inline, as every read and
    // write of a cell asks.
    static void checkCell(int row, int col)
    {
        if (row < 1 || row > kMaxSheetRows || col < 1 || col > kMaxSheetCols)
            refuseCell(row, col);
    }
    [[noreturn]] static void refuseCell(int row, int col);
    // The range with its corners in order, checked, its whole-row and whole-column edges brought to
    // the sheet's last column and row.
    CellRange withinSheet(const CellRange& range) const;
    void growTo(int row, int col);

    CellValue valueAt(int row, int col) const; // computes formulas
    struct PendingFormula;
    void computePending(std::vector<PendingFormula>& pending, const formula::CellLookup& lookup) const;
    const CellFormat& styleAt(int row, int col) const;
    void checkStyleId(int id) const;

    // What an entry stands for, read once so that it can go into many cells. `typed` is the entry as
    // typed, which a cell in the text format "@" keeps as it is.
    struct ParsedEntry {
        CellValue value;
        std::optional<formula::Formula> formula;
        QString typed;
        NumberWritten written = NumberWritten::AsNumber; // of a number
    };
    static ParsedEntry parseEntry(const QString& entry);
    static formula::Formula parseFormula(const QString& text); // with or without its "="

    // Stores a value (never a formula) and gives back the memory of an emptied cell.
    void writeValue(
        int row, int col, const CellValue& value, NumberWritten written = NumberWritten::AsNumber);
    // Stores the value of a cell that holds one and no formula, sharing its text.
    void copyValue(int row, int col, const internal::Cell& from);
    void writeFormula(int row, int col, const formula::Formula& formula);
    // A formula written for the cell (fromRow, fromCol) goes in moved by the offset between the
    // cells, as a spreadsheet fills a selection from its active cell.
    void writeEntry(int row, int col, const ParsedEntry& entry, int fromRow, int fromCol);
    bool takesTextOnly(int row, int col) const;
    void clearValues(const CellRange& range);
    void clearStyles(const CellRange& range);
    void applyStyles(const CellRange& range, const CellFormat& changes);
    void mergeRange(const CellRange& range);

    // Every cell of the ranges except those a merged block covers beyond its first cell.
    template <typename Visit> void forEachShownCell(const QList<CellRange>& ranges, Visit visit) const
    {
        for (const auto& range : ranges) {
            for (int r = range.row1; r <= range.row2; ++r) {
                for (int c = range.col1; c <= range.col2; ++c) {
                    auto block = merges.isEmpty() ? std::nullopt : merges.blockAt(r, c);
                    if (!block || (block->row1 == r && block->col1 == c))
                        visit(r, c);
                }
            }
        }
    }
    QList<CellRange> selectionWithinSheet() const;
    CellRange selectable(const CellRange& range) const;

    // Moves cells, formats, merges, sizes, pictures and formula references; 20053 when a merged block
    // would be cut, before anything changed.
    void applyShift(const internal::ReferenceShift& shift);
    void adjustFormulas(const internal::ReferenceShift& shift);
};

} // namespace platform::grid

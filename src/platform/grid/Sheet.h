#pragma once

#include "CellFormat.h"
#include "DrawingObject.h"
#include "GridTypes.h"
#include "PageSetup.h"
#include <memory>
#include <optional>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVector>

namespace platform::grid
{

class SheetClip;

// Sizes of the rows and columns that nobody sized, and the largest size one takes (16-bit twips).
constexpr int kDefaultRowHeight = 270;
constexpr int kDefaultColWidth = 1080;
constexpr int kMaxSizeTwips = 32767;

// The last row and column of a new sheet.
constexpr int kDefaultMaxRow = 65536;
constexpr int kDefaultMaxCol = 256;

// The spreadsheet model that reports are designed on, built into and printed from. It knows nothing
// of widgets: GridView draws it, GridPrinter prints it, the file writers read it.
//
// Rows and columns count from 1; sizes are twips. Memory grows with the cells used, not with the
// sheet's size. Operations that would cut a merged block throw platform::Error 20053; a refused
// deletion throws 20007; a row, column or argument outside the sheet's limits throws
// errors::InvalidArgument. Writing beyond the last row or column grows the sheet to hold what was
// written; only setMaxRow and setMaxCol make it smaller.
//
// A range whose last column is kWholeRowLastCol, or whose last row is kWholeColLastRow, reaches the
// sheet's edge: so the bounds that a whole-row or whole-column selection reports can be handed back.
class Sheet
{
public:
    Sheet();
    ~Sheet();
    Sheet(const Sheet&);
    Sheet& operator=(const Sheet&);
    Sheet(Sheet&&) noexcept;
    Sheet& operator=(Sheet&&) noexcept;
    // A copy that takes the stored cells (values and cell formats) instead of copying them: this sheet
    // keeps everything else and no cell. Quick whatever the cells, for a sheet about to be cleared.
    Sheet copyTakingCells();

    // --- size -----------------------------------------------------------------------------------
    int maxRow() const;
    int maxCol() const;
    void setMaxRow(int rows); // the sheet is cut to it: cells, merges and pictures beyond go
    void setMaxCol(int cols);
    int lastDataRow() const; // 0 when the sheet holds no value
    int lastDataCol() const;
    int lastUsedRow() const; // also counting formats, merged blocks and pictures
    int lastUsedCol() const;

    // Sizes are kept between 0 (hidden) and kMaxSizeTwips.
    int rowHeight(int row) const;
    void setRowHeight(int row, int twips);
    void setRowHeights(int row1, int row2, int twips);
    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    void setColWidths(int col1, int col2, int twips);
    int defaultRowHeight() const;
    int defaultColWidth() const;
    void setDefaultRowHeight(int twips);
    void setDefaultColWidth(int twips);
    bool isRowHeightSet(int row) const; // false where the default height applies
    bool isColWidthSet(int col) const;

    // --- cells ----------------------------------------------------------------------------------
    // An entry is what a user types: "=..." is a formula, a text that reads as a number is a
    // number (which shows as written where its format is General or "@": NumberWritten), anything else
    // a text; "" empties the cell (its format stays). An "=" entry that is no formula is kept as a
    // text, so that nothing typed is lost.
    void setEntry(int row, int col, const QString& entry);
    void setText(int row, int col, const QString& text); // always a text, never parsed
    // A number written as text (NumberWritten) shows those characters under the General and text formats.
    void setNumber(int row, int col, double value, NumberWritten written = NumberWritten::AsNumber);
    void setFormula(
        int row, int col, const QString& formula); // without the leading "="; throws when it does not parse
    void setValue(int row, int col, const CellValue& value);
    void clearCell(int row, int col, ClearWhat what = ClearWhat::Values);

    bool isEmpty(int row, int col) const;
    bool hasFormula(int row, int col) const;
    CellValue value(int row, int col) const; // computed value for a formula; "#VALUE!" in a cycle
    // The text a cell holds as its value (not computed by a formula) without a copy, for writers that
    // read every cell: valid until the cell next changes. None for any other cell.
    std::optional<QStringView> textView(int row, int col) const;
    // How the number of a number cell was written (AsNumber for any other cell, a formula's included).
    NumberWritten numberWritten(int row, int col) const;
    // "=A1+1" for a formula, a number as it was written or in the form it would be typed
    QString entry(int row, int col) const;
    QString formula(int row, int col) const; // without "=", "" when the cell holds none
    QString text(int row, int col) const; // what is shown: the value formatted by the cell's number format

    // --- selection ------------------------------------------------------------------------------
    // A selected range grows over every merged block it touches, so selecting a block's first cell
    // takes the whole block; the active cell becomes the range's first cell. Whole rows report last
    // column kWholeRowLastCol, whole columns last row kWholeColLastRow; they do not grow over blocks.
    // Writing to the selection skips the cells that a merged block covers beyond its first cell.
    void select(const CellRange& range);
    void select(int row1, int col1, int row2, int col2) { select(CellRange { row1, col1, row2, col2 }); }
    void addSelection(const CellRange& range);
    void selectRows(int row1, int row2);
    void selectCols(int col1, int col2);
    void selectAll();
    int selectionCount() const;
    CellRange selection(int index = 0) const;
    bool selectionIsWholeRows() const;
    bool selectionIsWholeCols() const;
    int activeRow() const;
    int activeCol() const;
    void setActiveCell(int row, int col);

    QString activeCellText() const;
    void setActiveCellText(const QString& entry); // as setEntry on the active cell
    QString selectionText() const; // the active cell's text
    void setSelectionText(const QString& entry); // as setEntry on every cell of the selection
    QString selectionFormula() const; // the active cell's formula without "="
    // The formula goes into the active cell; the other cells get it moved by their offset from it.
    void setSelectionFormula(const QString& formula);

    // --- formats --------------------------------------------------------------------------------
    // Borders: top, left, bottom and right are the cell's own sides; in a range's format they are the
    // range's outer edges, and the inner sides the lines between its cells (a merged block counts as
    // one cell). mergeCells is true for a cell inside a merged block.
    CellFormat format(int row, int col) const; // fully set: what the cell looks like
    // The cell's format as format() gives it, but with mergeCells false and without a copy: for reading
    // many cells; the reference holds until the sheet's formats next change.
    const CellFormat& cellStyle(int row, int col) const;
    CellFormat rangeFormat(const CellRange& range) const; // properties shared by every cell are set
    // Sets the properties that hold a value; mergeCells true merges the range (20053 when that would
    // cut a block), false unmerges every block it touches.
    void applyFormat(const CellRange& range, const CellFormat& format);
    CellFormat selectionFormat() const;
    void applyFormatToSelection(const CellFormat& format);
    QString numberFormat(int row, int col) const;
    // Formats, height and one-row merged blocks of the source row, repeated on the target rows.
    void copyRowFormats(int sourceRow, int firstTargetRow, int lastTargetRow);

    // The interned formats, for writers and readers that keep a table of formats: fully set,
    // mergeCells false, no inner sides. addStyle lays a format over the default look and gives its id.
    int styleCount() const;
    int styleId(int row, int col) const; // 0 for a cell nobody formatted
    // Names the sheet's formats: a style id names the same format in every sheet of the same serial,
    // for as long as the process runs (for keeping what a format decides).
    quint64 stylesSerial() const;
    CellFormat styleFormat(int id) const;
    int addStyle(const CellFormat& format);
    void setStyleId(int row, int col, int id);

    // --- merged blocks --------------------------------------------------------------------------
    // Merging keeps the values of the covered cells; the block shows its first cell's.
    void merge(const CellRange& range); // 20053 when it would cut another block
    void unmerge(const CellRange& range); // every block that the range touches
    std::optional<CellRange> mergedBlockAt(int row, int col) const;
    QList<CellRange> mergedBlocks() const;
    QList<CellRange> mergedBlocksIn(const CellRange& range) const;

    // --- structure ------------------------------------------------------------------------------
    // Cells, formats, merges, row heights, column widths, pictures and formula references move as a
    // spreadsheet moves them; inserted cells are empty and unformatted. 20053 when a merged block
    // would be cut; a deletion outside the sheet, of no cells, or of all its rows or columns is
    // refused with 20007. Clearing formats (or everything) of a range that cuts a block throws 20053;
    // clearing formats removes the blocks inside the range. Pictures are not cleared.
    void insertRange(const CellRange& range, Shift shift);
    void deleteRange(const CellRange& range, Shift shift);
    void insertRows(int row, int count);
    void deleteRows(int row, int count);
    void insertCols(int col, int count);
    void deleteCols(int col, int count);
    void clearRange(const CellRange& range, ClearWhat what);

    // --- copy and paste -------------------------------------------------------------------------
    // A clip holds values, formulas, formats, merges and the pictures of a range, and the row heights
    // (column widths) when it spans whole rows (columns); pasting it (also into another sheet) moves
    // relative formula references by the offset. Values paste the values only (a formula's value as it
    // was when copied); Formats paste formats, merges and sizes; All pastes everything and the
    // pictures. 20053 when the target cuts a block.
    SheetClip copy(const CellRange& range) const;
    enum class PasteWhat { All, Values, Formats };
    void paste(const SheetClip& clip, int row, int col, PasteWhat what = PasteWhat::All);
    QVector<QVector<CellValue>> rangeToArray(const CellRange& range) const;
    void arrayToRange(int row, int col, const QVector<QVector<CellValue>>& values);

    // --- drawing objects ------------------------------------------------------------------------
    // Objects are numbered from 1 in the order they are made; an id is never given twice. Asking for
    // an id that names no object throws errors::InvalidArgument.
    int addPicture(const QImage& image, const CellRange& anchor, const QString& sourcePath = {});
    void restoreObject(const DrawingObject& object); // keeps its id (as read from a file); taken id throws
    int firstObject() const; // throws platform::Error when there is none
    int nextObject(int id) const; // throws platform::Error after the last one
    bool hasObject(int id) const;
    const DrawingObject& object(int id) const;
    QList<int> objectIds() const;
    CellRange objectPosition(int id) const;
    void setObjectPosition(int id, const CellRange& anchor);
    void selectObject(int id);
    void addObjectToSelection(int id);
    QList<int> selectedObjects() const;
    void deleteSelectedObjects();
    void deleteObject(int id);

    // --- page -----------------------------------------------------------------------------------
    const PageSetup& pageSetup() const;
    void setPageSetup(const PageSetup& setup);
    QString printArea() const; // range pieces joined by ",", e.g. "$A$1:$H$40,$A$41:$H$80"; "" = used sheet
    void setPrintArea(const QString& area);
    QString printTitles() const; // rows repeated on every page, e.g. "$1:$2"
    void setPrintTitles(const QString& titles);
    // The rows that begin a printed page, in order (a report lists the first row of each of its pages);
    // rows outside the sheet's limits are dropped. They stay where they are when rows move.
    QList<int> rowPageBreaks() const;
    void setRowPageBreaks(QList<int> rows);

    // Counts every change; views use it to know when to repaint.
    quint64 revision() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// A copied range, independent of the sheet it came from.
class SheetClip
{
public:
    SheetClip();
    ~SheetClip();
    SheetClip(const SheetClip&);
    SheetClip& operator=(const SheetClip&);
    int rowCount() const;
    int colCount() const;
    CellRange source() const;

private:
    friend class Sheet;
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Range texts as spreadsheets write them: "A1", "$B$2", "C3:D9"; columns past Z go on AA, AB...
QString columnName(int col);
int columnNumber(const QString& name); // 0 when not a column name
QString rangeText(const CellRange& range, bool absolute = false);
std::optional<CellRange> parseRangeText(const QString& text);

} // namespace platform::grid

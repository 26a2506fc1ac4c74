#pragma once

#include <algorithm>
#include <QString>
#include <QtGlobal>
#include <variant>

namespace platform::grid
{

// Rows and columns count from 1; sizes are twips (1440 per inch, 567 per centimetre).
constexpr int kTwipsPerInch = 1440;
constexpr int kTwipsPerCm = 567;

// What a whole-row or whole-column selection reports as its far edge.
constexpr int kWholeRowLastCol = 256;
constexpr int kWholeColLastRow = 65536;

// The largest sheet a Sheet holds, as the newer spreadsheet files allow.
constexpr int kMaxSheetRows = 1048576;
constexpr int kMaxSheetCols = 16384;

// An inclusive rectangle of cells.
struct CellRange {
    int row1 = 1, col1 = 1, row2 = 1, col2 = 1;

    static CellRange cell(int row, int col) { return { row, col, row, col }; }
    int rowCount() const { return row2 - row1 + 1; }
    int colCount() const { return col2 - col1 + 1; }
    bool contains(int row, int col) const { return row >= row1 && row <= row2 && col >= col1 && col <= col2; }
    bool contains(const CellRange& o) const
    {
        return o.row1 >= row1 && o.row2 <= row2 && o.col1 >= col1 && o.col2 <= col2;
    }
    bool intersects(const CellRange& o) const
    {
        return o.row1 <= row2 && o.row2 >= row1 && o.col1 <= col2 && o.col2 >= col1;
    }
    CellRange normalized() const
    {
        return { std::min(row1, row2), std::min(col1, col2), std::max(row1, row2), std::max(col1, col2) };
    }
    bool operator==(const CellRange&) const = default;
};

// A formula's error value, shown as a spreadsheet shows it ("#DIV/0!", "#REF!", "#NAME?", "#VALUE!").
struct CellError {
    QString code;
    bool operator==(const CellError&) const = default;
};

// A cell's value: nothing, a number, a text, a logical value or an error.
using CellValue = std::variant<std::monostate, double, QString, bool, CellError>;

// The characters a number cell was written with, which the General format and the text format "@" show
// (a text written is what prints): a number written as a number (typed into the grid as "1,234" or
// "12%", computed, a date's serial) shows as those formats show a number; a number written as the text
// of its digits, as a database shows it ("110101900307123", "0.00001", "100000000004295000000"), or as
// it is typed with its 15 digits ("1E-05", "1.5E+20"), shows that text. Any other format formats the
// number; sums and comparisons read the number alone.
enum class NumberWritten : quint8 { AsNumber, AsDigits, AsTyped };

enum class HAlign { General = 1, Left = 2, Center = 3, Right = 4, Fill = 5, Justify = 6, CenterAcross = 7 };
enum class VAlign { Top = 1, Center = 2, Bottom = 3 };

// Border sides as the stored formats number them; the two inner sides apply between the cells of a range.
enum class BorderSide { Top = 0, Left = 1, Bottom = 2, Right = 3, InnerVertical = -1, InnerHorizontal = -2 };

enum class BorderStyle {
    None = 0,
    Thin = 1,
    Medium = 2,
    Dashed = 3,
    Dotted = 4,
    Thick = 5,
    Double = 6,
    Hair = 7,
    MediumDashed = 8,
    DashDot = 9,
    MediumDashDot = 10,
    DashDotDot = 11,
    MediumDashDotDot = 12,
    SlantedDashDot = 13,
};

// What clearing a range removes.
enum class ClearWhat { All, Formats, Values };

// How an insert or delete moves the cells around the range.
enum class Shift { Horizontal = 1, Vertical = 2, Rows = 3, Columns = 4 };

} // namespace platform::grid

#pragma once

#include "platform/grid/CellFormat.h"

#include <array>
#include <optional>
#include <QString>
#include <QStringList>

namespace platform::grid
{
struct CellRange;
}

// What the cell-format dialog shows and writes: the alignment lists, the border preview (six sides, the
// line-style picker and their grid border styles), the font texts, the enabling rules of the preview,
// and the cell-format object that OK applies, holding only the groups the user changed.
namespace dialogs
{

// The alignment lists' texts; entry i is the grid's code i + 1.
const QStringList& HAlignTexts();
const QStringList& VAlignTexts();
// The code of a list text, 0 for a text not in the list; the text of a code, "" for an unknown code.
int AlignCode(const QStringList& texts, const QString& text);
QString AlignText(const QStringList& texts, int code);

// One line of the border preview: a side drawn or not, its look, width and colour, and whether the twin
// line beside it is shown (a double border).
enum class LineLook { Solid, Dashed, Dotted, DashDot };
struct PreviewLine {
    bool visible = false;
    LineLook look = LineLook::Solid;
    int width = 1;
    bool twin = false;
    QRgb color = 0;
    bool operator==(const PreviewLine&) const = default;
};

// The six sides in the order of the side buttons: left, inner vertical, right, top, inner horizontal,
// bottom.
constexpr int SideCount = 6;
using PreviewSides = std::array<PreviewLine, SideCount>;
struct SideButton {
    QString caption;
    platform::grid::BorderSide gridSide;
};
const std::array<SideButton, SideCount>& SideButtons();
constexpr int InnerVerticalSide = 1;
constexpr int InnerHorizontalSide = 4;

// The preset buttons after the six sides.
enum BorderPreset { NoBorders = 6, OuterBorders = 7, InnerBorders = 8 };

// The seven entries of the line-style picker "线型".
constexpr int LineStyleCount = 7;
// The line that picker entry `entry` draws in `color`.
PreviewLine LineOfEntry(int entry, QRgb color);
// Side `side` drawn with picker entry `entry` in `color`.
void DrawSide(PreviewSides& sides, int side, int entry, QRgb color);
// A right click on a side: the side and its twin hidden.
void ClearSide(PreviewSides& sides, int side);
void ApplyPreset(PreviewSides& sides, BorderPreset preset, int entry, QRgb color);

// A grid border as the preview draws it (an unset border is not drawn), and the grid border that a
// preview line stands for. The preview knows fewer looks than the grid: hair, medium dashed, medium
// dash-dot and the two dash-dot-dot styles come back as thin lines, dash-dot as style 11.
PreviewLine LineOfBorder(const std::optional<platform::grid::Border>& border);
platform::grid::Border BorderOfLine(const PreviewLine& line);

// Which parts of the preview serve the selection: no inner vertical line for one column, no inner
// horizontal line for one row, no "内框" for one cell, none of the three for one merged block; the marks
// show where inner lines fall.
struct BorderEnabling {
    bool innerVertical = true;
    bool innerHorizontal = true;
    bool innerPreset = true;
    bool verticalMarks = false; // marks 1 and 5
    bool horizontalMarks = false; // marks 3 and 7
    bool operator==(const BorderEnabling&) const = default;
};
BorderEnabling BorderEnablingFor(const platform::grid::CellRange& selection, bool oneMergedBlock);

// "粗斜体", "粗体", "斜体" or "规则".
QString FontStyleText(bool bold, bool italic);
// A size rounded to a whole number, halves to the even neighbour (10.5 gives 10).
int WholeFontSize(double size);

// The font as the font chooser holds it.
struct FontChoice {
    QString name;
    double size = platform::grid::kDefaultFontSize;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QRgb color = 0;
    bool operator==(const FontChoice&) const = default;
};

// What the dialog's controls hold, and which groups the user changed.
struct CellFormatForm {
    bool numberChanged = false;
    bool alignmentChanged = false;
    bool fontChanged = false;
    bool bordersChanged = false;
    QString numberFormat; // txtFormat
    QString hAlign; // cboHAlign's text
    QString vAlign;
    Qt::CheckState wrap = Qt::Unchecked; // grey: the cells differ
    Qt::CheckState merge = Qt::Unchecked; // grey: several blocks or cells that differ
    QString fontName; // txtFontName
    QString fontSize; // txtFontSize
    FontChoice font;
    PreviewSides sides;
    bool operator==(const CellFormatForm&) const = default;
};

// The controls for the selection's format, all change flags clear. Properties that the selected cells
// do not share show empty (alignment), grey (wrap, merge) or undrawn (borders); merging shows checked only
// for exactly one merged block.
CellFormatForm FormOfFormat(const platform::grid::CellFormat& format, bool oneMergedBlock);

// The format object of OK: the groups whose flag is set, without what the controls leave undetermined
// (an empty number format, an alignment text not in its list, a grey check box, an empty font name);
// none when no flag is set.
std::optional<platform::grid::CellFormat> BuildCellFormat(const CellFormatForm& form);

// The number-format table report_cell_num_ftm: classes ("文本" first and "常规" second when present,
// then the others as the table gives them), the types of a class, the format of a type, and the class
// and type of a grid format (the text format "@" is listed as "\@"). Failures throw platform::Error.
QStringList NumberClasses();
QStringList NumberTypes(const QString& numberClass);
std::optional<QString> FormatStringOf(const QString& numberClass, const QString& type);
struct NumberEntry {
    QString numberClass;
    QString type;
    bool operator==(const NumberEntry&) const = default;
};
std::optional<NumberEntry> FindNumberFormat(const QString& format);

} // namespace dialogs

#pragma once

#include "platform/grid/GridTypes.h"

#include <optional>
#include <QList>
#include <QSizeF>

namespace platform::grid
{

class Sheet;
class SheetLayout;

// Rows printed at the top of every page that starts below them.
struct TitleRows {
    int first = 1;
    int last = 1;
    bool operator==(const TitleRows&) const = default;
};

// One printed page: its cells, and the title rows repeated above them over the same columns.
struct PrintPage {
    CellRange cells;
    std::optional<TitleRows> titles;
    bool operator==(const PrintPage&) const = default;
};

// The pages of the print pieces in order: each piece starts a new page; its rows go down the page
// while their heights fit, the next ones start the next page; its columns likewise across. A row or
// column that reaches past the page by no more than a pixel at 100 % still prints on it: a new page is
// made for rows and columns that do not fit, never for a rounding remainder or a border line. Pages go
// down then across, or across then down. `room` is the sheet's twips that fit on a page.
QList<PrintPage> planPages(const SheetLayout& layout, const QList<CellRange>& pieces,
    std::optional<TitleRows> titles, QSizeF room, bool acrossThenDown);

// The sheet's print area as pieces ("$A$1:$H$40,$A$41:$H$80"), the used cells when it is empty;
// whole rows and columns reach as far as the sheet is used. Throws platform::Error
// (errors::InvalidArgument) for a text that names no range.
QList<CellRange> printPieces(const Sheet& sheet);
// The sheet's print titles ("$1:$2"), none when empty; throws as printPieces.
std::optional<TitleRows> printTitleRows(const Sheet& sheet);

} // namespace platform::grid

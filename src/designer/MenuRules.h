#pragma once

#include "platform/grid/GridTypes.h"

#include <optional>
#include <QString>
#include <QStringList>

// The designer's decisions that follow the selection and the report type: which commands are enabled,
// which popup menu a right click shows, the area text of the status bar and the column letters of the
// address box. Menu items go by their control names ("mnuMerge"), toolbar buttons by their keys ("Save").
namespace designer
{

enum class SelectionKind { WholeSheet, WholeRows, WholeColumns, Cells };

// Whole rows report their last column as 256, whole columns their last row as 65536.
SelectionKind selectionKindOf(const platform::grid::CellRange& selection);

// What EnableMenus switches on and off together: every command that needs a report.
const QStringList& reportCommands();

// What DisableSelectionMenus switches off before UpdateMenuBySelection enables by the selection.
const QStringList& selectionCommands();

// What UpdateMenuBySelection enables for a selection of a report of the given type.
QStringList commandsEnabledBySelection(const platform::grid::CellRange& selection, int reportType);

enum class GridPopup { None, Row, Col, DesignRegion, ReportRegion };

// The popup menu of a right click on the selection; the marker column of a data report shows the
// region menu, a selection that starts there and goes further none.
GridPopup popupFor(const platform::grid::CellRange& selection, int reportType);

// Panel 1 of the status bar for a click on a cell or heading (row 0 the column headings, column 0 the
// row headings). Column 1 is named the region-marker area in both report types, so that the clerk sees
// the same names whichever kind of report is open.
QString AreaName(int row, int col);

// The letters of a column from 1 (A) to 256 (IV); none outside.
std::optional<QString> ColumnLetters(int col);

} // namespace designer

#include "designer/MenuRules.h"

#include "designer/DesignSelection.h"
#include "store/ReportState.h"

namespace designer
{

using platform::grid::CellRange;

namespace
{

constexpr int MaxColumn = 256;
constexpr int LettersInAlphabet = 26;

bool startsInMarkerColumn(const CellRange& selection, int reportType)
{
    return reportType == store::DataReport && selection.col1 == MarkerColumn;
}

} // namespace

SelectionKind selectionKindOf(const CellRange& selection)
{
    const bool allColumns = selection.col2 == platform::grid::kWholeRowLastCol;
    const bool allRows = selection.row2 == platform::grid::kWholeColLastRow;
    if (allColumns && allRows)
        return SelectionKind::WholeSheet;
    if (allColumns)
        return SelectionKind::WholeRows;
    if (allRows)
        return SelectionKind::WholeColumns;
    return SelectionKind::Cells;
}

const QStringList& reportCommands()
{
    static const QStringList commands { "mnuSave", "mnuAddRegion", "mnuCellFormat", "mnuClearContent",
        "mnuClearFormat", "mnuCol", "mnuColWidth", "mnuDataSource", "mnuDeleteCol", "mnuDeleteRegion",
        "mnuDeleteReport", "mnuDeleteRow", "mnuInsertColLeft", "mnuInsertColRight", "mnuInsertRowAbove",
        "mnuInsertRowBelow", "mnuMerge", "mnuPageSetup", "mnuRename", "mnuResize", "mnuPreview", "mnuRow",
        "mnuRowHeight", "mnuParameterSet", "Save", "PageSetup", "Preview", "InsertRow", "InsertCol",
        "CellFormat", "DataSource", "Resize", "Parameter" };
    return commands;
}

const QStringList& selectionCommands()
{
    static const QStringList commands { "mnuInsertRowAbove", "mnuInsertRowBelow", "mnuInsertColLeft",
        "mnuInsertColRight", "mnuDeleteCol", "mnuDeleteRow", "mnuRowHeight", "mnuColWidth", "mnuCellFormat",
        "mnuDataSource", "mnuDeleteRegion", "InsertCol", "InsertRow", "CellFormat", "DataSource" };
    return commands;
}

QStringList commandsEnabledBySelection(const CellRange& selection, int reportType)
{
    switch (selectionKindOf(selection)) {
    case SelectionKind::WholeSheet:
        return { "mnuColWidth", "mnuRowHeight" };
    case SelectionKind::WholeRows:
        return { "mnuInsertRowAbove", "mnuInsertRowBelow", "mnuColWidth", "mnuRowHeight", "mnuDeleteRow",
            "InsertRow" };
    case SelectionKind::WholeColumns:
        return { "mnuInsertColLeft", "mnuInsertColRight", "mnuColWidth", "mnuRowHeight", "mnuDeleteCol",
            "InsertCol" };
    case SelectionKind::Cells:
        break;
    }
    QStringList commands { "mnuInsertRowAbove", "mnuInsertRowBelow", "mnuInsertColLeft", "mnuInsertColRight",
        "mnuDeleteCol", "mnuDeleteRow" };
    if (!startsInMarkerColumn(selection, reportType))
        commands << "mnuCellFormat"
                 << "mnuDataSource"
                 << "mnuColWidth"
                 << "CellFormat"
                 << "DataSource";
    commands << "mnuAddRegion"
             << "mnuDeleteRegion"
             << "mnuRowHeight"
             << "InsertRow"
             << "InsertCol";
    return commands;
}

GridPopup popupFor(const CellRange& selection, int reportType)
{
    switch (selectionKindOf(selection)) {
    case SelectionKind::WholeSheet:
        return GridPopup::None;
    case SelectionKind::WholeColumns:
        return GridPopup::Col;
    case SelectionKind::WholeRows:
        return GridPopup::Row;
    case SelectionKind::Cells:
        break;
    }
    if (selection.col1 == MarkerColumn && selection.col2 == MarkerColumn)
        return reportType == store::DataReport ? GridPopup::ReportRegion : GridPopup::DesignRegion;
    return startsInMarkerColumn(selection, reportType) ? GridPopup::None : GridPopup::DesignRegion;
}

QString AreaName(int row, int col)
{
    if (row == 0 && col == 0)
        return QStringLiteral("报表设计器");
    if (row == 0)
        return QStringLiteral("列标志区");
    if (col == 0)
        return QStringLiteral("行标志区");
    if (col == MarkerColumn)
        return QStringLiteral("报表区域标志区");
    return QStringLiteral("报表设计区域");
}

std::optional<QString> ColumnLetters(int col)
{
    if (col < 1 || col > MaxColumn)
        return std::nullopt;
    const int last = (col - 1) % LettersInAlphabet;
    const int first = (col - 1) / LettersInAlphabet;
    QString letters;
    if (first > 0)
        letters += QChar(u'A' + first - 1);
    letters += QChar(u'A' + last);
    return letters;
}

} // namespace designer

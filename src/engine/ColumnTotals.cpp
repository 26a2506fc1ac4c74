#include "engine/ColumnTotals.h"

#include "engine/EngineState.h"
#include "engine/FieldMarks.h"
#include "engine/PageLayout.h"
#include "engine/TextAnswer.h"
#include "platform/grid/Sheet.h"

namespace engine
{

namespace
{

// The number a cell shows, when it shows one.
std::optional<double> cellNumber(const platform::grid::Sheet& grid, int row, int col)
{
    const platform::grid::CellValue value = grid.value(row, col);
    if (const double* number = std::get_if<double>(&value))
        return *number;
    if (const QString* text = std::get_if<QString>(&value)) {
        bool isNumber = false;
        const double number = text->trimmed().toDouble(&isNumber);
        if (isNumber)
            return number;
    }
    return std::nullopt;
}

} // namespace

int TotalColumn(const DataReportRun& run, int totalIndex)
{
    thread_local TextAnswer<int> column(
        [](QStringView text) { return ColumnLettersToNumber(text.toString().remove(u'&')); });
    return column(run.TotalCells.at(totalIndex).text);
}

QVector<int> TotalColumns(const DataReportRun& run)
{
    QVector<int> columns;
    for (int t = 0; t < run.TotalCells.size(); ++t)
        columns.append(TotalColumn(run, t));
    return columns;
}

void GatherTotalRow(DataReportRun& run, int col, int row)
{
    const QVector<int>& columns = run.TotalCellColumns;
    auto& totals = run.TotalCells;
    for (int t = 0; t < columns.size() && t < totals.size(); ++t) {
        if (columns[t] == col)
            totals[t].totalRows.append(row);
    }
}

void AddUpColumnTotals(DataReportRun& run, const platform::grid::Sheet& grid, int totalIndex, int row)
{
    ReportCellItem& total = run.TotalCells[totalIndex];
    if (!total.text.isEmpty()) {
        const int col = TotalColumn(run, totalIndex);
        const auto addUp = [&](int r) {
            if (const auto number = cellNumber(grid, r, col))
                total.totalValue += *number;
        };
        if (total.totalRows.isEmpty())
            addUp(row);
        for (const int r : std::as_const(total.totalRows))
            addUp(r);
    }
    // The list keeps its room for the next record.
    total.totalRows.clear();
}

void FillTotalRow(const DataReportRun& run, platform::grid::Sheet& grid)
{
    const int lastPage = run.CurrentPage - 1;
    if (lastPage < 0)
        return;
    for (int t = 0; t < run.TotalCells.size(); ++t) {
        const ReportCellItem& total = run.TotalCells[t];
        if (total.row > 0 && total.col > 0)
            grid.setNumber(SheetRowOfPageRow(run, lastPage, total.row), total.col, total.totalValue,
                platform::grid::NumberWritten::AsDigits);
    }
}

int HideTotalRows(const DataReportRun& run, platform::grid::Sheet& grid, int page)
{
    int hidden = 0;
    for (const ReportCellItem& total : run.TotalCells) {
        if (total.row <= 0)
            continue;
        const int row = SheetRowOfPageRow(run, page, total.row);
        hidden += grid.rowHeight(row);
        grid.setRowHeight(row, 0);
    }
    return hidden;
}

} // namespace engine

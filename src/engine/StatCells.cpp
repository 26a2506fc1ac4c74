#include "engine/StatCells.h"

#include "engine/CellQueries.h"
#include "engine/CellValues.h"
#include "engine/OutputForm.h"
#include "engine/StatisticsRun.h"
#include "engine/StatPagination.h"
#include "engine/SystemVariables.h"
#include "engine/TemplateCells.h"
#include "platform/grid/PictureFile.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/FailureLog.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SpecialFormulaObject.h"
#include "platform/outside/SqlFormulaObject.h"
#include "platform/outside/StatExpressionObject.h"
#include "store/ReportState.h"

#include <algorithm>

namespace engine
{

namespace
{

QString withReportParameters(const QString& text)
{
    if (!text.contains(u'&'))
        return text;
    const store::ReportState& state = store::reportState();
    const auto expressions = platform::outside::sharedStatExpression();
    expressions->setConnection(state.Connection);
    expressions->setReportId(state.ReportId);
    return expressions->evaluate(text);
}

void growSheetToCells(StatisticsRun& run)
{
    for (const ReportCellItem& cell : run.StatCells) {
        run.StatRowCount = std::max(run.StatRowCount, cell.row);
        run.StatColCount = std::max(run.StatColCount, cell.col);
    }
}

void writeValue(StatisticsRun& run, platform::grid::Sheet& grid, const ReportCellItem& cell,
    const QVector<int>& pageStarts)
{
    const QString& letter = cell.letter;
    const QString& text = cell.text;
    if (letter == QLatin1String("A")) {
        WriteCellText(grid, withReportParameters(text));
    } else if (letter == QLatin1String("C")) {
        // The cells are written before the top-margin row is inserted above them.
        const int sheetRow = grid.activeRow() + 1;
        WriteCellText(
            grid, ExpandPageMacros(text, StatPageOfRow(pageStarts, sheetRow), int(pageStarts.size())));
    } else if (letter == QLatin1String("D")) {
        InsertStatPicture(run, grid, text.trimmed());
    } else if (letter == QLatin1String("E")) {
        WriteCellText(grid, EvalKindE(text));
    } else if (letter == QLatin1String("F")) {
        const QString formula = text.trimmed();
        grid.setFormula(
            grid.activeRow(), grid.activeCol(), formula.startsWith(u'=') ? formula.mid(1) : formula);
    } else if (letter == QLatin1String("G")) {
        WriteCellText(grid, GetSQLValue(text));
    } else if (letter == QLatin1String("H")) {
        EvalKindH(grid, text);
    }
}

} // namespace

void GetRptDataInfo(StatisticsRun& run, DataReportRun& report)
{
    run.StatCells.clear(); // a report whose cells cannot be read shows none of an earlier one's
    platform::outside::runLogged(
        "GetRptDataInfo", [&] { ReadRptDataItems(run, CurrentTemplateRows(report).cells); });
}

void GetRptTextAndPictureData(StatisticsRun& run, DataReportRun& report)
{
    QList<TemplateCellRow> cells;
    for (const TemplateCellRow& cell : CurrentTemplateRows(report).cells) {
        if (cell.letter == QLatin1String("A") || cell.letter == QLatin1String("D"))
            cells.append(cell);
    }
    ReadRptDataItems(run, cells);
}

void ReadRptDataItems(StatisticsRun& run, const QList<TemplateCellRow>& cells)
{
    QVector<ReportCellItem>& items = run.StatCells;
    items.clear();
    items.reserve(cells.size());
    for (const TemplateCellRow& cell : cells)
        items.append(ParseCellExpression(nullptr, cell.row, cell.col, cell.letter, cell.content.mid(3)));
}

void WriteData(StatisticsRun& run, platform::grid::Sheet& grid)
{
    growSheetToCells(run);
    const QVector<int> pageStarts = PlannedStatPageStarts(run, grid);
    for (const ReportCellItem& cell : run.StatCells) {
        if (cell.row == 0 || cell.col == 0)
            continue;
        platform::outside::runLogged("WriteData", [&] {
            grid.select(cell.row, cell.col, cell.row, cell.col);
            WriteStatCell(run, grid, cell, pageStarts);
        });
    }
    if (run.Output && run.StatPictureCount > 0)
        run.Output->picturesLoaded(run.StatPictures);
}

void WriteStatCell(StatisticsRun& run, platform::grid::Sheet& grid, const ReportCellItem& cell,
    const QVector<int>& pageStarts)
{
    platform::outside::runLogged("WriteStatCell", [&] { writeValue(run, grid, cell, pageStarts); });
}

QString EvalKindE(const QString& formula)
{
    platform::outside::SpecialFormulaObject evaluator;
    evaluator.setConnection(store::reportState().Connection);
    evaluator.setFormula(formula);
    return evaluator.result();
}

void EvalKindH(platform::grid::Sheet& grid, const QString& formulaName)
{
    platform::outside::SqlFormulaObject evaluator;
    evaluator.setConnection(store::reportState().Connection);
    evaluator.setFormula(formulaName);
    WriteCellText(grid, evaluator.result());
}

void InsertStatPicture(StatisticsRun& run, platform::grid::Sheet& grid, const QString& path)
{
    const QImage picture = platform::outside::logged(
        "InsertStatPicture", QImage(), [&] { return platform::grid::readPictureFile(path); });
    const int objectId = picture.isNull() ? 0 : grid.addPicture(picture, grid.selection(), path);
    ++run.StatPictureCount;
    run.StatPictures.append(picture);
    run.StatPictureIds.append(objectId);
}

QString ExpandPageMacros(const QString& text, int page, int pageCount)
{
    return ExpandSysVariables(text, [&](QChar letter) {
        if (letter == u'p')
            return QString::number(page);
        if (letter == u'P')
            return QString::number(pageCount);
        return RunFreeSysVariableValue(letter);
    });
}

} // namespace engine

#include "engine/TemplateCells.h"

#include "engine/CellValues.h"
#include "engine/ColumnTotals.h"
#include "engine/EngineState.h"
#include "engine/RecordFields.h"
#include "engine/SqlClauses.h"
#include "engine/TemplateRows.h"
#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/FailureLog.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SqlAdapterObject.h"
#include "platform/outside/StatExpressionObject.h"
#include "store/CellSourceText.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"

namespace engine
{

namespace
{

const QString Source = QStringLiteral("TemplateCells");

// The body of a stored cell, or none (logged) when its content is no content text.
std::optional<QString> cellBody(const TemplateCellRow& cell, const char* procedure)
{
    const auto parsed = store::CellSourceText::parse(cell.content);
    if (parsed)
        return parsed->body;
    platform::outside::reportFailure(procedure,
        platform::Error(platform::errors::InvalidArgument, Source,
            QStringLiteral("第%1行第%2列的内容格式不对（应为 @字母|内容）：%3")
                .arg(cell.row)
                .arg(cell.col)
                .arg(cell.content)));
    return std::nullopt;
}

ReportCellItem cellItem(int row, int col, const QString& letter, const QString& text)
{
    ReportCellItem item;
    item.row = row;
    item.col = col;
    item.letter = letter;
    item.text = text;
    return item;
}

bool isStatementSource(const QString& letter)
{
    return letter == QLatin1String("I") || letter == QLatin1String("K");
}

// A statement cell of the detail band: its own record set, in slot `slot` (from 1) of CellRecordsets.
// "K" and "L" statements read from the report's data (its tables, conditions and order).
ReportCellItem prepareCellDataSource(
    DataReportRun& run, int row, int col, const QString& letter, const QString& body, int slot)
{
    ReportCellItem item = cellItem(row, col, letter, body);
    item.fieldIndex = slot;
    run.CellRecordsets.resize(slot);
    const bool opened = platform::outside::runLogged("GetRptDetailData", [&] {
        const store::ReportState& state = store::reportState();
        QString sql = body;
        if (sql.contains(u'&')) {
            const auto expressions = platform::outside::sharedStatExpression();
            expressions->setConnection(state.Connection);
            expressions->setReportId(state.ReportId);
            sql = expressions->evaluateSql(sql);
        }
        const qsizetype from
            = IndexInCode(sql, QLatin1String(" from "), SqlReading::of(state.Connection.get(), sql));
        if ((letter == QLatin1String("K") || letter == QLatin1String("L")) && from >= 0)
            sql = sql.left(from + 1) + QStringLiteral(" from ") + run.SourceSqlTail;
        if (!state.Connection)
            throw platform::Error(
                platform::errors::InvalidArgument, Source, QStringLiteral("没有数据库连接"));
        try {
            run.CellRecordsets[slot - 1]
                = platform::outside::sharedSqlAdapter()->open(sql, *state.Connection);
        } catch (const platform::Error& error) {
            throw platform::Error(error.number(), error.source(),
                QStringLiteral("第%1行第%2列的子查询不能打开：%3")
                    .arg(row - 1)
                    .arg(col)
                    .arg(error.description()));
        }
    });
    if (!opened)
        item.fieldIndex = -1;
    return item;
}

void closeCellRecordsets(DataReportRun& run)
{
    for (auto& recordset : run.CellRecordsets) {
        if (recordset && recordset->isOpen())
            recordset->close();
    }
    run.CellRecordsets.clear();
}

} // namespace

void LoadOuterCellData(DataReportRun& run)
{
    run.HeadCells.clear();
    run.GroupCells.clear();
    run.TotalCells.clear();
    const DetailBand band = CurrentDetailBand(run);
    for (const TemplateCellRow& cell : CurrentTemplateRows(run).cells) {
        if (band.contains(cell.row) || cell.letter == QLatin1String("A") || cell.letter == QLatin1String("D"))
            continue;
        const auto body = cellBody(cell, "LoadOuterCellData");
        if (!body)
            continue;
        const ReportCellItem item
            = ParseCellExpression(&run, PageRowOfTemplateRow(run, cell.row), cell.col, cell.letter, *body);
        if (cell.letter == QLatin1String("B") && IsGroupRegionRow(run, cell.row))
            run.GroupCells.append(item);
        else if (cell.letter == QLatin1String("R"))
            run.TotalCells.append(item);
        else
            run.HeadCells.append(item);
    }
    run.TotalCellColumns = TotalColumns(run);
}

void GetRptDetailData(DataReportRun& run)
{
    platform::outside::runLogged("GetRptDetailData", [&run] {
        run.DetailCells.clear();
        closeCellRecordsets(run);
        const DetailBand band = CurrentDetailBand(run);
        for (const TemplateCellRow& cell : CurrentTemplateRows(run).cells) {
            if (!band.contains(cell.row))
                continue;
            const auto body = cellBody(cell, "GetRptDetailData");
            if (!body)
                continue;
            const int row = cell.row + 1;
            if (isStatementSource(cell.letter)) {
                const int slot = int(run.CellRecordsets.size()) + 1;
                run.DetailCells.append(prepareCellDataSource(run, row, cell.col, cell.letter, *body, slot));
            } else {
                run.DetailCells.append(ParseCellExpression(&run, row, cell.col, cell.letter, *body));
            }
        }
    });
}

void FillRptFixedText(DataReportRun& run, platform::grid::Sheet& grid, bool atSheetTop)
{
    const DetailBand band = CurrentDetailBand(run);
    const int offset = atSheetTop ? 0 : run.PageFirstRow;
    for (const TemplateCellRow& cell : CurrentTemplateRows(run).cells) {
        if (cell.letter != QLatin1String("A") || band.contains(cell.row))
            continue;
        const auto body = cellBody(cell, "FillRptFixedText");
        if (!body)
            continue;
        const int row = PageRowOfTemplateRow(run, cell.row) + offset;
        grid.select(row, cell.col, row, cell.col);
        SetCellDataValue(run, grid, cellItem(row, cell.col, cell.letter, *body), CellContext {});
    }
}

ReportCellItem ParseCellExpression(
    const DataReportRun* run, int row, int col, const QString& letter, const QString& text)
{
    ReportCellItem item = cellItem(row, col, letter, text);
    if (letter != QLatin1String("B"))
        return item;
    const store::FieldBody field = store::FieldBody::split(text);
    if (!field.options.isEmpty())
        NextExpressionTerm(text, item.option1, item.option2);
    const platform::db::Recordset* buffer = run ? run->RecordBufferRs.get() : nullptr;
    item.fieldIndex = buffer ? FindRecordField(*buffer, field.name, run->usesHostRecordset()) : -1;
    item.text = ReferenceColumn(field.name);
    return item;
}

void NextExpressionTerm(const QString& text, QString& option1, QString& option2)
{
    if (text.trimmed().isEmpty())
        return;
    QString pieces[2];
    int taken = 0;
    qsizetype lastClose = -1;
    for (qsizetype open = text.indexOf(u'&'); open >= 0 && taken < 2;) {
        const qsizetype close = text.indexOf(u'&', open + 1);
        if (close < 0) {
            pieces[taken] = text.mid(lastClose + 1, open - lastClose - 1);
            break;
        }
        pieces[taken++] = text.mid(open + 1, close - open - 1);
        lastClose = close;
        open = text.indexOf(u'&', close + 1);
    }
    option1 = pieces[0];
    option2 = pieces[1];
}

bool IsGroupRegionRow(const DataReportRun& run, int templateRow)
{
    const store::RegionTable& regions = run.definition().regions;
    for (const store::RegionEntry entry : { store::RegionEntry::GroupHead1, store::RegionEntry::GroupHead2,
             store::RegionEntry::GroupHead3, store::RegionEntry::GroupTail3, store::RegionEntry::GroupTail2,
             store::RegionEntry::GroupTail1 }) {
        if (RowInRegion(templateRow, regions[entry]))
            return true;
    }
    return false;
}

bool RowInRegion(int templateRow, const store::ReportRegion& region)
{
    return region.present && region.beginRow <= templateRow && templateRow <= region.endRow;
}

} // namespace engine

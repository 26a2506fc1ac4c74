#include "engine/TemplateRows.h"

#include "engine/EngineState.h"
#include "engine/PageGeometry.h"
#include "platform/db/Recordset.h"
#include "platform/grid/GridTypes.h"
#include "store/ContentSplit.h"
#include "store/DefinitionCheck.h"
#include "store/FormatProperties.h"
#include "store/PropertyItems.h"
#include "store/ReportKeywords.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

namespace engine
{

namespace
{

QList<TemplateFormatRow> readFormats()
{
    const auto rows = store::openStoreSql(QStringLiteral("select * from report_format where report_id=")
        + store::reportIdLiteral() + QStringLiteral(" order by format_order"));
    const store::DesignSheetBounds bounds = store::loadedSheetBounds();
    QList<TemplateFormatRow> formats;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        TemplateFormatRow format;
        format.beginRow = rows->value(QStringLiteral("begin_row_no")).toInt();
        format.beginCol = rows->value(QStringLiteral("begin_col_no")).toInt();
        format.endRow = rows->value(QStringLiteral("end_row_no")).toInt();
        format.endCol = rows->value(QStringLiteral("end_col_no")).toInt();
        format.kind = store::trimBlanks(rows->text(QStringLiteral("format_type")));
        const QString description = store::trimBlanks(rows->text(QStringLiteral("format_description")));
        if (format.kind == store::keywords::RowHeight || format.kind == store::keywords::ColWidth)
            format.sizes = ParseSizeList(description);
        else if (bounds.contains(format.beginRow, format.beginCol, format.endRow, format.endCol))
            store::ApplyFormatProperties(format.format, format.kind, description);
        else
            continue; // off the design sheet: the definition check has logged it
        formats.append(format);
    }
    return formats;
}

QList<TemplateCellRow> readCells()
{
    const auto rows = store::openStoreSql(QStringLiteral("select * from report_data where report_id=")
        + store::reportIdLiteral() + QStringLiteral(" order by data_type, row_no, col_no"));
    const store::DesignSheetBounds bounds = store::loadedSheetBounds();
    QList<TemplateCellRow> cells;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        const int row = rows->value(QStringLiteral("row_no")).toInt();
        const int col = rows->value(QStringLiteral("col_no")).toInt();
        if (!bounds.contains(row, col))
            continue; // off the design sheet: the definition check has logged it
        cells.append({ row, col, store::trimBlanks(rows->text(QStringLiteral("data_type"))),
            store::joinContent(rows->text(QStringLiteral("data_description1")),
                rows->text(QStringLiteral("data_description2"))) });
    }
    return cells;
}

} // namespace

QList<SizeItem> ParseSizeList(const QString& list)
{
    QList<SizeItem> items;
    for (const store::PropertyItem& item : store::propertyItems(list)) {
        const auto index = store::toLong(item.name);
        const auto twips = store::toDouble(item.value);
        // A row beyond the sheet has no page row (its sum with the rows above it would overflow).
        if (index && twips && *index <= platform::grid::kMaxSheetRows)
            items.append({ *index, *twips });
    }
    return items;
}

const TemplateRows& CurrentTemplateRows()
{
    DataEngineState& engine = dataEngine();
    const store::ReportState& state = store::reportState();
    if (!engine.Template || engine.Template->reportId != state.ReportId
        || engine.Template->connection != state.Connection.get()) {
        auto rows = std::make_shared<TemplateRows>();
        rows->connection = state.Connection.get();
        rows->reportId = state.ReportId;
        rows->formats = readFormats();
        rows->cells = readCells();
        engine.Template = std::move(rows);
    }
    return *engine.Template;
}

DetailBand CurrentDetailBand()
{
    const store::ReportRegion& region = store::reportState().RegionTable[store::RegionEntry::DataDetail];
    return { region.present, region.beginRow, region.endRow };
}

int PageRowOfTemplateRow(int templateRow)
{
    const int row = templateRow + 1;
    if (!CurrentDetailBand().isBelow(templateRow))
        return row;
    return row + (dataEngine().RecordsPerPage - 1) * GetDetailRowCount();
}

} // namespace engine

#include "engine/TemplateRows.h"

#include "engine/EngineState.h"
#include "engine/PageGeometry.h"
#include "platform/grid/GridTypes.h"
#include "store/DefinitionCheck.h"
#include "store/FormatProperties.h"
#include "store/ReportDefinition.h"

namespace engine
{

namespace
{

QList<TemplateFormatRow> layOutFormats(const store::ReportDefinition& definition)
{
    const store::DesignSheetBounds bounds = store::definitionSheetBounds(definition);
    QList<TemplateFormatRow> formats;
    for (const store::StoredFormatRow& row : definition.formats) {
        TemplateFormatRow format { row.beginRow, row.beginCol, row.endRow, row.endCol, row.kind, {}, {} };
        if (row.kind == store::keywords::RowHeight || row.kind == store::keywords::ColWidth) {
            // A row beyond the sheet has no page row (its sum with the rows above it would overflow).
            for (const SizeItem& item : row.sizes) {
                if (item.index <= platform::grid::kMaxSheetRows)
                    format.sizes.append(item);
            }
        } else if (bounds.contains(row.beginRow, row.beginCol, row.endRow, row.endCol)) {
            store::ApplyFormatProperties(format.format, row.kind, row.description);
        } else {
            continue; // off the design sheet: the definition check has logged it
        }
        formats.append(format);
    }
    return formats;
}

QList<TemplateCellRow> layOutCells(const store::ReportDefinition& definition)
{
    const store::DesignSheetBounds bounds = store::definitionSheetBounds(definition);
    QList<TemplateCellRow> cells;
    for (const store::StoredCell& cell : definition.cells) {
        if (bounds.contains(cell.row, cell.col))
            cells.append({ cell.row, cell.col, cell.letter, cell.content });
    }
    return cells;
}

} // namespace

const TemplateRows& CurrentTemplateRows(DataReportRun& run)
{
    if (!run.Template) {
        const store::ReportDefinition& definition = run.definition();
        run.Template = std::make_shared<const TemplateRows>(
            TemplateRows { layOutFormats(definition), layOutCells(definition) });
    }
    return *run.Template;
}

DetailBand CurrentDetailBand(const DataReportRun& run)
{
    const store::ReportRegion& region = run.definition().regions[store::RegionEntry::DataDetail];
    return { region.present, region.beginRow, region.endRow };
}

int PageRowOfTemplateRow(const DataReportRun& run, int templateRow)
{
    const int row = templateRow + 1;
    if (!CurrentDetailBand(run).isBelow(templateRow))
        return row;
    return row + (run.RecordsPerPage - 1) * GetDetailRowCount(run);
}

} // namespace engine

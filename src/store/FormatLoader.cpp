#include "store/FormatLoader.h"

#include "platform/grid/Sheet.h"
#include "store/FormatProperties.h"
#include "store/ReportDefinition.h"
#include "store/SizeLists.h"

namespace store
{

namespace
{

void applyFormatRow(platform::grid::Sheet& grid, const StoredFormatRow& row)
{
    if (row.kind == keywords::RowHeight) {
        SetGridRowHeights(grid, row.sizes);
    } else if (row.kind == keywords::ColWidth) {
        SetGridColWidths(grid, row.sizes);
    } else {
        platform::grid::CellFormat format;
        ApplyFormatProperties(format, row.kind, row.description);
        grid.applyFormat({ row.beginRow, row.beginCol, row.endRow, row.endCol }, format);
    }
}

} // namespace

void LoadAllFormats(platform::grid::Sheet& grid, const ReportDefinition& definition)
{
    for (const QString* kind :
        { &keywords::Font, &keywords::Alignment, &keywords::Border, &keywords::InputFormat,
            &keywords::WrapText, &keywords::RowHeight, &keywords::ColWidth, &keywords::Merge }) {
        for (const StoredFormatRow& row : definition.formats) {
            if (row.kind != *kind)
                continue;
            try {
                applyFormatRow(grid, row);
            } catch (const std::exception&) {
                // this row only is lost; the report still opens
            }
        }
    }
}

} // namespace store

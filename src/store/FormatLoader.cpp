#include "store/FormatLoader.h"

#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "platform/grid/Sheet.h"
#include "store/FormatProperties.h"
#include "store/ReportKeywords.h"
#include "store/SizeLists.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

#include <optional>

namespace store
{

namespace
{

std::optional<platform::grid::CellRange> rectangleOf(const platform::db::Recordset& row)
{
    const auto number = [&](const char* column) { return toLong(row.text(QLatin1String(column))); };
    const auto row1 = number("begin_row_no");
    const auto col1 = number("begin_col_no");
    const auto row2 = number("end_row_no");
    const auto col2 = number("end_col_no");
    if (!row1 || !col1 || !row2 || !col2)
        return std::nullopt;
    return platform::grid::CellRange { *row1, *col1, *row2, *col2 };
}

void applyFormatRow(platform::grid::Sheet& grid, const QString& kind, const platform::db::Recordset& row)
{
    const QString text = trimBlanks(row.text(QStringLiteral("format_description")));
    if (kind == keywords::RowHeight) {
        SetGridRowHeights(grid, text);
    } else if (kind == keywords::ColWidth) {
        SetGridColWidths(grid, text);
    } else if (const auto range = rectangleOf(row)) {
        platform::grid::CellFormat format;
        ApplyFormatProperties(format, kind, text);
        grid.applyFormat(*range, format);
    }
}

} // namespace

void ApplyFormatRows(platform::grid::Sheet& grid, const QString& kind, platform::db::Recordset& rows)
{
    for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
        try {
            applyFormatRow(grid, kind, rows);
        } catch (const std::exception&) {
            // this row only is lost; the report still opens
        }
    }
}

void LoadFormatType(platform::grid::Sheet& grid, const QString& kind)
{
    const auto rows = openStoreSql(QStringLiteral("select * from report_format where report_id =")
        + reportIdLiteral() + QStringLiteral(" and format_type =") + platform::db::sqlText(kind)
        + QStringLiteral(" order by format_order"));
    ApplyFormatRows(grid, kind, *rows);
}

void LoadAllFormats(platform::grid::Sheet& grid)
{
    for (const QString* kind :
        { &keywords::Font, &keywords::Alignment, &keywords::Border, &keywords::InputFormat,
            &keywords::WrapText, &keywords::RowHeight, &keywords::ColWidth, &keywords::Merge })
        LoadFormatType(grid, *kind);
}

} // namespace store

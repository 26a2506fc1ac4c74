#include "store/CellContentStore.h"

#include "platform/grid/Sheet.h"
#include "store/CellSourceText.h"
#include "store/ContentSplit.h"
#include "store/FieldNames.h"
#include "store/GridScan.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

namespace store
{

namespace
{

const QString FieldPrefix = QStringLiteral("@B|");

// A field content with its field name passed through `translate`, options kept as they are.
QString withFieldName(const QString& content, QString (*translate)(const QString&))
{
    const FieldBody field = FieldBody::split(content.mid(FieldPrefix.size()));
    return FieldPrefix + translate(field.name) + field.options;
}

} // namespace

void LoadRptData(platform::grid::Sheet& grid, const ReportDefinition& definition)
{
    for (const StoredCell& cell : definition.cells) {
        if (cell.row < 1 || cell.col < 1)
            continue;
        const QString& content = cell.content;
        grid.setText(
            cell.row, cell.col, isFieldCellText(content) ? withFieldName(content, GetFieldChnName) : content);
    }
}

void UpdateRptDataToDB(const platform::grid::CellRange& range, const QString& text)
{
    QString content = trimBlanks(text);
    if (content.isEmpty())
        return;
    const QString dataType = storedDataType(content);
    if (isFieldCellText(content))
        content = withFieldName(content, GetNameByChn);
    const ContentParts parts = splitContent(content);
    executeStoreSql(QStringLiteral("insert into report_data(report_id,row_no,col_no,data_type,data_description1,"
                                   "data_description2) values(?,?,?,?,?,?)"),
        { reportState().ReportId, range.row1, range.col1, dataType, parts.first, parts.rest });
}

void GetRptDataInfo(const platform::grid::Sheet& grid, int firstRow, int firstCol, int lastRow, int lastCol)
{
    for (const platform::grid::CellRange& range : scanRanges(grid, firstRow, firstCol, lastRow, lastCol))
        UpdateRptDataToDB(range, grid.entry(range.row1, range.col1));
}

} // namespace store

#include "engine/FieldMarks.h"

#include "engine/EngineState.h"
#include "engine/PageGeometry.h"
#include "engine/RecordFields.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/StatementMarks.h"
#include "platform/Error.h"
#include "platform/grid/Sheet.h"
#include "store/ReportDefinition.h"
#include "store/StoreSql.h"

#include <algorithm>

namespace engine
{

namespace
{

const QString Source = QStringLiteral("ReplaceFieldMarks");
constexpr int UnknownField = 3265; // the record set's number for a field it does not have

bool isAutoRows(const DataReportRun& run)
{
    return run.definition().page.DataRows == store::keywords::DataRowsAutoMode;
}

// "#C3$#": the sheet row of template row 3 on the page.
QString pageCellText(const DataReportRun& run, platform::grid::Sheet& grid, const QString& token, int page)
{
    const QString name = QString(token).remove(u'$');
    const qsizetype firstDigit
        = std::find_if(name.begin(), name.end(), [](QChar c) { return c.isDigit(); }) - name.begin();
    bool ok = false;
    const int templateRow = name.mid(firstDigit).toInt(&ok);
    if (firstDigit >= name.size() || !ok)
        throw platform::Error(
            platform::errors::InvalidArgument, Source, QStringLiteral("单元格标记 #%1# 没有行号").arg(token));
    const int r = templateRow + 1;
    int sheetRow = run.PageSheetRows * page + r;
    if (isAutoRows(run) && page < run.PageRowRanges.size())
        sheetRow = run.PageRowRanges[page].firstRow + r - 1;
    return grid.text(sheetRow, ColumnLettersToNumber(name.left(firstDigit)));
}

// "#C&#": the detail cell of column C in the block of the record.
QString detailCellText(const DataReportRun& run, platform::grid::Sheet& grid, const QString& token, int& row,
    int page, int recordPosition)
{
    const int col = ColumnLettersToNumber(QString(token).remove(u'&'));
    for (const ReportCellItem& cell : run.DetailCells) {
        if (cell.col != col)
            continue;
        row = isAutoRows(run)
            ? recordPosition
            : (recordPosition - 1) * GetDetailRowCount(run) + cell.row + run.PageSheetRows * page;
        break;
    }
    return grid.text(row, col).trimmed();
}

QVariant markValue(const DataReportRun& run, platform::grid::Sheet& grid, const QString& token, int& row,
    int page, int recordPosition)
{
    if (token.contains(u'&'))
        return detailCellText(run, grid, token, row, page, recordPosition);
    if (token.contains(u'$'))
        return pageCellText(run, grid, token, page);
    return GetRecordFieldValue(run, token);
}

bool isComparisonEquals(const QString& before)
{
    if (!before.endsWith(u'='))
        return false;
    const QString op = before.chopped(1);
    return !(op.endsWith(u'<') || op.endsWith(u'>') || op.endsWith(u'!'));
}

} // namespace

QString ReplaceFieldMarks(const DataReportRun& run, platform::grid::Sheet& grid, const QString& sql, int& row,
    int page, int recordPosition)
{
    using platform::db::MarkValue;
    if (sql.size() < 3)
        return QString();
    return platform::db::fillMarks(
        store::storeConnection(), sql, u'#', true, [&](const QString& token, bool inCode, QString& done) {
            const QVariant value = markValue(run, grid, token, row, page, recordPosition);
            if (!value.isNull() && !value.toString().trimmed().isEmpty())
                return MarkValue { MarkValue::Kind::Text, value.toString() };
            const QString before = done.trimmed();
            if (inCode && isComparisonEquals(before)) {
                done = before.chopped(1);
                return MarkValue { MarkValue::Kind::Sql, QStringLiteral(" is null ") };
            }
            return MarkValue { MarkValue::Kind::Null, {} };
        });
}

QVariant GetRecordFieldValue(const DataReportRun& run, const QString& name)
{
    const platform::db::Recordset* record = run.RecordBufferRs.get();
    const int index = record ? FindRecordField(*record, name, run.usesHostRecordset()) : -1;
    if (index < 0)
        throw platform::Error(
            UnknownField, Source, QStringLiteral("字段标记 #%1# 不是当前记录的字段").arg(name));
    const platform::db::Field field = record->field(index);
    return field.isNull() ? QVariant() : QVariant(field.text().trimmed());
}

int ColumnLettersToNumber(const QString& letters)
{
    const QString text = letters.trimmed().toUpper();
    if (text.isEmpty())
        return 0;
    int number = text.back().unicode() - 64;
    if (text.size() == 2)
        number += (text.front().unicode() - 64) * 26;
    return number;
}

} // namespace engine

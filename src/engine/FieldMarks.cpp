#include "engine/FieldMarks.h"

#include "engine/EngineState.h"
#include "engine/PageGeometry.h"
#include "engine/RecordFields.h"
#include "platform/db/Recordset.h"
#include "platform/db/Connection.h"
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

// Puts the value in place of every occurrence of the mark in `result` (with the quotes around it when
// it has them).
void replaceMark(QString& result, const QString& mark, const QVariant& value)
{
    const bool noValue = value.isNull() || value.toString().trimmed().isEmpty();
    for (qsizetype at = result.indexOf(mark, 0, Qt::CaseInsensitive); at >= 0;
         at = result.indexOf(mark, at, Qt::CaseInsensitive)) {
        qsizetype begin = at;
        qsizetype end = at + mark.size();
        if (begin > 0 && end < result.size() && result.at(begin - 1) == u'\'' && result.at(end) == u'\'') {
            --begin;
            ++end;
        }
        QString before = result.left(begin);
        QString replacement;
        if (noValue) {
            const QString trimmedBefore = before.trimmed();
            if (isComparisonEquals(trimmedBefore)) {
                before = trimmedBefore.chopped(1);
                replacement = QStringLiteral(" is null ");
            } else {
                replacement = QStringLiteral("NULL");
            }
        } else {
            replacement = store::storeConnection().literal(value.toString());
        }
        result = before + replacement + result.mid(end);
        at = before.size() + replacement.size();
    }
}

} // namespace

QString ReplaceFieldMarks(const DataReportRun& run, platform::grid::Sheet& grid, const QString& sql, int& row,
    int page, int recordPosition)
{
    if (sql.size() < 3)
        return QString();
    QString result = sql;
    qsizetype from = 0;
    for (qsizetype open = sql.indexOf(u'#'); open >= 0; open = sql.indexOf(u'#', from)) {
        const qsizetype close = sql.indexOf(u'#', open + 1);
        if (close < 0)
            break;
        const QString token = sql.mid(open + 1, close - open - 1);
        replaceMark(result, QLatin1Char('#') + token + QLatin1Char('#'),
            markValue(run, grid, token, row, page, recordPosition));
        from = close + 1;
    }
    return result;
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

#include "engine/PageCounts.h"

#include "engine/DataRecords.h"
#include "engine/DataSource.h"
#include "engine/EngineState.h"
#include "engine/GroupBreaks.h"
#include "engine/TemplateCells.h"
#include "engine/WholeNumbers.h"
#include "platform/db/Recordset.h"
#include "platform/outside/FailureLog.h"
#include "store/ReportDefinition.h"
#include "store/StoreSql.h"

namespace engine
{

namespace
{

void clearCounts(DataReportRun& run)
{
    run.DataRecordCount = 0;
    run.TotalPages = 0;
    run.GroupCount = 0;
    run.GroupPageCounts.clear();
}

// Adds one group of `records` records to the counts.
void addGroup(DataReportRun& run, long long records)
{
    const long long pages = PagesForRecords(run, records);
    run.DataRecordCount += records;
    run.GroupPageCounts.append(pages);
    run.GroupCount = run.GroupPageCounts.size();
    run.TotalPages += pages;
}

QString fromTablesWhere(const DataReportRun& run, const QString& conditions)
{
    QString sql = QStringLiteral(" from ") + run.definition().sql.TablesName;
    if (!conditions.isEmpty())
        sql += QStringLiteral(" where ") + conditions;
    return sql;
}

// The selected columns of a "select distinct" statement after its first: what makes two of its rows
// distinct within one group. "" when the statement holds no " distinct ".
QString distinctKeys(const QString& sql)
{
    const QLatin1String distinct(" distinct ");
    const qsizetype at = sql.indexOf(distinct, 0, Qt::CaseInsensitive);
    if (at < 0)
        return QString();
    const qsizetype start = at + distinct.size();
    const qsizetype from = sql.indexOf(QLatin1String(" from "), start, Qt::CaseInsensitive);
    const QString columns = from < 0 ? sql.mid(start) : sql.mid(start, from - start + 1);
    const qsizetype comma = columns.indexOf(QLatin1Char(','));
    return (comma < 0 ? columns : columns.mid(comma + 1)).trimmed();
}

// The condition that picks the group of the list's current row: each group field equal to the
// row's value at its position, or null.
QString groupFilter(const platform::db::Recordset& groups, const QStringList& fields)
{
    QStringList terms;
    for (int i = 0; i < fields.size(); ++i) {
        const platform::db::Field value = groups.field(i);
        terms.append(value.isNull() ? fields.at(i) + QStringLiteral(" is null")
                                    : fields.at(i) + QLatin1Char('=') + FieldValueToSql(value, false, store::storeConnection()));
    }
    return terms.join(QStringLiteral(" and "));
}

} // namespace

long long PagesForRecords(long long records, int recordsPerPage)
{
    const long long pages = wholeQuotient(records, recordsPerPage);
    return records % recordsPerPage >= 1 ? pages + 1 : pages;
}

long long PagesForRecords(const DataReportRun& run, long long records)
{
    return PagesForRecords(records, run.RecordsPerPage);
}

void GetRecordPageCount(DataReportRun& run)
{
    run.DataRecordCount = 0;
    platform::outside::runLogged("GetRecordPageCount", [&] {
        const auto& data = run.ReportDataRs;
        run.DataRecordCount = data && data->isOpen() ? data->recordCount() : 0;
        run.TotalPages = PagesForRecords(run, run.DataRecordCount);
    });
}

void GetRecordPageCountByGroup(DataReportRun& run)
{
    platform::outside::runLogged("GetRecordPageCountByGroup", [&run] {
        if (run.GroupCells.isEmpty())
            LoadOuterCellData(run);
        CountRecordsByGroup(run);
    });
}

void ComputeGroupPages(DataReportRun& run, platform::db::Recordset& counts)
{
    clearCounts(run);
    for (counts.moveFirst(); !counts.eof(); counts.moveNext())
        addGroup(run, counts.field(0).value().toLongLong());
}

void GetSqlDataSourcePageCountByGroup(DataReportRun& run)
{
    clearCounts(run);
    platform::outside::runLogged("GetSqlDataSourcePageCountByGroup", [&run] {
        const QString keys = distinctKeys(run.SourceSql);
        const QString conditions = ReportConditions(run);
        const auto groups = store::openStoreSql(QStringLiteral("select distinct ")
            + run.GroupFields.join(QLatin1Char(',')) + fromTablesWhere(run, conditions)
            + QStringLiteral(" order by ") + run.GroupOrderTerms.join(QLatin1Char(',')));
        for (groups->moveFirst(); !groups->eof(); groups->moveNext()) {
            const QString filter = groupFilter(*groups, run.GroupFields);
            const QString groupConditions
                = conditions.isEmpty() ? filter : conditions + QStringLiteral(" and ") + filter;
            const auto rows = store::openStoreSql(
                QStringLiteral("select distinct ") + keys + fromTablesWhere(run, groupConditions));
            addGroup(run, rows->recordCount());
        }
    });
}

} // namespace engine

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

void clearCounts()
{
    DataEngineState& engine = dataEngine();
    engine.DataRecordCount = 0;
    engine.TotalPages = 0;
    engine.GroupCount = 0;
    engine.GroupPageCounts.clear();
}

// Adds one group of `records` records to the counts.
void addGroup(long long records)
{
    DataEngineState& engine = dataEngine();
    const long long pages = PagesForRecords(records);
    engine.DataRecordCount += records;
    engine.GroupPageCounts.append(pages);
    engine.GroupCount = engine.GroupPageCounts.size();
    engine.TotalPages += pages;
}

QString fromTablesWhere(const QString& conditions)
{
    QString sql = QStringLiteral(" from ") + reportDefinition().sql.TablesName;
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
                                    : fields.at(i) + QLatin1Char('=') + FieldValueToSql(value, false));
    }
    return terms.join(QStringLiteral(" and "));
}

} // namespace

long long PagesForRecords(long long records, int recordsPerPage)
{
    const long long pages = wholeQuotient(records, recordsPerPage);
    return records % recordsPerPage >= 1 ? pages + 1 : pages;
}

long long PagesForRecords(long long records)
{
    return PagesForRecords(records, dataEngine().RecordsPerPage);
}

void GetRecordPageCount()
{
    DataEngineState& engine = dataEngine();
    engine.DataRecordCount = 0;
    platform::outside::runLogged("GetRecordPageCount", [&] {
        const auto& data = engine.ReportDataRs;
        engine.DataRecordCount = data && data->isOpen() ? data->recordCount() : 0;
        engine.TotalPages = PagesForRecords(engine.DataRecordCount);
    });
}

void GetRecordPageCountByGroup()
{
    platform::outside::runLogged("GetRecordPageCountByGroup", [] {
        if (dataEngine().GroupCells.isEmpty())
            LoadOuterCellData();
        CountRecordsByGroup();
    });
}

void ComputeGroupPages(platform::db::Recordset& counts)
{
    clearCounts();
    for (counts.moveFirst(); !counts.eof(); counts.moveNext())
        addGroup(counts.field(0).value().toLongLong());
}

void GetSqlDataSourcePageCountByGroup()
{
    clearCounts();
    platform::outside::runLogged("GetSqlDataSourcePageCountByGroup", [] {
        const DataEngineState& engine = dataEngine();
        const QString keys = distinctKeys(engine.SourceSql);
        const QString conditions = ReportConditions();
        const auto groups = store::openStoreSql(QStringLiteral("select distinct ")
            + engine.GroupFields.join(QLatin1Char(',')) + fromTablesWhere(conditions)
            + QStringLiteral(" order by ") + engine.GroupOrderTerms.join(QLatin1Char(',')));
        for (groups->moveFirst(); !groups->eof(); groups->moveNext()) {
            const QString filter = groupFilter(*groups, engine.GroupFields);
            const QString groupConditions
                = conditions.isEmpty() ? filter : conditions + QStringLiteral(" and ") + filter;
            const auto rows = store::openStoreSql(
                QStringLiteral("select distinct ") + keys + fromTablesWhere(groupConditions));
            addGroup(rows->recordCount());
        }
    });
}

} // namespace engine

#include "engine/DataRecords.h"

#include "engine/DataSource.h"
#include "engine/EngineState.h"
#include "engine/SqlClauses.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/outside/FailureLog.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SqlAdapterObject.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/UserNotice.h"

namespace engine
{

namespace
{

using platform::db::Recordset;

std::shared_ptr<Recordset> openData(const QString& sql, const QVariantList& values = {})
{
    return store::openStoreSql(sql, values);
}

// A static report lists the first record of its query only.
std::shared_ptr<Recordset> staticRecord(const DataReportRun& run, const Recordset& data)
{
    const store::SqlPieces& sql = run.definition().sql;
    return openData(QStringLiteral("select ") + sql.SqlSelect + QStringLiteral(" from ") + sql.TablesName
            + QStringLiteral(" where recid = ?"),
        { data.text(QStringLiteral("recid")) });
}

// The query without its numeric sorting: "Convert(float,t.a)" sorts as "t.a".
QString withoutNumericSort(const QString& sql, qsizetype orderAt)
{
    QString order = sql.mid(orderAt);
    order.remove(QStringLiteral("Convert(float,"));
    order.remove(QLatin1Char(')'));
    return sql.left(orderAt) + order;
}

std::shared_ptr<Recordset> openReportData(
    const DataReportRun& run, const QString& sql, const QString& builtSql)
{
    try {
        const std::shared_ptr<Recordset> data = openData(sql);
        return run.StaticReport ? staticRecord(run, *data) : data;
    } catch (const std::exception&) {
        // Retried below: the built query, or the same query without its numeric sorting.
    }
    if (!sql.contains(QLatin1String("Convert("), Qt::CaseInsensitive))
        return openData(builtSql);
    const qsizetype orderAt = sql.indexOf(QLatin1String(" order "), 0, Qt::CaseInsensitive);
    if (orderAt < 0)
        return std::make_shared<Recordset>();
    store::WarnUser(QStringLiteral("当前数字方式排序字段中含有非数字的数据，不能按数字方式排序。"),
        platform::ui::Icon::Information, QStringLiteral("报表打印"));
    return openData(withoutNumericSort(sql, orderAt));
}

// The query from the blank after its first "from" on: the tables, conditions and order that the
// detail band's sub-query cells borrow.
QString tailAfterFrom(const QString& sql)
{
    const qsizetype from = IndexInCode(
        sql, QLatin1String(" from "), SqlReading::of(store::reportState().Connection.get(), sql));
    return from < 0 ? QString() : sql.mid(from + QLatin1String(" from").size());
}

bool isNumberType(QMetaType::Type type)
{
    switch (type) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

} // namespace

void GetDataRecord(DataReportRun& run)
{
    const store::ReportState& state = store::reportState();
    run.PageNumber = 0;
    run.DistinctSource = false;
    QString builtSql;
    platform::outside::runLogged("GetDataRecord", [&] {
        const DataSort sort = ReportDataSort(run);
        run.GroupFields = sort.groupFields;
        run.GroupOrderTerms = sort.groupTerms;
        builtSql = BuildDataSourceSql(run, run.definition().sql.SqlSelect, sort);
    });
    QString sql = builtSql;
    platform::outside::runLogged("GetDataRecord", [&] {
        run.SourceSql = GetDataSourceSql(run);
        if (!run.StaticReport && !run.SourceSql.trimmed().isEmpty()) {
            sql = run.SourceSql;
            run.DistinctSource = sql.contains(QLatin1String(" distinct "), Qt::CaseInsensitive);
        }
    });
    run.SourceSqlTail = tailAfterFrom(sql);
    if (state.DataRecordSet) {
        run.ReportDataRs = state.DataRecordSet;
        run.ReportDataRsIsOwned = false;
    } else {
        run.ReportDataRs = openReportData(run, sql, builtSql);
        run.ReportDataRsIsOwned = true;
    }
    CopyRecordsetStructure(run, *run.ReportDataRs);
}

void CopyRecordsetStructure(DataReportRun& run, const Recordset& source)
{
    run.RecordBufferRs = source.isOpen() ? source.clone() : Recordset::fabricate(source.fields());
}

QString FieldValueToSql(
    const platform::db::Field& field, bool trimRight, const platform::db::Connection& connection)
{
    if (field.isNull())
        return QStringLiteral("Null");
    const QString text = field.text();
    bool isNumber = false;
    text.toDouble(&isNumber);
    if (isNumberType(field.type()) && isNumber)
        return text;
    if (field.type() == QMetaType::QDate || field.type() == QMetaType::QDateTime) {
        try {
            return platform::outside::sharedSqlAdapter()->sqlLiteral(
                text, platform::outside::LiteralKind::Date);
        } catch (const std::exception&) {
            return QString();
        }
    }
    if (trimRight && field.type() == QMetaType::QString)
        return QStringLiteral("rtrim(") + connection.literal(text + QLatin1Char(' ')) + QLatin1Char(')');
    return connection.literal(text);
}

} // namespace engine

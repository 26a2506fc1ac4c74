#include "store/ReportLookups.h"

#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"
#include "store/WindowSeams.h"

namespace store
{

namespace
{

// The first column of the first row as text; "" without rows.
QString firstText(const QString& sql, const QVariantList& values)
{
    const auto recordset = openStoreSql(sql, values);
    return recordset->eof() ? QString() : recordset->text(0);
}

} // namespace

int RunReportWizard()
{
    const auto& wizard = windowSeams().frmWizard;
    if (!wizard)
        return WizardNotFinished;
    const auto& state = reportState();
    return wizard(WizardRequest { state.ReportGroupId, state.ReportName, state.TABLENAME });
}

bool CreateStatReport()
{
    const auto& definition = windowSeams().clsStatReport;
    if (!definition)
        return false;
    auto& state = reportState();
    const StatReportResult result = definition(state.Connection, state.ReportGroupId, state.ReportName);
    state.ReportId = result.reportId;
    return result.saved;
}

QString GetReportNote(const QString& reportId)
{
    return firstText(QStringLiteral("select note from report_index where report_id = ?"), { reportId });
}

QString GetReportName(const QString& reportId)
{
    return firstText(QStringLiteral("select report_name from report_index where report_id = ?"), { reportId });
}

bool ColumnExists(const QString& table, const QString& column)
{
    return openStoreSql(QStringLiteral("select * from table_struct_description where table_name = ? and column_name = ?"),
               { table, column })
               ->recordCount()
        > 0;
}

QString GetTableChnName(const QString& table)
{
    return firstText(QStringLiteral("select table_chn_name from table_description where table_name = ?"), { table });
}

QDateTime GetServerDate()
{
    const auto recordset = openStoreSql(QStringLiteral("select getdate()"));
    const QVariant value = recordset->value(0);
    QDateTime time = value.typeId() == QMetaType::QDateTime
        ? value.toDateTime()
        : toDateTime(value.toString()).value_or(QDateTime());
    if (!time.isValid())
        throw platform::Error(platform::errors::DatabaseError, QStringLiteral("GetServerDate"),
            QStringLiteral("服务器时间无法识别：") + value.toString());
    time.setTime(QTime(time.time().hour(), time.time().minute(), time.time().second()));
    return time;
}

void GetReportIdByName()
{
    auto& state = reportState();
    const auto recordset = openStoreSql(
        QStringLiteral("select report_id from report_index where report_group_id = ? and report_name = ?"),
        { state.ReportGroupId, state.ReportName });
    if (recordset->recordCount() != 0)
        state.ReportId = recordset->text(0);
}

} // namespace store

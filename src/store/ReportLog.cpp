#include "store/ReportLog.h"

#include "platform/outside/HostObjects.h"
#include "platform/outside/IdGeneratorObject.h"
#include "store/ReportLookups.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include <QStringList>

namespace store
{

void WriteReportLog(const QString& operationWord)
{
    const auto& state = reportState();
    const QString content = QString(state.SelectWhere).replace(QLatin1Char('\''), QLatin1Char('@'));
    const QString reportName = GetReportName(state.ReportId);
    try {
        const QDateTime time = GetServerDate();
        const QString recid = platform::outside::IdGeneratorObject().newId();
        if (!state.User)
            return;
        const QStringList values { recid, state.TABLENAME, GetTableChnName(state.TABLENAME),
            state.User->userId(), state.User->userName(),
            time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), reportName, content, operationWord };
        executeStoreSql(QStringLiteral("insert into report_logs(recid,table_name,table_chn_name,user_id,user_name,"
                                       "op_time,report_name,report_content,report_type) values(?,?,?,?,?,?,?,?,?)"),
            QVariantList(values.begin(), values.end()));
    } catch (const std::exception&) {
        // The use log never stops a print or an export.
    }
}

} // namespace store

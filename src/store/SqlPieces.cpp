#include "store/SqlPieces.h"

#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "platform/outside/FailureLog.h"
#include "platform/ui/MessageBox.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

namespace store
{

namespace
{

const QString TablesGoneMessage = QStringLiteral("报表所涉及的表已经不存在，请删除该报表！");

void appendPiece(ReportState& state, const QString& infoType, const QString& description)
{
    if (infoType == keywords::SqlSelect) {
        state.SqlSelect += description;
    } else if (infoType == keywords::SqlWhere) {
        const QString where = state.SqlWhere + description;
        if (trimBlanks(where).toLower() != ArchiveFlagCondition)
            state.SqlWhere = where;
    } else if (infoType == keywords::SqlOrder) {
        if (trimBlanks(description) != QLatin1String(","))
            state.SqlOrder += description;
    } else if (infoType == keywords::TablesName) {
        state.TablesName = description;
    }
}

bool tableDescribed(const QString& table)
{
    return openStoreSql(QStringLiteral("select * from table_struct_description where table_name =")
               + platform::db::sqlText(table))
               ->recordCount()
        > 0;
}

} // namespace

void ClearSqlInfo()
{
    ReportState& state = reportState();
    state.SqlSelect.clear();
    state.SqlWhere.clear();
    state.SqlOrder.clear();
    state.TablesName.clear();
}

void GetSqlInfo()
{
    platform::outside::runLogged("GetSqlInfo", [] {
        const auto rows
            = openStoreSql(QStringLiteral("select * from report_info where report_id =") + reportIdLiteral()
                + QStringLiteral(" and info_type in ('SQL_WHERE','SQL_SELECT','SQL_ORDER','TABLES_NAME')"
                                 " order by info_order"));
        if (rows->recordCount() == 0)
            return;
        ClearSqlInfo();
        ReportState& state = reportState();
        for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
            appendPiece(state, upperKeyword(rows->text(QStringLiteral("info_type"))),
                rows->text(QStringLiteral("info_description")));
        }
    });
}

void CheckReportTables(const QString& tablesName)
{
    bool allPresent = !tablesName.isEmpty();
    if (allPresent) {
        for (const QString& table : tablesName.split(QLatin1Char(','))) {
            if (!tableDescribed(table)) {
                allPresent = false;
                break;
            }
        }
    }
    if (!allPresent)
        platform::ui::msgBox(TablesGoneMessage);
}

} // namespace store

#include "store/SqlPieces.h"

#include "platform/db/Recordset.h"
#include "platform/ui/MessageBox.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

namespace store
{

namespace
{

const QString TablesGoneMessage = QStringLiteral("报表所涉及的表已经不存在，请删除该报表！");

bool tableDescribed(const QString& table)
{
    return openStoreSql(QStringLiteral("select * from table_struct_description where table_name = ?"), { table })
               ->recordCount()
        > 0;
}

} // namespace

void appendSqlPiece(SqlPieces& pieces, const QString& infoType, const QString& description)
{
    if (infoType == keywords::SqlSelect) {
        pieces.SqlSelect += description;
    } else if (infoType == keywords::SqlWhere) {
        const QString where = pieces.SqlWhere + description;
        if (trimBlanks(where).toLower() != ArchiveFlagCondition)
            pieces.SqlWhere = where;
    } else if (infoType == keywords::SqlOrder) {
        if (trimBlanks(description) != QLatin1String(","))
            pieces.SqlOrder += description;
    } else if (infoType == keywords::TablesName) {
        pieces.TablesName = description;
    }
}

void ClearSqlInfo()
{
    static_cast<SqlPieces&>(reportState()) = SqlPieces {};
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

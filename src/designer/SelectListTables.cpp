#include "designer/SelectListTables.h"

#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "store/ReportKeywords.h"
#include "store/StoreSql.h"

namespace designer
{

namespace
{

const QString AllColumns = QStringLiteral(".*");

} // namespace

QStringList SelectListTables(const QString& selectList)
{
    QStringList tables;
    for (const QString& item : selectList.split(QLatin1Char(','))) {
        const QString trimmed = item.trimmed();
        const QString table = trimmed.left(trimmed.size() - AllColumns.size()).trimmed();
        if (trimmed.endsWith(AllColumns) && !table.isEmpty())
            tables.append(table);
        if (tables.size() == MaxSelectTables)
            break;
    }
    return tables;
}

void GetSqlSelectFields(std::array<QString, MaxSelectTables>& names)
{
    const auto rows
        = store::openStoreSql(QStringLiteral("select info_description from report_info where report_id=")
            + store::reportIdLiteral() + QStringLiteral(" and info_type=")
            + platform::db::sqlText(store::keywords::SqlSelect) + QStringLiteral(" order by info_order"));
    if (rows->recordCount() == 0)
        return;
    QString selectList;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext())
        selectList += rows->text(QStringLiteral("info_description"));
    const QStringList tables = SelectListTables(selectList);
    for (qsizetype i = 0; i < tables.size(); ++i)
        names[i] = tables[i];
}

} // namespace designer

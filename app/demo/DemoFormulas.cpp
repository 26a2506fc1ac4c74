#include "DemoFormulas.h"

#include "platform/db/Connection.h"

namespace demo
{

void insertSampleFormulas(platform::db::Connection& connection)
{
    const struct {
        QString name;
        QString description;
        QString sql;
    } formulas[] = {
        { DocumentCountFormula, QStringLiteral("文书档案的全部件数"),
            QStringLiteral("select count(*) from wsda") },
        { PageCountFormula, QStringLiteral("文书档案的全部页数"),
            QStringLiteral("select sum(page_no) from wsda") },
    };
    for (const auto& formula : formulas)
        connection.execute(
            QStringLiteral("insert into sql_formula (name, description, sql_text) values (?, ?, ?)"),
            { formula.name, formula.description, formula.sql });
}

} // namespace demo

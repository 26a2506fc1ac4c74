#pragma once

#include <QString>

namespace platform::db
{
class Connection;
}

namespace demo
{

// The SQL formulas of the demo archive, offered to statistics cells by name.
inline const QString DocumentCountFormula = QStringLiteral("文书档案件数");
inline const QString PageCountFormula = QStringLiteral("文书档案页数");

// Writes the sample SQL formulas into sql_formula.
void insertSampleFormulas(platform::db::Connection& connection);

} // namespace demo

#pragma once

#include "engine/GroupFields.h"

#include <QString>

// The texts of a data report's query: the query built from the definition's SQL pieces with the host's
// filter and order, and the report's own data-source SQL (its first "I" or "K" cell).
namespace engine
{

struct DataReportRun;

// The report's condition and the host's filter (SqlWhere, SelectWhere), joined with "and".
QString ReportConditions(const DataReportRun& run);

// "select <selectList> from <TablesName>", the conditions, and the sort: group fields first, then the
// host's order or the report's own. The sort is worked out from the definition and the state, or given.
QString BuildDataSourceSql(DataReportRun& run, const QString& selectList);
QString BuildDataSourceSql(DataReportRun& run, const QString& selectList, const DataSort& sort);

// The SQL of the report's data-source cell ("" when it has none), with its "&name&" parameters as literals;
// a "K" cell takes the host's conditions as well, and "@Table@" stands for the report's group. A cell
// reading "staticreport" (any case) sets StaticReport and gives "". The text stays in the stored
// dialect: it passes through the SQL adapter when it is opened.
QString GetDataSourceSql(DataReportRun& run);

} // namespace engine

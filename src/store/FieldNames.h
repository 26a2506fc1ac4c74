#pragma once

#include <QString>

// The two names of a field cell: the database name that report_data keeps ("table.column", or "column"
// for the report's main table) and the Chinese name that the design grid shows ("列名(表名)", or "列名"),
// both taken from table_struct_description. When a name has no translation the other way round, the
// name is kept as it is, so that a field reference is never lost.
namespace store
{

// The Chinese name shown for a stored field; the field itself when the metadata holds no Chinese name
// for it (or the lookup fails, which is logged). A bare column belongs to the report's main table.
QString GetFieldChnName(const QString& field);

// The database name stored for a shown field; the shown name itself when it translates to nothing (or the
// lookup fails, which is logged). Candidates are limited to the report's TABLES_NAME list when it has one.
// Inside a save the lookups run in savepoints, so that their failure never spoils the save.
QString GetNameByChn(const QString& shownName);

// The one table of a select list of the form "table.*"; "" for any other list.
QString mainTableOf(const QString& selectList);

// The current report's select list: its SQL_SELECT rows joined in info_order ("" without any).
QString StoredSelectList();

// The main table of the current report, from its stored SQL_SELECT rows.
QString GetMainTableName();

} // namespace store

#pragma once

#include <QString>

// The rows of table_struct_description name the fields of the archive's tables. A row without a column
// name names no field: taken as one it would become a field "table." that prints an empty column.
namespace store
{

// True when `column` names a field; otherwise false, and the row (its table and caption) is logged
// under `procedure` as left out.
bool NamesAField(const QString& table, const QString& column, const QString& caption, const char* procedure);

} // namespace store

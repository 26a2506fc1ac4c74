#pragma once

#include <QString>

namespace platform::db
{
class Recordset;
}

namespace engine
{

// The field of `record` that a reference names: "column" or "table.column". With the host's record set
// (`hostRecordset`) the first field named like the column is taken, whatever its table;
// otherwise the first field named like the column or the whole reference whose base table is the
// reference's table (any field when the reference names none). Letter case is ignored. Every field is
// searched, the first one included; -1 when none matches.
int FindRecordField(const platform::db::Recordset& record, const QString& reference, bool hostRecordset);

// The column part of a reference: the text after its first ".", or the whole reference.
QString ReferenceColumn(const QString& reference);

} // namespace engine

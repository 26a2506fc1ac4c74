#pragma once

#include <QString>

namespace platform::db
{
class Connection;
class Field;
class Recordset;
} // namespace platform::db

// The record sets a data report is built from: its data (the report query, the report's own data-source
// SQL, or the host's record set) and the record buffer that holds a copy of the record being written.
namespace engine
{

struct DataReportRun;

// Opens ReportDataRs and RecordBufferRs and sets SourceSql, SourceSqlTail, DistinctSource, the group
// fields with their sort and ReportDataRsIsOwned; PageNumber := 0.
// - The host's record set is the data as it is: the engine reads it and moves through it, and never
//   writes to it, cancels it or closes it.
// - Otherwise the report's own data-source SQL, or the built query, is opened. A static report shows
//   its first record only. When the data-source SQL cannot be opened, the built query is; when a query
//   with numeric sorting ("Convert(") fails, the user is told (store::WarnUser) and the data is sorted
//   by the plain fields.
// SourceSqlTail, the data query from the blank after its first "from" on, is in the stored dialect, as the
// sub-query cells that borrow it are. Failures while the SQL is built are logged (a data-source cell that
// fails leaves the built query as the data); a failure of the last open reaches the caller.
void GetDataRecord(DataReportRun& run);

// RecordBufferRs := a copy of `source` (its fields, and its rows shared until one of them changes),
// which stands on the record being built while the data has moved on; an empty record set with the
// fields of `source` when that is closed.
void CopyRecordsetStructure(DataReportRun& run, const platform::db::Recordset& source);

// The field's current value as an SQL literal: "Null", a number, a date literal, or a quoted text
// (trimmed on the right by the database with `trimRight`) as `connection` reads it. "" when the value
// cannot be written.
QString FieldValueToSql(
    const platform::db::Field& field, bool trimRight, const platform::db::Connection& connection);

} // namespace engine

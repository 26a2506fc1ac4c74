#pragma once

namespace platform::db
{
class Recordset;
}

// Group breaks of a data report: a page always ends where the group of its records ends, so that every
// group starts on a new page. The group fields are the field cells of the group heads and tails
// (GroupCells); the page's group is the one of the record that opens it (GroupValues).
namespace engine
{

struct DataReportRun;

// Row-position flags handed to the special formulas of the record being written.
enum RowPosition : int {
    NoRowPosition = 0,
    FirstRecordOfReport = 1, // the first record of the first build
    LastRecordOfData = 2, // the data ended after this record
    FirstRecordOnSecondPage = 4, // the first counted record on page index 1 of the build
    LastRecordOfGroup = 8, // the next record starts a new group (or the data ended, with group fields)
};

// Looks at the record now current in `data` (the one after the record being written): sets
// RowPositionFlag and, through IsGroupChanged, GroupBreak.
void CheckGroupBreak(DataReportRun& run, const platform::db::Recordset& data);

// GroupBreak := the current record of ReportDataRs starts a new group: a group field differs from the
// stored value of the page's group (a NULL differs from a stored non-empty value only), or the data
// ended. Always false without group fields.
void IsGroupChanged(DataReportRun& run);

// GroupValues entry `index` (0-based) := the current record's value of group field `index` as text
// ("" for NULL or a group cell without a field).
void StoreGroupValue(DataReportRun& run, int index);

// Walks the report's data as the page builder will (same group test on the group cells), and sets
// GroupCount, GroupPageCounts, DataRecordCount and TotalPages. The data is left on its first record.
// Without group fields the data counts as one group. Throws platform::Error (no records per page).
void CountRecordsByGroup(DataReportRun& run);

// CountRecordsByGroup for the host's record set, whose groups no query can count; a failure is logged.
void GetRecordsetPageCountByGroup(DataReportRun& run);

} // namespace engine

#pragma once

#include <QString>

namespace platform::db
{
class Recordset;
}

// How many records a data report lists and how many pages they take: DataRecordCount and TotalPages,
// and with groups (every group starts on a new page) GroupCount and the pages of each group.
namespace engine
{

struct DataReportRun;

// Pages taken by `records` records at `recordsPerPage` a page; 0 records per page throws platform::Error
// (errors::DivisionByZero).
long long PagesForRecords(long long records, int recordsPerPage);
// The same at the run's RecordsPerPage.
long long PagesForRecords(const DataReportRun& run, long long records);

// DataRecordCount := the records of the data as opened (the host's record set, the report's own
// data-source SQL or the built query), TotalPages := their pages. A failure is logged.
void GetRecordPageCount(DataReportRun& run);

// The report's data counted by the groups its pages break on (CountRecordsByGroup, the group cells read
// from the template when they are not loaded yet): the pages and these counts agree also where the
// database would group the records otherwise (a NULL and an empty text fall into one group). A failure
// is logged.
void GetRecordPageCountByGroup(DataReportRun& run);

// One count per row, in group order: GroupCount, GroupPageCounts, DataRecordCount and TotalPages.
void ComputeGroupPages(DataReportRun& run, platform::db::Recordset& counts);

// The same four values for data from a "select distinct" data-source SQL: per group (the distinct
// values of the group fields under the report's conditions) the number of distinct rows of the
// data-source SQL's selected columns after its first. A failure is logged.
void GetSqlDataSourcePageCountByGroup(DataReportRun& run);

} // namespace engine

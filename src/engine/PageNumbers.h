#pragma once

// Page numbers of a data report: PageNumber ("%p") counts on through the report, or under PAGE_RECOUNT
// restarts at 1 on every page that opens a group, whose page count ("%P") is then GroupPageTotal.
// AbsolutePage counts every page built since the preparation.
namespace engine
{

struct DataReportRun;

// Numbers the page about to be built. GroupIndex is the next entry of GroupPageCounts (from 1) and
// moves on when the page opens a group under PAGE_RECOUNT. A failure is logged under "CountPageNumber".
void CountPageNumber(DataReportRun& run);

// GroupPageTotal := the page count of group GroupIndex (from 1), which then moves on; past the
// counted groups (a report without groups) the report's TotalPages.
void GetGroupPageCount(DataReportRun& run);

} // namespace engine

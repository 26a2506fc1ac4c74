#pragma once

#include <limits>

namespace platform::grid
{
class Sheet;
}

// Building the pages of a prepared data report (PrepareReportData) into an output grid, a batch at a
// time: each call lays its pages one under the other from the grid's first row (emptying the grid of
// the previous batch) and goes on with the data where the previous call stopped. A page always ends
// where its group ends. After a call PageRowRanges lists the pages of that call, CurrentPage counts
// them, and ReportFinished tells that the data has ended. The column totals are written into the
// report's last page; the report head shows on the report's first page only, the report tail on its
// last page only. So a report built in batches gives the pages of one build of everything.
//
// A call never loops without end: a call that cannot build (no data, a page that holds no record, a
// page count below 1) builds nothing, says why (ErrorMessage, and a box outside the silent web mode) and
// sets ReportFinished, so that a caller building until ReportFinished stops.
namespace engine
{

struct DataReportRun;

class BuildProgress;

// A page count that builds every remaining page in one call.
inline constexpr int AllRemainingPages = std::numeric_limits<int>::max();

// The print window's build: up to `targetPages` further pages, moving `progress` (when given) from its
// value towards 50, and to its maximum when the data has ended. Without data on the first build it says
// "报表没有数据，不能生成报表！打印空白页请到报表打印界面打印！" and leaves ReportHasData false;
// otherwise ReportHasData is true.
void CreateDataReport(
    DataReportRun& run, platform::grid::Sheet& grid, int targetPages, BuildProgress* progress = nullptr);

// The print-progress window's build: up to `targetPages` further pages, as CreateDataReport builds
// them, without the no-data notice and without touching ReportHasData.
void CreateAllPages(DataReportRun& run, platform::grid::Sheet& grid, int targetPages);

} // namespace engine

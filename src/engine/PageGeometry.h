#pragma once

#include <optional>

namespace store
{
struct ReportDefinition;
}

// The shape of one output page of a data report: how many records a page holds and how many sheet rows
// and columns it takes, from the definition's page settings and regions. Sizes are twips.
// The arithmetic is a function of the definition (and the designed paper): the preparation copies
// its results into the run.
namespace engine
{

struct DataReportRun;

// What the page settings make of a designed paper: a number of rows per page is taken as stored
// (freeHeight none); "FIX" and "AUTO" fit as many detail blocks as the paper leaves below the margins and
// the fixed rows, freeHeight being that height. A detail band without stored heights is a division by
// zero, a result beyond 16 bits an overflow (platform::Error).
struct RecordsOnPage {
    int recordsPerPage = 0;
    std::optional<int> freeHeight;
};
RecordsOnPage recordsOnPage(const store::ReportDefinition& definition, int designPaperHeight);

// The sheet of one page: the template with its detail band once per record of the page, plus the
// top-margin and bottom-margin rows (rows), and the template's columns plus one (cols). Beyond 16 bits
// throws platform::Error.
struct PageSheetSize {
    int rows = 0;
    int cols = 0;
};
PageSheetSize pageSheetSize(const store::ReportDefinition& definition, int recordsPerPage);

// Rows of one detail block, from the definition's detail band: at least 1.
int detailRowCount(const store::ReportDefinition& definition);

// RecordsPerPage, and under "FIX" and "AUTO" FreeHeight, from recordsOnPage on DesignPaperHeight. A
// failure of the computation is logged and leaves both as they were. Gives false, after telling the user
// (ErrorMessage in silent web mode), when a page would hold no record: such a report cannot be laid out.
bool GetDataCountInPage(DataReportRun& run);

// PageSheetCols and PageSheetRows from pageSheetSize on RecordsPerPage.
void GetPageRowCount(DataReportRun& run);

// detailRowCount of the definition in use.
int GetDetailRowCount(const DataReportRun& run);

} // namespace engine

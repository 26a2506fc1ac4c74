#pragma once

#include <optional>
#include <QString>
#include <QVector>

namespace engine
{
struct DataReportRun;
}

// Which rows of the print window's working grid a print of some pages covers: the pages of a built
// report mapped to sheet rows, the page list the user types ("1,3,5-9"), and the print-area text made
// of both.
namespace output
{

// The first and last sheet row of one page.
struct SheetRows {
    int first = 0;
    int last = 0;
    bool operator==(const SheetRows&) const = default;
};

// Where each page of a built report lies in the working grid, page 1 first.
class PageRowMap
{
public:
    // Pages of one height: page p holds rows (p - 1) × rowsPerPage + 1 to p × rowsPerPage.
    static PageRowMap equalPages(int rowsPerPage);
    // One given row span per page.
    static PageRowMap listedPages(QVector<SheetRows> pages);
    // Pages starting at the given rows; each runs to the row before the next start, the last one (or
    // one followed by a start below 1) to lastRow.
    static PageRowMap startingRows(const QVector<int>& starts, int lastRow);

    // None for a page the map does not hold.
    std::optional<SheetRows> rows(int page) const;

private:
    int rowsPerPage_ = 0; // 0: the pages are listed
    QVector<SheetRows> pages_;
};

// The pages of the run's report as its last build laid them out: a statistics report by the first
// rows of its pages (statPageStarts, page 1 first) up to the working grid's last row; a data report
// under "AUTO" by the run's built page ranges, otherwise by the run's rows per page.
PageRowMap currentPageRows(
    const engine::DataReportRun& run, const QVector<int>& statPageStarts, int workingLastRow);

// A typed page list: the listed pages, rising, and the end page of a trailing range ("5-9" lists 5 and
// ends at 9: pages 6 to 9 follow the last listed one; "-5" lists none and covers pages 1 to 5).
struct PageSelection {
    QVector<int> listedPages;
    int endPage = 0; // 0 when the text has no "-"
    bool operator==(const PageSelection&) const = default;
};

// Reads a page list against the number of pages there are. Refused (none): an empty text, a "." or a
// second "-", an end page that is no whole number, below 1 or beyond the pages, listed pages that do
// not rise strictly or lie beyond the pages, an end page before the last listed page, and a list that
// names no page at all. Items that are not numbers ("1,,3", "1,a,3") are passed over.
std::optional<PageSelection> ValidatePageList(const QString& text, int totalPages);

// The print-area text of the selected pages: one piece "A<first row>:<last column><last row>" per
// listed page and one for the trailing range, joined by ","; none when a page lies outside the map.
std::optional<QString> PagesToRanges(
    const PageSelection& selection, const PageRowMap& pages, int columnCount);

// What the print range dialog was told to print.
enum class RangeChoice { AllPages, CurrentPage, PageList };

struct PrintRangeRequest {
    RangeChoice choice = RangeChoice::AllPages;
    QString pageList; // the typed list, for RangeChoice::PageList
    int currentPage = 1;
    int totalPages = 0;
};

// The print area of a request: "" prints all pages; none when the page list is refused or names a page
// that was not built.
std::optional<QString> BuildPrintRange(
    const PrintRangeRequest& request, const PageRowMap& pages, int columnCount);

} // namespace output

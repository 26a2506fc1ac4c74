#pragma once

#include <optional>
#include <QSize>

namespace store
{
struct ReportDefinition;
struct PageSettings;
}

// The factors by which a report fitted to its paper (SELF_FIT) stretches its widths and heights: 1.0
// each when it is not fitted.
namespace engine
{

struct DataReportRun;

// The papers a fitted report is stretched between, in the report's orientation (twips): the designed
// paper, the printer's paper as the preparation measured it, and the printer's page height as the
// printer gives it now (none when the printer does not answer, or when fillsPrinterPage says it is not
// needed).
struct FitPapers {
    QSize design;
    QSize printer;
    std::optional<int> printerPageHeight;
};

struct FitFactors {
    double scaleX = 1.0;
    double scaleY = 1.0;
    double detailScale = 1.0;
};

// True when the detail scale of `page` is worked out from the printer's page height: a fitted report
// with a number of rows per page or "AUTO".
bool fillsPrinterPage(const store::PageSettings& page);

// ScaleY: the printer's paper height over the designed one. DetailScale: under "FIX" ScaleY; with a
// number of rows (or "AUTO") the factor that makes `recordsPerPage` detail blocks fill the printer's page
// below the margins and the fixed rows stretched by ScaleY (the designed paper when the printer's page
// height is unknown). ScaleX: the printer's width inside the left and right margins over the stored
// column widths. Both leave a few twips free, and less where the sizes, each rounded to whole twips as
// the page lays them out, would otherwise add up to more than the room they fill. A designed paper,
// detail block or column total of 0 throws platform::Error.
FitFactors fitFactors(const store::ReportDefinition& definition, const FitPapers& papers, int recordsPerPage);

// ScaleX, ScaleY and DetailScale from fitFactors on the run's papers and RecordsPerPage.
void CalcPrintScale(DataReportRun& run);

} // namespace engine

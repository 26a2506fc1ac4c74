#pragma once

#include <functional>
#include <optional>
#include <QSize>

namespace store
{
struct ReportDefinition;
}

// The sizes of the paper a data report is laid out on: the designed paper (the definition's paper code,
// its custom paper, the page_size lookup) and the default printer's page, in twips.
namespace engine
{

struct DataReportRun;

// The designed paper of `paperCode` in portrait sense from what is known of it: `printerPage` when the
// printer gave both its sizes, else the definition's custom paper (code 256, from the PAGE_SIZE note) or
// the page_size lookup's size (`lookup` is asked only then, none without a row). What the printer gave
// stays when nothing else is known; code 256 without a PAGE_SIZE row asks no lookup.
QSize designPaperPortrait(const store::ReportDefinition& definition, int paperCode, QSize printerPage,
    const std::function<std::optional<QSize>()>& lookup);

// designPaperPortrait of the definition in use, with the printer set to `paperCode` (SetPrinterPaper) and
// the page_size table. `width` and `height` come in as the caller's start values (0).
void LoadPaperScale(const store::ReportDefinition& definition, int paperCode, int& width, int& height);

// Sets the printer's paper to `paperCode` and gives its page in portrait sense, or 0 and 0 when the
// printer did not take the code. The custom code 256 is never taken here: the printer's own custom size
// is not the report's, whose size is in its note. On a printer error both stay as they were.
void SetPrinterPaper(int paperCode, int& width, int& height);

// Sets the printer's paper to the definition's PAGE_SIZE (a custom paper with its custom size) and reads
// its page in the report's orientation into PrinterPaperWidth and PrinterPaperHeight. A printer that
// refuses or does not answer leaves them as they were.
void GetPrinterPageSize(DataReportRun& run);

// The default printer's page in the definition's orientation (PAGE_LANDSCAPE), in twips: width and height
// exchanged when the printer is turned the other way. Throws platform::Error when the printer does not
// answer or a size is beyond 16 bits.
QSize printerPageInReportOrientation(const store::ReportDefinition& definition);

} // namespace engine

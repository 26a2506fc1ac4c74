#pragma once

#include <QSize>

// The sizes of the paper a data report is laid out on: the designed paper (the stored paper code, the
// custom size of the report's note, the page_size lookup) and the default printer's page, in twips.
namespace engine
{

// The stored PAGE_SIZE paper code of the current report, 9 (A4) when none is stored. A code that is no
// number throws platform::Error.
int LoadPageSize();

// The designed paper of `paperCode` in portrait sense: the printer's page when the printer takes the
// code, else the custom size of the report's note (code 256) or the page_size lookup. `width` and
// `height` come in as the caller's start values (0) and stay so when nothing is known of the paper.
void LoadPaperScale(int paperCode, int& width, int& height);

// Sets the printer's paper to `paperCode` and gives its page in portrait sense, or 0 and 0 when the
// printer did not take the code. The custom code 256 is never taken here: the printer's own custom size
// is not the report's, whose size is in its note. On a printer error both stay as they were.
void SetPrinterPaper(int paperCode, int& width, int& height);

// Sets the printer's paper to the report's PageSize (a custom paper with the size of the report's note)
// and reads its page in the report's orientation into PrinterPaperWidth and PrinterPaperHeight. A
// printer that refuses or does not answer leaves them as they were.
void GetPrinterPageSize();

// The default printer's page in the report's orientation (PageLandscape), in twips: width and height
// exchanged when the printer is turned the other way. Throws platform::Error when the printer does not
// answer or a size is beyond 16 bits.
QSize printerPageInReportOrientation();

} // namespace engine

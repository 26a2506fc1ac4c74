#pragma once

#include <memory>
#include <QPageSize>
#include <QString>
#include <QStringList>

class QPrinter;

namespace platform::ui
{

// The built-in printer that writes every job to a new PDF file, so that a machine without printers
// can still print and tests print deterministically.
inline const QString PdfPrinterName = QStringLiteral("PDF");

enum class PrinterOrientation { Portrait = 1, Landscape = 2 };

// Paper codes as stored in reports (the Windows paper numbers).
namespace papercodes
{
constexpr int Letter = 1;
constexpr int Legal = 5;
constexpr int A3 = 8;
constexpr int A4 = 9;
constexpr int A5 = 11;
constexpr int B5 = 13;
constexpr int Custom = 256;
} // namespace papercodes

// The installed printers: the system's printers followed by "PDF".
// Throws platform::Error (errors::PrinterFault) when the printer system fails.
QStringList installedPrinters();

// The default printer is the one printing uses unless told otherwise; it starts as the system's
// default printer ("PDF" when the system has none). Its orientation and paper are kept here, as the
// print dialogs and the page setup leave them. Reading them throws platform::Error
// (errors::PrinterFault) when the printer does not answer.
QString defaultPrinterName();
// Makes the installed printer of that name (compared case-insensitively) the default; false, with
// the default unchanged, when there is none.
bool selectDefaultPrinter(const QString& name);
PrinterOrientation defaultPrinterOrientation();
void setDefaultPrinterOrientation(PrinterOrientation orientation);
int defaultPrinterPaperCode();
// Throws platform::Error (errors::InvalidArgument) for a code that names no paper; code 256 (custom)
// keeps the size set by setDefaultPrinterCustomSize.
void setDefaultPrinterPaperCode(int paperCode);
void setDefaultPrinterCustomSize(const QSizeF& sizeMillimetres);
// The default printer's page for its paper and orientation, in twips.
int defaultPrinterPageWidthTwips();
int defaultPrinterPageHeightTwips();

// Paper codes and Qt page sizes. An unknown code gives an invalid QPageSize; a size without a code gives 256.
// The rotated papers (such as 77, A4 rotated) measure as their paper turned: wider than high.
QPageSize pageSizeForPaperCode(int paperCode);
int paperCodeForPageSize(const QPageSize& pageSize);
// Every code that names a paper, in ascending order (256, custom, is not among them).
QList<int> paperCodes();

// A printer for one job on the named printer, with the default printer's paper and orientation.
// For "PDF" it writes a new file in the PDF folder. Throws platform::Error (errors::PrinterFault)
// for a name that is not installed.
std::unique_ptr<QPrinter> makePrinter(const QString& name);

// Where the PDF printer writes: the folder set here, else $ORV_PDF_DIR, else ~/OrvReport-PDF.
QString pdfPrinterFolder();
void setPdfPrinterFolder(const QString& folder);

} // namespace platform::ui

#include "engine/PaperSizes.h"

#include "engine/EngineState.h"
#include "engine/WholeNumbers.h"
#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "platform/ui/Printers.h"
#include "store/ReportKeywords.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

#include <optional>
#include <QStringList>

namespace engine
{

namespace
{

using platform::ui::PrinterOrientation;

// The fields of the custom-paper note: width and height in centimetres, then the same in the
// engine's scaled units (centimetres × 560). None when the report has no PAGE_SIZE row; an empty
// list when the row's note is empty.
std::optional<QStringList> customPaperNote()
{
    const auto rows = store::openStoreSql(QStringLiteral("select * from report_info where report_id =")
        + store::reportIdLiteral() + QStringLiteral(" and info_type='page_size'"));
    if (rows->recordCount() == 0)
        return std::nullopt;
    const QString note = store::trimBlanks(rows->text(QStringLiteral("note")));
    return note.isEmpty() ? QStringList {} : note.split(QLatin1Char('|'));
}

double noteField(const QStringList& fields, int number)
{
    const auto value = fields.size() >= number ? store::toDouble(fields.at(number - 1)) : std::nullopt;
    if (!value)
        throw platform::Error(platform::errors::TypeMismatch, QStringLiteral("OrvReport"),
            QStringLiteral("自定义纸张大小无效：") + fields.join(QLatin1Char('|')));
    return *value;
}

void loadLookupPaper(int paperCode, int& width, int& height)
{
    const auto rows = store::openStoreSql(
        QStringLiteral("select * from page_size where paper_size=") + QString::number(paperCode));
    if (rows->recordCount() == 0)
        return;
    width = roundInt16(rows->field(QStringLiteral("paper_scalewidth")).toDouble());
    height = roundInt16(rows->field(QStringLiteral("paper_scaleheight")).toDouble());
}

// Gives the printer the custom size of the report's note, so that a custom paper prints as designed.
void setPrinterCustomPaper()
{
    const auto fields = customPaperNote();
    if (!fields || fields->isEmpty())
        return;
    constexpr double MillimetresPerCentimetre = 10.0;
    platform::ui::setDefaultPrinterCustomSize(QSizeF(
        noteField(*fields, 1) * MillimetresPerCentimetre, noteField(*fields, 2) * MillimetresPerCentimetre));
}

template <class F> void passOver(F&& statement)
{
    try {
        statement();
    } catch (const std::exception&) {
        // The printer keeps what it had; the sizes keep their previous values.
    }
}

} // namespace

int LoadPageSize()
{
    const auto rows = store::openStoreSql(QStringLiteral("select * from report_info where report_id=")
        + store::reportIdLiteral() + QStringLiteral(" and info_type='PAGE_SIZE'"));
    if (rows->recordCount() == 0)
        return store::keywords::defaults::PageSize;
    return storedInt16(rows->text(QStringLiteral("info_description")));
}

void LoadPaperScale(int paperCode, int& width, int& height)
{
    SetPrinterPaper(paperCode, width, height);
    if (width != 0 && height != 0)
        return;
    if (paperCode == store::keywords::CustomPaperSize) {
        const auto fields = customPaperNote();
        if (!fields)
            return;
        if (!fields->isEmpty()) {
            width = roundInt16(noteField(*fields, 3));
            height = roundInt16(noteField(*fields, 4));
            return;
        }
    }
    loadLookupPaper(paperCode, width, height);
}

void SetPrinterPaper(int paperCode, int& width, int& height)
{
    if (paperCode == store::keywords::CustomPaperSize) {
        width = 0;
        height = 0;
        return;
    }
    try {
        platform::ui::setDefaultPrinterPaperCode(paperCode);
        if (platform::ui::defaultPrinterPaperCode() != paperCode) {
            width = 0;
            height = 0;
            return;
        }
        const int pageWidth = fitInt16(platform::ui::defaultPrinterPageWidthTwips());
        const int pageHeight = fitInt16(platform::ui::defaultPrinterPageHeightTwips());
        const bool landscape = platform::ui::defaultPrinterOrientation() == PrinterOrientation::Landscape;
        width = landscape ? pageHeight : pageWidth;
        height = landscape ? pageWidth : pageHeight;
    } catch (const std::exception&) {
        // A printer that refuses the code or does not answer: the stored sizes serve instead.
    }
}

void GetPrinterPageSize()
{
    const int paperCode = store::reportState().PageSize;
    passOver([&] {
        if (paperCode == store::keywords::CustomPaperSize)
            setPrinterCustomPaper();
        platform::ui::setDefaultPrinterPaperCode(paperCode);
    });
    passOver([] {
        const QSize page = printerPageInReportOrientation();
        dataEngine().PrinterPaperWidth = page.width();
        dataEngine().PrinterPaperHeight = page.height();
    });
}

QSize printerPageInReportOrientation()
{
    const bool printerLandscape = platform::ui::defaultPrinterOrientation() == PrinterOrientation::Landscape;
    const int width = fitInt16(platform::ui::defaultPrinterPageWidthTwips());
    const int height = fitInt16(platform::ui::defaultPrinterPageHeightTwips());
    if (printerLandscape == store::reportState().PageLandscape)
        return QSize(width, height);
    return QSize(height, width);
}

} // namespace engine

#include "engine/PaperSizes.h"

#include "engine/EngineState.h"
#include "engine/WholeNumbers.h"
#include "platform/db/Recordset.h"
#include "platform/ui/Printers.h"
#include "store/CustomPaper.h"
#include "store/ReportDefinition.h"
#include "store/StoreSql.h"

#include <optional>

namespace engine
{

namespace
{

using platform::ui::PrinterOrientation;

// The definition's custom paper; none without a PAGE_SIZE row or when its note holds none.
std::optional<store::CustomPaper> customPaper(const store::ReportDefinition& definition)
{
    const std::optional<QString>& note = definition.paperNote;
    return note ? store::parseCustomPaper(*note) : std::nullopt;
}

std::optional<QSize> lookupPaper(int paperCode)
{
    const auto rows = store::openStoreSql(
        QStringLiteral("select * from page_size where paper_size=") + QString::number(paperCode));
    if (rows->recordCount() == 0)
        return std::nullopt;
    return QSize(roundInt16(rows->field(QStringLiteral("paper_scalewidth")).toDouble()),
        roundInt16(rows->field(QStringLiteral("paper_scaleheight")).toDouble()));
}

// Gives the printer the custom size of the report's note, so that a custom paper prints as designed.
void setPrinterCustomPaper(const DataReportRun& run)
{
    const auto paper = customPaper(run.definition());
    if (!paper)
        return;
    constexpr double MillimetresPerCentimetre = 10.0;
    platform::ui::setDefaultPrinterCustomSize(
        QSizeF(paper->widthCm * MillimetresPerCentimetre, paper->heightCm * MillimetresPerCentimetre));
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

QSize designPaperPortrait(const store::ReportDefinition& definition, int paperCode, QSize printerPage,
    const std::function<std::optional<QSize>()>& lookup)
{
    if (printerPage.width() != 0 && printerPage.height() != 0)
        return printerPage;
    if (paperCode == store::keywords::CustomPaperSize) {
        if (!definition.paperNote)
            return printerPage;
        if (const auto paper = customPaper(definition))
            return QSize(roundInt16(paper->scaledWidth()), roundInt16(paper->scaledHeight()));
    }
    return lookup().value_or(printerPage);
}

void LoadPaperScale(const store::ReportDefinition& definition, int paperCode, int& width, int& height)
{
    SetPrinterPaper(paperCode, width, height);
    const QSize paper = designPaperPortrait(
        definition, paperCode, QSize(width, height), [paperCode] { return lookupPaper(paperCode); });
    width = paper.width();
    height = paper.height();
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

void GetPrinterPageSize(DataReportRun& run)
{
    const int paperCode = run.definition().page.PageSize;
    passOver([&] {
        if (paperCode == store::keywords::CustomPaperSize)
            setPrinterCustomPaper(run);
        platform::ui::setDefaultPrinterPaperCode(paperCode);
    });
    passOver([&] {
        const QSize page = printerPageInReportOrientation(run.definition());
        run.PrinterPaperWidth = page.width();
        run.PrinterPaperHeight = page.height();
    });
}

QSize printerPageInReportOrientation(const store::ReportDefinition& definition)
{
    const bool printerLandscape = platform::ui::defaultPrinterOrientation() == PrinterOrientation::Landscape;
    const int width = fitInt16(platform::ui::defaultPrinterPageWidthTwips());
    const int height = fitInt16(platform::ui::defaultPrinterPageHeightTwips());
    if (printerLandscape == definition.page.PageLandscape)
        return QSize(width, height);
    return QSize(height, width);
}

} // namespace engine

#include "OutputWindowFixture.h"

#include "engine/DataReportBuilder.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "output/ReportPrinter.h"
#include "platform/db/Connection.h"
#include "platform/grid/Sheet.h"
#include "store/DefinitionReader.h"

#include <optional>
#include <QSet>

using namespace outputtest;

namespace
{

class PrintedSheets : public OutputWindowTest
{
protected:
    PrintedSheets()
        : OutputWindowTest(60)
    {
    }
};

OUTPUT_WINDOW_SUITE(PrintedSheets);

// The demo report printed on the PDF printer, fitted to A4 or to a custom paper, and as the print window
// lets a clerk widen its last column on A4: every page counted (by the preview and the print dialog) is one
// sheet of paper and none is empty; a column that does not fit gets a sheet across, a twip does not.
// Every page is as tall as the others, so that the preview shows them alike.
TEST_P(PrintedSheets, EveryPageCountedIsOneSheetAndOnlyColumnsThatDoNotFitGoAcross)
{
    const struct {
        const char* name;
        QString customPaper; // the PAGE_SIZE note; A4 without one
        std::optional<int> beyondPaper; // twips the last column is widened to reach past the paper
        int sheetsAcross;
    } cases[] = {
        { "widened to the paper's width", {}, 0, 1 },
        { "a twip wider than the paper", {}, 1, 1 },
        { "a column wider than the paper", {}, 1000, 2 },
        { "fitted to a custom paper of 25 x 18 cm", QStringLiteral("25|18|14000|10080"), std::nullopt, 1 },
        { "fitted to a custom paper of 25 x 20 cm", QStringLiteral("25|20|14000|11200"), std::nullopt, 1 },
        { "fitted to A4 stored as a custom paper", QStringLiteral("21|29.7|11760|16632"), std::nullopt, 1 },
    };
    constexpr int columns = 7; // the last holds 页数; the margin column follows
    // On A4 first: a custom paper, once stored, stays.
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.customPaper.isEmpty())
            database.connection()->execute(QStringLiteral("update report_info set info_description = '256', "
                                                          "note = '%1' where info_type = 'PAGE_SIZE'")
                                               .arg(c.customPaper));

        engine::DataReportRun run(store::ReadReportDefinition(demo::DataReportId));
        ASSERT_TRUE(engine::CanPrintDataReport(run));
        engine::PrepareReportData(run);
        platform::grid::Sheet sheet;
        engine::CreateDataReport(run, sheet, engine::AllRemainingPages);
        ASSERT_GT(run.TotalPages, 1);
        QSet<long long> heights;
        for (const engine::PageRowRange& page : run.PageRowRanges) {
            long long height = 0;
            for (int row = page.firstRow; row <= page.lastRow; ++row)
                height += sheet.rowHeight(row);
            heights.insert(height);
        }
        EXPECT_EQ(heights.size(), 1);
        long long width = 0;
        for (int col = 1; col <= columns + 1; ++col)
            width += sheet.colWidth(col);
        EXPECT_LE(width, run.PrinterPaperWidth);
        if (c.beyondPaper)
            sheet.setColWidth(
                columns, int(sheet.colWidth(columns) + run.PrinterPaperWidth + *c.beyondPaper - width));

        output::PrintOnDefaultPrinter(sheet, false);
        const QStringList sheets = orvtest::PdfPrints::pageTexts(prints.jobs().back());
        EXPECT_EQ(sheets.size(), run.TotalPages * c.sheetsAcross);
        for (int printed = 0; printed < sheets.size(); ++printed) {
            // The sheet across holds the last column, headed 页数.
            const bool across = printed % c.sheetsAcross > 0;
            const QString heading = across ? QStringLiteral("页数") : QStringLiteral("件号");
            EXPECT_TRUE(sheets[printed].contains(heading)) << "sheet " << printed + 1 << ":\n"
                                                           << sheets[printed].toStdString();
        }
        EXPECT_TRUE(sheets[sheets.size() - c.sheetsAcross].contains(QStringLiteral("制表日期")));
    }
}

} // namespace

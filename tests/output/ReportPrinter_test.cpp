#include "output/ReportPrinter.h"

#include "PdfPrints.h"
#include "platform/Error.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/ScriptedPrinters.h"
#include "store/ReportState.h"

#include <gtest/gtest.h>

using platform::ui::PrinterScript;
using platform::ui::ScriptedPrinters;

namespace
{

TEST(ReportPrinter, AMachineWithoutAnsweringPrintersHasNoneInstalled)
{
    const std::pair<PrinterScript, bool> cases[] = {
        { PrinterScript { {}, {}, 0, 0 }, false },
        { PrinterScript { { "办公室" }, "办公室", platform::errors::PrinterFault, 0 }, false },
        { PrinterScript { { "办公室" }, "办公室", 0, 0 }, true },
    };
    for (const auto& [script, installed] : cases) {
        const ScriptedPrinters printers(script);
        EXPECT_EQ(output::PrinterInstalled(), installed) << script.printers.size() << " " << script.listError;
    }
}

TEST(ReportPrinter, ThePrinterTurnsToTheReportsOrientation)
{
    auto& state = store::reportState();
    const bool formerLandscape = state.PageLandscape;
    const auto formerOrientation = platform::ui::defaultPrinterOrientation();
    for (const bool landscape : { true, false }) {
        state.PageLandscape = landscape;
        output::TurnPrinterToReport();
        EXPECT_EQ(platform::ui::defaultPrinterOrientation(),
            landscape ? platform::ui::PrinterOrientation::Landscape
                      : platform::ui::PrinterOrientation::Portrait);
    }
    state.PageLandscape = formerLandscape;
    platform::ui::setDefaultPrinterOrientation(formerOrientation);
}

// The batches of a report are printed with one piece of print area per built page: each piece starts a
// page of its own even where the rows would fit one sheet of paper.
TEST(ReportPrinter, EachPageOfTheAreaIsAPrintedPage)
{
    const orvtest::PdfPrints prints;
    platform::grid::Sheet sheet;
    for (int row = 1; row <= 9; ++row)
        sheet.setText(row, 1, QStringLiteral("第%1行").arg(row));
    sheet.setPrintArea(QStringLiteral("$A$1:$A$3,$A$4:$A$6,$A$7:$A$9"));

    EXPECT_EQ(output::PrintOnDefaultPrinter(sheet, false), 3);

    ASSERT_EQ(prints.jobs().size(), 1);
    const QString pdf = prints.jobs().front();
    EXPECT_EQ(orvtest::PdfPrints::pageCount(pdf), 3);
    const QString second = orvtest::PdfPrints::pageText(pdf, 2);
    EXPECT_TRUE(second.contains(QStringLiteral("第4行")) && second.contains(QStringLiteral("第6行")))
        << second.toStdString();
    EXPECT_FALSE(second.contains(QStringLiteral("第3行")) || second.contains(QStringLiteral("第7行")));
}

} // namespace

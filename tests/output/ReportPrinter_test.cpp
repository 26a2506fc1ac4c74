#include "output/ReportPrinter.h"

#include "PdfPrints.h"
#include "platform/Error.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/ScriptedPrinters.h"

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

namespace
{

// The engine lays a page out to the paper's size in whole twips (A4: 11906 by 16838) when it prints
// without margins; such a page must come out on one sheet, not spill a column or a row onto a second.
TEST(ReportPrinter, APageOfThePapersSizeInTwipsPrintsOnOneSheet)
{
    const orvtest::PdfPrints prints;
    platform::grid::Sheet sheet;
    platform::grid::PageSetup setup;
    setup.paperSize = platform::ui::papercodes::A4;
    setup.leftMargin = setup.rightMargin = setup.topMargin = setup.bottomMargin = 0;
    setup.headerMargin = setup.footerMargin = 0;
    sheet.setPageSetup(setup);
    sheet.setColWidth(1, 11906 - 2 * 5000);
    sheet.setColWidths(2, 3, 5000);
    sheet.setRowHeight(1, 16838 - 2 * 8000);
    sheet.setRowHeights(2, 3, 8000);
    sheet.setText(3, 3, QStringLiteral("右下角"));

    EXPECT_EQ(output::PrintOnDefaultPrinter(sheet, false), 1);
    ASSERT_EQ(prints.jobs().size(), 1);
    EXPECT_TRUE(orvtest::PdfPrints::pageText(prints.jobs().front(), 1).contains(QStringLiteral("右下角")));
}

} // namespace

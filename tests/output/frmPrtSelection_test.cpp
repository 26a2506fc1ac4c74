#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "output/frmPrtSelection.h"
#include "platform/db/Recordset.h"
#include "platform/ui/ModalDialog.h"
#include "platform/ui/Printers.h"
#include "platform/ui/ScriptedPrinters.h"
#include "platform/ui/ScriptedUi.h"
#include "store/ReportDefinition.h"

#include <functional>
#include <gtest/gtest.h>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using output::frmPrtSelection;
using platform::ui::ScriptedUi;

namespace
{

// A data report of ten pages, twenty sheet rows each, over five columns; three installed printers with
// "Canon" the current one.
class PrtSelectionTest : public testing::Test
{
protected:
    void SetUp() override
    {
        useReport(store::DataReport);
        run.PageSheetRows = 20;
        dialog.TotalPageCount = 10;
        dialog.CurrentPage = 3;
    }
    void useReport(int type)
    {
        store::ReportDefinition definition;
        definition.type = type;
        definition.page.DataRows = 10;
        definition.page.ColCount = 5;
        run.useDefinition(std::make_shared<const store::ReportDefinition>(definition));
    }

    // Shows the dialog modally with the driver working on it; returns the dialog's result.
    int show(std::function<void(frmPrtSelection&)> driver)
    {
        ui.onDialog(QStringLiteral("frmPrtSelection"),
            [&](QDialog& window) { driver(static_cast<frmPrtSelection&>(window)); });
        return platform::ui::showModal(dialog);
    }

    ScriptedUi ui;
    platform::ui::ScriptedPrinters printers { platform::ui::PrinterScript {
        { QStringLiteral("HP"), QStringLiteral("PDF"), QStringLiteral("Canon") }, QStringLiteral("Canon") } };
    engine::DataReportRun run;
    frmPrtSelection dialog { run };
};

TEST_F(PrtSelectionTest, LoadShowsThePagesAndPutsTheCurrentPrinterFirst)
{
    dialog.Copies = 7;
    show([](frmPrtSelection& window) {
        EXPECT_EQ(window.Frame1->title(), QStringLiteral("打印范围，共10页"));
        EXPECT_TRUE(window.Option1->isChecked());
        EXPECT_FALSE(window.Pages->isEnabled());
        EXPECT_EQ(window.Copies, 1);
        QStringList printers;
        for (int i = 0; i < window.CmbPrint->count(); ++i)
            printers.append(window.CmbPrint->itemText(i));
        EXPECT_EQ(printers, (QStringList { "Canon", "HP", "PDF" }));
        EXPECT_EQ(window.CmbPrint->currentText(), QStringLiteral("Canon"));
    });
}

TEST_F(PrtSelectionTest, PageListPrinterAndCopiesComeBackOnOk)
{
    const int result = show([](frmPrtSelection& window) {
        window.CmbPrint->setCurrentText(QStringLiteral("HP"));
        window.Option3->click();
        EXPECT_TRUE(window.Pages->isEnabled());
        window.Pages->setText(QStringLiteral("1,3,5-9"));
        window.Copys->setText(QStringLiteral("3"));
        window.Command1->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(dialog.Confirmed);
    EXPECT_EQ(dialog.PrintRange, QStringLiteral("A1:E20,A41:E60,A81:E100,A101:E180"));
    EXPECT_EQ(dialog.Copies, 3);
    EXPECT_EQ(platform::ui::defaultPrinterName(), QStringLiteral("HP"));
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(PrtSelectionTest, RefusedListKeepsTheDialogOpenWithTheTextAsTyped)
{
    const int result = show([&](frmPrtSelection& window) {
        window.Option3->click();
        window.Pages->setText(QStringLiteral("5-3"));
        window.Command1->click();
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.Confirmed);
        EXPECT_EQ(window.PrintRange, QStringLiteral("-1"));
        EXPECT_EQ(window.Pages->text(), QStringLiteral("5-3"));
        ASSERT_EQ(ui.boxes().size(), 1u);
        EXPECT_EQ(ui.boxes()[0].text, QStringLiteral("未指定有效的页码范围，操作无效"));
        EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("指定打印范围"));
        window.Pages->setText(QStringLiteral("3-5"));
        window.Command1->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(dialog.PrintRange, QStringLiteral("A41:E60,A61:E100"));
}

TEST_F(PrtSelectionTest, CurrentPageOfAStatisticsReportByItsPageStarts)
{
    useReport(store::StatisticsReport);
    dialog.TotalPageCount = 3;
    dialog.CurrentPage = 2;
    dialog.StatPageStarts = { 1, 36, 70 };
    dialog.WorkingLastRow = 90;
    show([](frmPrtSelection& window) {
        window.Option2->click();
        EXPECT_EQ(window.Pages->text(), QStringLiteral("2"));
        EXPECT_FALSE(window.Pages->isEnabled());
        window.Command1->click();
    });
    EXPECT_EQ(dialog.PrintRange, QStringLiteral("A36:E69"));
}

TEST_F(PrtSelectionTest, AllPagesGiveAnEmptyRange)
{
    show([](frmPrtSelection& window) { window.Command1->click(); });
    EXPECT_TRUE(dialog.Confirmed);
    EXPECT_EQ(dialog.PrintRange, QString());
}

TEST_F(PrtSelectionTest, CopiesTakeOnlyWholeNumbersOfTheRange)
{
    show([](frmPrtSelection& window) {
        const std::pair<const char*, int> typed[] = { { "4", 4 }, { "0", 4 }, { "abc", 4 }, { "40000", 4 },
            { "-2", 4 }, { "2.5", 2 }, { "32767", 32767 }, { "", 32767 } };
        for (const auto& [text, copies] : typed) {
            window.Copys->setText(QString::fromUtf8(text));
            EXPECT_EQ(window.Copies, copies) << text;
        }
    });
}

TEST_F(PrtSelectionTest, CancelAndAnEmptyPrinterBoxLeaveThePrinterAsItWas)
{
    const int cancelled = show([](frmPrtSelection& window) {
        window.CmbPrint->setCurrentText(QStringLiteral("HP"));
        window.Command2->click();
    });
    EXPECT_EQ(cancelled, QDialog::Rejected);
    EXPECT_FALSE(dialog.Confirmed);
    EXPECT_EQ(platform::ui::defaultPrinterName(), QStringLiteral("Canon"));

    ScriptedUi again;
    again.onDialog(QStringLiteral("frmPrtSelection"), [](QDialog& window) {
        auto& selection = static_cast<frmPrtSelection&>(window);
        selection.CmbPrint->clear();
        selection.Command1->click();
    });
    EXPECT_EQ(platform::ui::showModal(dialog), QDialog::Accepted);
    EXPECT_EQ(platform::ui::defaultPrinterName(), QStringLiteral("Canon"));
}

} // namespace

#include "DesignerWindowFixture.h"

#include "dialogs/frmCellFormat.h"
#include "dialogs/frmDataSource.h"

#include <QLineEdit>
#include <QTreeWidget>

using designer::frmReportDesigner;
using platform::grid::BorderSide;
using platform::grid::BorderStyle;

namespace
{

// The designer's cell-format and data-source commands on the demo archive's data report.
class CellDialogCommands : public designertest::DesignerWindowTest
{
protected:
    void SetUp() override
    {
        DesignerWindowTest::SetUp();
        window = openDesigner();
    }
    void TearDown() override
    {
        window.reset();
        DesignerWindowTest::TearDown();
    }

    void select(int row, int col) { DesignerWindowTest::select(*window, row, col); }

    std::unique_ptr<frmReportDesigner> window;
};

// The chosen field goes into the active cell and the input strip, the used size grows to the cell and
// the report is changed; a cancelled dialog changes nothing.
TEST_P(CellDialogCommands, TheDataSourceResultBecomesTheActiveCellsContent)
{
    store::ReportState& state = store::reportState();
    const int row = state.DesignRowCount + 2;
    select(row, 3);
    ui.onDialog("frmDataSource",
        [](QDialog& dialog) { static_cast<dialogs::frmDataSource&>(dialog).cmdCancel_Click(); });
    window->mnuDataSource_Click();
    EXPECT_FALSE(window->ReportModified());
    EXPECT_EQ(window->grid().entry(row, 3), QString());

    platform::ui::ScriptedUi choosing;
    QString field;
    choosing.onDialog("frmDataSource", [&](QDialog& dialog) {
        auto& source = static_cast<dialogs::frmDataSource&>(dialog);
        QTreeWidgetItem* table = source.tvwDataSource->topLevelItem(0)->child(1)->child(0);
        ASSERT_NE(table, nullptr) << "the report's table under 字段";
        source.tvwDataSource->setCurrentItem(table->child(0));
        field = QStringLiteral("@B|") + table->child(0)->text(0);
        source.cmdOk_Click();
    });
    window->mnuDataSource_Click();
    EXPECT_EQ(window->grid().entry(row, 3), field);
    EXPECT_EQ(window->TxtInput->text(), field);
    EXPECT_TRUE(window->ReportModified());
    EXPECT_EQ(state.DesignRowCount, row);
}

TEST_P(CellDialogCommands, AnAppliedFormatChangesTheReportAndTheDismissedDialogDoesNot)
{
    select(2, 3);
    ui.onDialog("frmCellFormat",
        [](QDialog& dialog) { static_cast<dialogs::frmCellFormat&>(dialog).cmdCancel_Click(); });
    window->mnuPopCellFormat_Click();
    EXPECT_FALSE(window->ReportModified());

    platform::ui::ScriptedUi formatting;
    formatting.onDialog("frmCellFormat", [](QDialog& dialog) {
        auto& format = static_cast<dialogs::frmCellFormat&>(dialog);
        format.lblLineStyle_Click(6);
        format.cmdBorder_Click(5);
        format.cmdOK_Click();
    });
    window->mnuCellFormat_Click();
    EXPECT_TRUE(window->ReportModified());
    EXPECT_EQ(window->grid().format(2, 3).border(BorderSide::Bottom)->style, BorderStyle::Thick);
}

INSTANTIATE_TEST_SUITE_P(
    Backends, CellDialogCommands, testing::ValuesIn(orvtest::allBackends()), orvtest::BackendTestName {});

} // namespace

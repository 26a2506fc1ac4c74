#include "DesignerWindowFixture.h"

#include "designer/frmAddRegion.h"
#include "designer/frmColWidth.h"
#include "designer/frmNewReport.h"
#include "designer/frmOpenReport.h"
#include "designer/frmRenameReport.h"
#include "designer/frmReportDesigner.h"
#include "designer/frmResize.h"
#include "designer/frmRowHeight.h"
#include "designer/SizeInput.h"
#include "engine/DataReportBuilder.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "output/frmPreview.h"
#include "store/DefinitionReader.h"
#include "support/CaptionFit.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>

using designer::frmReportDesigner;
using platform::ui::MsgBoxResult;

namespace
{

const QString NewTitle = QStringLiteral("@A|馆藏文书档案目录");

class DesignerWindow : public designertest::DesignerWindowTest
{
};

} // namespace

TEST_P(DesignerWindow, OpensTheReportWithMarkersMenusAndStatus)
{
    const auto window = openDesigner();
    EXPECT_TRUE(window->reportShown());
    EXPECT_EQ(window->windowTitle(), demo::DataReportName);
    EXPECT_EQ(window->txtRange->text(), "B1");
    EXPECT_EQ(window->TxtInput->text(), window->grid().entry(1, 2));
    EXPECT_EQ(panel(*window, "panel1"), "报表设计器");
    EXPECT_EQ(panel(*window, "panel2"), "档案员");
    const store::ReportRegion detail = store::reportState().RegionTable[store::RegionEntry::DataDetail];
    EXPECT_EQ(window->grid().entry(detail.beginRow, 1), "细节区");
    EXPECT_TRUE(window->command("mnuSave")->isEnabled());
    EXPECT_TRUE(window->command("CellFormat")->isEnabled());

    // The marker column: no content, no cell format; the area text follows the click.
    select(*window, detail.beginRow, 1);
    window->fbkRptDesigner_Click(detail.beginRow, 1);
    EXPECT_EQ(window->TxtInput->text(), "");
    EXPECT_FALSE(window->command("CellFormat")->isEnabled());
    EXPECT_EQ(panel(*window, "panel1"), "报表区域标志区");
    EXPECT_EQ(window->txtRange->text(), QStringLiteral("A%1").arg(detail.beginRow));

    // The screenshot: the detail band's marker in its blue, the toolbar with the theme's icons.
    window->resize(1000, 700);
    window->show();
    const QImage shot = window->grab().toImage();
    const QRect marker = window->fbkRptDesigner->cellRect(detail.beginRow, 1);
    const QPoint inside
        = window->fbkRptDesigner->viewport()->mapTo(window.get(), marker.topLeft() + QPoint(3, 3));
    EXPECT_EQ(shot.pixelColor(inside), QColor(0, 0, 255));
    EXPECT_FALSE(window->command("Save")->icon().isNull());
    window->hide();
}

// Type a text, insert a detail row, add a group level, widen a column, save; the reopened report and
// its stored rows hold exactly these edits, and the engine prints the new text.
TEST_P(DesignerWindow, EditSaveReopenAndPrint)
{
    const auto window = openDesigner();
    store::ReportState& state = store::reportState();
    const store::RegionTable before = state.RegionTable;
    const int rowsBefore = state.DesignRowCount;
    const int detail = before[store::RegionEntry::DataDetail].beginRow;

    type(*window, 1, 2, NewTitle);
    EXPECT_TRUE(window->ReportModified());
    EXPECT_EQ(window->TxtInput->text(), NewTitle);

    select(*window, detail, 3);
    window->mnuInsertRowBelow_Click();
    ui.onDialog("frmAddRegion", [](QDialog& dialog) {
        auto& add = static_cast<designer::frmAddRegion&>(dialog);
        add.optRegion[2]->setChecked(true);
        add.cmdAdd_Click();
    });
    window->fbkRptDesigner_Click(detail, 3);
    const QString detailEntry = window->TxtInput->text();
    window->command("mnuAddRegion")->trigger();
    // The new group head took the active cell's row: the content strip shows what the cell holds now.
    EXPECT_EQ(window->grid().activeRow(), detail);
    EXPECT_EQ(window->TxtInput->text(), window->grid().entry(detail, 3));
    EXPECT_EQ(window->grid().entry(detail + 1, 3), detailEntry);
    EXPECT_NE(window->TxtInput->text(), detailEntry);
    select(*window, 2, 4);
    const QString shownWidth = designer::CentimetreText(window->grid().colWidth(4));
    ui.onDialog("frmColWidth", [&](QDialog& dialog) {
        auto& width = static_cast<designer::frmColWidth&>(dialog);
        EXPECT_EQ(width.txtColWidth->text(), shownWidth);
        width.txtColWidth->setText("3");
        width.cmdOK_Click();
    });
    window->mnuColWidth_Click();
    EXPECT_EQ(window->grid().colWidth(4), 3 * 567);
    EXPECT_EQ(state.DesignRowCount, rowsBefore + 3);
    const store::RegionTable edited = state.RegionTable;
    EXPECT_EQ(
        edited[store::RegionEntry::DataDetail].endRow, before[store::RegionEntry::DataDetail].endRow + 2);
    EXPECT_TRUE(edited[store::RegionEntry::GroupHead3].present);

    ASSERT_TRUE(window->mnuSave_Click());
    EXPECT_TRUE(ui.boxes().empty()) << ui.boxTexts().join("\n").toStdString();
    EXPECT_FALSE(window->ReportModified());
    const platform::grid::Sheet saved = window->grid();
    const QList<QStringList> stored = allRows(demo::DataReportId);
    EXPECT_TRUE(window->Form_Unload());
    EXPECT_TRUE(ui.boxes().empty());

    report->setReportId(demo::DataReportId);
    const auto reopened = openDesigner();
    EXPECT_EQ(state.RegionTable, edited);
    EXPECT_EQ(state.DesignRowCount, rowsBefore + 3);
    expectSameDesign(saved, reopened->grid(), state.DesignRowCount, 1, state.DesignColCount);
    EXPECT_EQ(
        reportRows("report_data", "data_description1", demo::DataReportId).contains(QStringList { NewTitle }),
        true);
    EXPECT_EQ(scalar(QStringLiteral("select info_description from report_info where report_id='%1' and "
                                    "info_type='GROUP_HEAD' and info_order=3")
                         .arg(demo::DataReportId)),
        QStringLiteral("%1:%1").arg(edited[store::RegionEntry::GroupHead3].beginRow));
    // Saving the reopened report again writes the same rows: nothing else was changed.
    reopened->setReportModified(true);
    ASSERT_TRUE(reopened->mnuSave_Click());
    EXPECT_EQ(allRows(demo::DataReportId), stored);
    reopened->Form_Unload();

    state.ReportId = demo::DataReportId;
    state.TABLENAME = demo::SampleReportGroup;
    engine::DataReportRun run(store::ReadReportDefinition(state.ReportId));
    ASSERT_TRUE(engine::CanPrintDataReport(run));
    engine::PrepareReportData(run);
    platform::grid::Sheet pages;
    engine::CreateDataReport(run, pages, engine::AllRemainingPages);
    engine::ClearReportData(run);
    bool found = false;
    for (int row = 1; row <= pages.lastDataRow() && !found; ++row)
        for (int col = 1; col <= pages.lastDataCol() && !found; ++col)
            found = pages.text(row, col) == NewTitle.mid(3);
    EXPECT_TRUE(found);
}

TEST_P(DesignerWindow, RefusedOpenFailedNewAndPreviewKeepTheShownReport)
{
    const auto window = openDesigner();
    store::ReportState& state = store::reportState();
    execute("insert into report_index(report_id,report_name,report_type,report_group_id) "
            "values('20240301000000000009','残缺报表',1,'wsda')");
    ui.onDialog("frmOpenReport", [](QDialog& dialog) {
        auto& open = static_cast<designer::frmOpenReport&>(dialog);
        open.lstReportName->setCurrentRow(open.lstReportName->count() - 1);
        open.cmdOK_Click();
    });
    window->mnuOpen_Click();
    EXPECT_EQ(ui.boxTexts(), QStringList({ "报表数据不完整，不能打开该报表！" }));
    EXPECT_EQ(state.ReportId, demo::DataReportId);
    EXPECT_EQ(state.ReportName, demo::DataReportName);

    // The wizard is not there: the new report is refused and the shown one keeps its name.
    ui.onDialog("frmNewReport", [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>()->setText("新报表");
        QMetaObject::invokeMethod(&dialog, "cmdOK_Click");
    });
    window->mnuNew_Click();
    EXPECT_EQ(ui.boxTexts().last(), "报表生成出错！");
    EXPECT_EQ(state.ReportId, demo::DataReportId);
    EXPECT_EQ(state.ReportName, demo::DataReportName);

    // The preview shows the report as the designer loaded it, whatever another clerk stored meanwhile, and
    // leaves the designer's unsaved page settings and rows as they are.
    select(*window, 3, 3);
    window->mnuInsertRowAbove_Click();
    state.DataRows = 7;
    const store::RegionTable regions = state.RegionTable;
    const int rows = state.DesignRowCount;
    execute("update report_data set data_description1 = '@A|别人的标题' where row_no = 1 and col_no = 2");
    ui.queueAnswer(MsgBoxResult::No);
    QString previewTitle;
    ui.onDialog("frmPreview", [&](QDialog& dialog) {
        auto& preview = static_cast<frmPreview&>(dialog);
        preview.Form_Activate();
        previewTitle = preview.report().text(2, 2);
    });
    window->mnuPreview_Click();
    EXPECT_TRUE(ui.shownDialogs().contains("frmPreview"));
    EXPECT_EQ(previewTitle, window->grid().text(1, 2).mid(3));
    EXPECT_EQ(state.DataRows, 7);
    EXPECT_EQ(state.DesignRowCount, rows);
    EXPECT_EQ(state.RegionTable, regions);
    EXPECT_TRUE(window->ReportModified());

    // Opening a report starts from a fresh grid: no size of the report shown before stays.
    window->grid().setColWidth(9, 4321);
    platform::ui::ScriptedUi reopening;
    reopening.onDialog("frmOpenReport",
        [](QDialog& dialog) { static_cast<designer::frmOpenReport&>(dialog).cmdOK_Click(); });
    reopening.queueAnswer(MsgBoxResult::No);
    window->mnuOpen_Click();
    EXPECT_EQ(reopening.boxTexts(), QStringList({ "报表已经修改，是否保存?" }));
    EXPECT_FALSE(window->ReportModified());
    EXPECT_EQ(window->grid().colWidth(9), platform::grid::Sheet().colWidth(9));
}

TEST_P(DesignerWindow, FailedSaveEditsAfterSaveAndDelete)
{
    const auto window = openDesigner();
    store::ReportState& state = store::reportState();
    const QList<QStringList> stored = allRows(demo::DataReportId);
    type(*window, 1, 2, NewTitle);

    refuse("insert", "report_data", "NEW.report_id is not null");
    EXPECT_FALSE(window->mnuSave_Click());
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_TRUE(ui.boxTexts()[0].startsWith("报表保存出错：")) << ui.boxTexts()[0].toStdString();
    EXPECT_TRUE(window->ReportModified());
    EXPECT_EQ(allRows(demo::DataReportId), stored);
    // Closing then asks; a save that fails again keeps the window open.
    ui.queueAnswer(MsgBoxResult::Yes);
    EXPECT_FALSE(window->Form_Unload());
    EXPECT_EQ(ui.boxTexts()[1], "报表已经修改，是否保存？");
    allow();

    // An edit after a save is asked about.
    ASSERT_TRUE(window->mnuSave_Click());
    type(*window, 2, 3, "@A|件号");
    ui.queueAnswer(MsgBoxResult::Cancel);
    EXPECT_FALSE(window->Form_Unload());
    EXPECT_EQ(ui.boxTexts().last(), "报表已经修改，是否保存？");

    // A deleted report is no longer current: nothing is saved or asked afterwards.
    ui.queueAnswer(MsgBoxResult::Yes);
    window->mnuDeleteReport_Click();
    EXPECT_TRUE(allRows(demo::DataReportId).isEmpty());
    EXPECT_TRUE(state.ReportId.isEmpty());
    EXPECT_FALSE(window->reportShown());
    EXPECT_EQ(panel(*window, "panel1"), "报表设计器") << "no area of a report shown is named";
    EXPECT_FALSE(window->command("mnuSave")->isEnabled());
    EXPECT_TRUE(window->command("mnuNew")->isEnabled());
    const std::size_t boxes = ui.boxes().size();
    EXPECT_FALSE(window->mnuSave_Click());
    EXPECT_TRUE(window->Form_Unload());
    EXPECT_EQ(ui.boxes().size(), boxes);
    EXPECT_TRUE(allRows(demo::DataReportId).isEmpty());
    EXPECT_EQ(state.ReportGroupId, "");
}

// The host's ShowReportDesigner opens the window; a statistics report has no region menu and no marker
// column, and closing empties the report's identity in the state.
TEST_P(DesignerWindow, HostOpensTheDesignerOnAStatisticsReport)
{
    report->setReportId(demo::StatisticsReportId);
    ui.onDialog("frmReportDesigner", [](QDialog& dialog) {
        auto& window = static_cast<frmReportDesigner&>(dialog);
        EXPECT_TRUE(window.reportShown());
        EXPECT_EQ(window.windowTitle(), demo::StatisticsReportName);
        EXPECT_FALSE(window.menu("mnuReportRegion")->menuAction()->isVisible());
        EXPECT_EQ(window.txtRange->text(), "A1");
        window.fbkRptDesigner_Click(1, 1);
        EXPECT_TRUE(window.command("mnuCellFormat")->isEnabled());
        // Deleting the last row moves the selection to the new last row.
        const int lastRow = window.grid().maxRow();
        select(window, lastRow, 2);
        window.mnuDeleteRow_Click();
        EXPECT_EQ(window.grid().maxRow(), lastRow - 1);
        EXPECT_EQ(window.grid().activeRow(), lastRow - 1);
        EXPECT_EQ(window.txtRange->text(), QStringLiteral("B%1").arg(lastRow - 1));
        EXPECT_TRUE(window.ReportModified());
        window.setReportModified(false);
        window.mnuExit_Click();
    });
    int type = store::StatisticsReport;
    report->ShowReportDesigner(&type);
    EXPECT_EQ(ui.shownDialogs(), QStringList { "designer::frmReportDesigner" });
    const store::ReportState& state = store::reportState();
    EXPECT_TRUE(state.ReportId.isEmpty());
    EXPECT_TRUE(state.TABLENAME.isEmpty());
    EXPECT_TRUE(state.ReportGroupId.isEmpty());
    EXPECT_TRUE(state.ReportName.isEmpty());
}

// A preview refused for a design wider than the paper is told in the designer and leaves no error for
// the host, which would otherwise take the whole design session for a failure.
TEST_P(DesignerWindow, ARefusedPreviewIsNoFailureOfTheSession)
{
    const auto window = openDesigner();
    window->grid().setColWidth(3, 5670);
    ASSERT_TRUE(window->mnuSave_Click());
    ui.onDialog("frmPreview", [](QDialog& dialog) { static_cast<frmPreview&>(dialog).Form_Activate(); });
    window->mnuPreview_Click();
    EXPECT_EQ(ui.boxTexts(), QStringList { "报表列宽超过设计纸张大小，请到报表设计模块修改！" });
    EXPECT_EQ(store::reportState().ErrorMessage, "");
}

// An entry still open in the cell editor counts: Save stores it, and closing asks about it; a plain text
// typed is stored as a fixed text.
TEST_P(DesignerWindow, AnEntryStillBeingTypedIsSavedAndAskedAbout)
{
    const auto window = openDesigner();
    const auto typeWithoutEnter = [&](int row, int col, const QString& entry) {
        select(*window, row, col);
        ASSERT_TRUE(window->fbkRptDesigner->startEdit());
        window->fbkRptDesigner->findChild<platform::grid::CellEditor*>()->setText(entry);
    };
    typeWithoutEnter(1, 2, NewTitle);
    window->command("Save")->trigger();
    EXPECT_FALSE(window->fbkRptDesigner->isEditing());
    EXPECT_TRUE(reportRows("report_data", "data_description1", demo::DataReportId)
                    .contains(QStringList { NewTitle }));
    EXPECT_FALSE(window->ReportModified());

    // A plain text is kept as a fixed text, which prints.
    type(*window, 2, 4, "责任者");
    EXPECT_EQ(window->grid().entry(2, 4), "@A|责任者");
    EXPECT_EQ(window->TxtInput->text(), "@A|责任者");

    typeWithoutEnter(2, 3, "@A|件号");
    ui.queueAnswer(MsgBoxResult::Cancel);
    EXPECT_FALSE(window->Form_Unload());
    EXPECT_EQ(ui.boxTexts(), QStringList { "报表已经修改，是否保存？" });
    window->setReportModified(false);
}

// A host's stale id opens the designer on no report, told as such: New and Open work, Save writes nothing.
TEST_P(DesignerWindow, AnIdTheArchiveDoesNotHoldOpensOnNoReport)
{
    openOn("99999999999999999999", store::DataReport);
    const QString indexed = scalar("select count(*) from report_index");
    const auto window = openDesigner();
    EXPECT_EQ(ui.boxTexts(), QStringList { store::ReportMissingMessage });
    EXPECT_FALSE(window->reportShown() || window->command("mnuSave")->isEnabled() || window->mnuSave_Click());
    EXPECT_TRUE(window->command("mnuNew")->isEnabled() && window->command("mnuOpen")->isEnabled());
    EXPECT_EQ(scalar("select count(*) from report_index"), indexed);
}

// A report stored without a name (the open list leaves it out) asks for one on save, as New does; closed
// without a name, the name dialog lets nothing be written.
TEST_P(DesignerWindow, AReportWithoutANameAsksForOneOnSave)
{
    execute("update report_index set report_name='' where report_id='" + demo::DataReportId + "'");
    const auto window = openDesigner();
    const QList<QStringList> stored = allRows(demo::DataReportId);
    EXPECT_FALSE(window->mnuSave_Click());
    EXPECT_EQ(allRows(demo::DataReportId), stored);
    ui.onDialog("frmNewReport", [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>()->setText("补名报表");
        QMetaObject::invokeMethod(&dialog, "cmdOK_Click");
    });
    EXPECT_TRUE(window->mnuSave_Click());
    EXPECT_EQ(ui.shownDialogs(), QStringList({ "designer::frmNewReport", "designer::frmNewReport" }));
    EXPECT_EQ(
        allRows(demo::DataReportId).first(), QStringList({ "report_index", "补名报表", "1", "wsda", "" }));
}

// The designer opens within the screen; each of its windows at its smallest keeps every caption whole and
// every button inside.
TEST_P(DesignerWindow, EveryWindowKeepsItsCaptionsWholeAtItsMinimumSize)
{
    const auto window = openDesigner();
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE(window->width(), screen.width());
    EXPECT_LE(window->height(), screen.height());
    EXPECT_EQ(testsupport::cutCaptions(*window), QStringList());
    designer::frmAddRegion addRegion(window->grid());
    EXPECT_EQ(testsupport::cutCaptions(addRegion), QStringList());
    designer::frmColWidth width;
    EXPECT_EQ(testsupport::cutCaptions(width), QStringList());
    designer::frmRowHeight height;
    EXPECT_EQ(testsupport::cutCaptions(height), QStringList());
    designer::frmResize zoom(100);
    EXPECT_EQ(testsupport::cutCaptions(zoom), QStringList());
    designer::frmNewReport newReport;
    EXPECT_EQ(testsupport::cutCaptions(newReport), QStringList());
    designer::frmOpenReport open;
    EXPECT_EQ(testsupport::cutCaptions(open), QStringList());
    designer::frmRenameReport rename;
    EXPECT_EQ(testsupport::cutCaptions(rename), QStringList());
    window->setReportModified(false);
}

INSTANTIATE_TEST_SUITE_P(
    Backends, DesignerWindow, testing::ValuesIn(orvtest::allBackends()), orvtest::BackendTestName {});

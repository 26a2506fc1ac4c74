#include "component/CReportOrv.h"
#include "dialogs/frmPageSetup.h"
#include "platform/db/Connection.h"
#include "platform/ui/ModalDialog.h"
#include "platform/ui/ScriptedUi.h"
#include "store/ReportLoader.h"
#include "store/ReportState.h"
#include "support/TestDatabase.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using dialogs::frmPageSetup;
using platform::ui::MsgBoxResult;
using platform::ui::ScriptedUi;

namespace
{

const QString Id = QStringLiteral("20240101120000123456");

// A data report of the state with the default page settings on A4, on a database with the component's
// tables and paper sizes; the dialog is driven through the scripted layer.
class PageSetupDialog : public orvtest::BackendTest
{
protected:
    void SetUp() override
    {
        database.emplace(GetParam());
        store::reportState() = store::ReportState {};
        store::ReportState& state = store::reportState();
        state.Connection = database->connection();
        state.ReportId = Id;
        state.ReportType = store::DataReport;
    }
    void TearDown() override
    {
        store::reportState() = store::ReportState {};
        database.reset();
    }

    // Shows a new dialog with the driver working on it; message boxes get the given answers, then their
    // first button.
    int show(std::function<void(frmPageSetup&)> driver, const QList<MsgBoxResult>& answers = {})
    {
        frmPageSetup dialog;
        ScriptedUi script;
        for (MsgBoxResult answer : answers)
            script.queueAnswer(answer);
        script.onDialog(QStringLiteral("frmPageSetup"),
            [&](QDialog& window) { driver(static_cast<frmPageSetup&>(window)); });
        const int result = platform::ui::showModal(dialog);
        changed = dialog.PageSetupChanged;
        boxes = script.boxTexts();
        return result;
    }

    void execute(const QString& sql) { database->connection()->execute(sql); }
    void addPageSizeRow(const QString& note)
    {
        execute(
            QStringLiteral("insert into report_info(report_id,info_type,info_order,info_description,note) "
                           "values('%1','PAGE_SIZE',1,'256',%2)")
                .arg(Id, note));
    }
    QList<QStringList> pageSizeRows() const
    {
        return database->rows(
            QStringLiteral("select info_type,info_description,note from report_info where report_id='%1'")
                .arg(Id));
    }

    static void choosePaper(frmPageSetup& window, const QString& name)
    {
        const int index = window.cboPagesize->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        window.cboPagesize->setCurrentIndex(index);
    }

    std::optional<orvtest::TestDatabase> database;
    bool changed = false;
    QStringList boxes;
};

TEST_P(PageSetupDialog, LoadShowsTheStateAndThePaperTable)
{
    store::reportState().DataRows = 15;
    store::reportState().PageLandscape = true;
    store::reportState().SelfFit = false;
    show([&](frmPageSetup& window) {
        QStringList papers;
        for (int i = 0; i < window.cboPagesize->count(); ++i)
            papers.append(window.cboPagesize->itemText(i));
        QStringList tablePapers;
        for (const QStringList& row : database->rows(QStringLiteral("select paper_name from page_size")))
            tablePapers.append(row.at(0));
        tablePapers.sort();
        QStringList shownSorted = papers;
        shownSorted.sort();
        EXPECT_EQ(shownSorted, tablePapers);
        EXPECT_EQ(window.cboPagesize->currentText(), QStringLiteral("A4"));
        EXPECT_EQ(window.txtPageWidth->text(), QStringLiteral("21"));
        EXPECT_EQ(window.txtPageHeight->text(), QStringLiteral("29.7"));
        EXPECT_FALSE(window.txtPageWidth->isEnabled());
        EXPECT_EQ(window.txtLeftMarge->text(), QStringLiteral("2"));
        EXPECT_EQ(window.txtBottomMarge->text(), QStringLiteral("1"));
        EXPECT_TRUE(window.optOriention[1]->isChecked());
        EXPECT_TRUE(window.optFixRows[0]->isChecked());
        EXPECT_EQ(window.txtRows->text(), QStringLiteral("15"));
        EXPECT_TRUE(window.optSelfFit[1]->isChecked());
        EXPECT_TRUE(window.optRecount[0]->isChecked());
        EXPECT_TRUE(window.fraStyle->isEnabled());
        EXPECT_EQ(window.lblMessage->text(), QStringLiteral("设置打印内容页边距。"));
        EXPECT_TRUE(window.PageSetupChanged);
        window.tabPageSetup->setCurrentIndex(1);
        EXPECT_EQ(window.lblMessage->text(), QStringLiteral("设置纸张类型及打印方向。"));
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(window.txtRightMarge, &enter);
        EXPECT_EQ(
            window.lblMessage->text(), QStringLiteral("设置报表最右边的打印内容到打印纸张右边界的距离。"));
        window.cmdOk->click();
    });
    EXPECT_TRUE(changed); // OK without an edit still counts as a change
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_P(PageSetupDialog, CustomPaperIsKeptInTheNoteAndShownAgain)
{
    addPageSizeRow(QStringLiteral("NULL"));
    const int result = show([](frmPageSetup& window) {
        choosePaper(window, QStringLiteral("自定义"));
        EXPECT_TRUE(window.txtPageWidth->isEnabled());
        window.txtPageWidth->setText(QStringLiteral(" 25.0"));
        window.txtPageHeight->setText(QStringLiteral("30"));
        window.txtLeftMarge->setText(QStringLiteral("1.5"));
        window.cmdOk->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(store::reportState().PageSize, 256);
    EXPECT_DOUBLE_EQ(store::reportState().LeftMarge, 0.590625);
    EXPECT_EQ(pageSizeRows(), (QList<QStringList> { { "PAGE_SIZE", "256", "25|30|14000|16800" } }));

    show([](frmPageSetup& window) {
        EXPECT_EQ(window.cboPagesize->currentText(), QStringLiteral("自定义"));
        EXPECT_EQ(window.txtPageWidth->text(), QStringLiteral("25"));
        EXPECT_EQ(window.txtPageHeight->text(), QStringLiteral("30"));
        EXPECT_EQ(window.txtLeftMarge->text(), QStringLiteral("1.5"));
    });
}

TEST_P(PageSetupDialog, CustomPaperWithoutItsRowGetsOne)
{
    execute(QStringLiteral("insert into report_info(report_id,info_type,info_order,info_description) "
                           "values('%1','DATA_ROWS',1,'10')")
                .arg(Id));
    show([](frmPageSetup& window) {
        choosePaper(window, QStringLiteral("自定义"));
        // No paper-setting row: the boxes keep the size of the paper shown before.
        EXPECT_EQ(window.txtPageWidth->text(), QStringLiteral("21"));
        EXPECT_EQ(window.txtPageHeight->text(), QStringLiteral("29.7"));
        window.txtPageWidth->setText(QStringLiteral("10.5"));
        window.txtPageHeight->setText(QStringLiteral("8"));
        window.cmdOk->click();
    });
    EXPECT_EQ(pageSizeRows(),
        (QList<QStringList> { { "DATA_ROWS", "10", "" }, { "PAGE_SIZE", "256", "10.5|8|5880|4480" } }));
}

TEST_P(PageSetupDialog, CustomPaperWithAnEmptyNoteShowsTheTableSize)
{
    execute(QStringLiteral("update page_size set paper_width=20, paper_height=28 where paper_size=256"));
    addPageSizeRow(QStringLiteral("''"));
    store::reportState().PageSize = 256;
    show([](frmPageSetup& window) {
        EXPECT_EQ(window.cboPagesize->currentText(), QStringLiteral("自定义"));
        EXPECT_EQ(window.txtPageWidth->text(), QStringLiteral("20"));
        EXPECT_EQ(window.txtPageHeight->text(), QStringLiteral("28"));
    });
}

TEST_P(PageSetupDialog, RefusedCustomSizeWritesNothing)
{
    addPageSizeRow(QStringLiteral("'20|30|11200|16800'"));
    store::reportState().PageSize = 256;
    show([&](frmPageSetup& window) {
        window.txtPageHeight->setText(QStringLiteral("51"));
        window.txtTopMarge->setText(QStringLiteral("3"));
        window.cmdOk->click();
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.focusWidget(), window.txtPageHeight);
        window.cmdCancel->click();
    });
    EXPECT_EQ(boxes, QStringList { "输入数字必须在1 与 50 之间，请重新输入上述区域之间的数字。" });
    EXPECT_FALSE(changed);
    EXPECT_EQ(pageSizeRows(), (QList<QStringList> { { "PAGE_SIZE", "256", "20|30|11200|16800" } }));
    EXPECT_DOUBLE_EQ(store::reportState().TopMarge, 0.39375);
}

TEST_P(PageSetupDialog, StandardPaperBeyondFiftyCentimetresIsAccepted)
{
    execute(QStringLiteral(
        "insert into page_size(paper_size,paper_name,paper_width,paper_height,paper_scalewidth,"
        "paper_scaleheight) values(66,'A2',42,59.4,23520,33264)"));
    const int result = show([](frmPageSetup& window) {
        choosePaper(window, QStringLiteral("A2"));
        EXPECT_EQ(window.txtPageHeight->text(), QStringLiteral("59.4"));
        window.cmdOk->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(store::reportState().PageSize, 66);
    EXPECT_TRUE(pageSizeRows().isEmpty());
}

TEST_P(PageSetupDialog, RowsFaultShowsItsTabAndBox)
{
    show([](frmPageSetup& window) {
        window.txtRows->setText(QStringLiteral("51"));
        window.cmdOk->click();
        EXPECT_EQ(window.tabPageSetup->currentIndex(), 2);
        EXPECT_EQ(window.focusWidget(), window.txtRows);
        window.optFixRows[1]->setChecked(true);
        EXPECT_FALSE(window.txtRows->isEnabled());
        window.cmdOk->click();
    });
    EXPECT_EQ(boxes, QStringList { "报表行数不允许超过50行，请重新设置行数！" });
    EXPECT_EQ(store::reportState().DataRows, -1);
}

TEST_P(PageSetupDialog, StatisticsReportKeepsItsPrintTypeAndRecount)
{
    store::ReportState& state = store::reportState();
    state.ReportType = store::StatisticsReport;
    state.DataRows = 60;
    state.PageRecount = false;
    show([](frmPageSetup& window) {
        EXPECT_FALSE(window.fraStyle->isEnabled());
        EXPECT_FALSE(window.fraPageRecount->isEnabled());
        EXPECT_FALSE(window.txtRows->isEnabledTo(&window));
        EXPECT_TRUE(window.fraSelfFit->isEnabled());
        window.optSelfFit[1]->setChecked(true);
        window.cmdOk->click();
    });
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(state.DataRows, 60);
    EXPECT_FALSE(state.PageRecount);
    EXPECT_FALSE(state.SelfFit);
}

TEST_P(PageSetupDialog, DefaultsAddA4WhenTheTableLacksIt)
{
    execute(QStringLiteral("delete from page_size where paper_name='A4'"));
    store::ReportState& state = store::reportState();
    state.PageSize = 8;
    state.DataRows = -2;
    state.LeftMarge = 1;
    state.SelfFit = false;
    show(
        [](frmPageSetup& window) {
            EXPECT_EQ(window.cboPagesize->currentText(), QStringLiteral("A3"));
            window.cmdDefault->click(); // answered No: nothing changes
            EXPECT_EQ(window.cboPagesize->currentText(), QStringLiteral("A3"));
            EXPECT_EQ(window.cboPagesize->findText(QStringLiteral("A4")), -1);
            EXPECT_TRUE(window.optFixRows[2]->isChecked());
        },
        { MsgBoxResult::No });
    EXPECT_EQ(boxes, QStringList { "是否确定要将页边距、纸张大小和报表参数设为默认值？" });

    show([](frmPageSetup& window) {
        window.cmdDefault->click();
        EXPECT_EQ(window.cboPagesize->itemText(window.cboPagesize->count() - 1), QStringLiteral("A4"));
        EXPECT_EQ(window.cboPagesize->currentText(), QStringLiteral("A4"));
        EXPECT_EQ(window.txtPageWidth->text(), QStringLiteral("21"));
        EXPECT_EQ(window.txtPageHeight->text(), QStringLiteral("29.7"));
        EXPECT_EQ(window.txtLeftMarge->text(), QStringLiteral("2"));
        EXPECT_TRUE(window.optFixRows[0]->isChecked());
        EXPECT_EQ(window.txtRows->text(), QStringLiteral("10"));
        window.cmdOk->click();
    });
    EXPECT_EQ(state.PageSize, 9);
    EXPECT_EQ(state.DataRows, 10);
    EXPECT_DOUBLE_EQ(state.LeftMarge, 0.7875);
    EXPECT_TRUE(state.SelfFit);
}

TEST_P(PageSetupDialog, CancelAfterEditsLeavesTheStateAlone)
{
    const int result = show([](frmPageSetup& window) {
        window.txtLeftMarge->setText(QStringLiteral("5"));
        window.optOriention[1]->setChecked(true);
        choosePaper(window, QStringLiteral("A3"));
        window.cmdCancel->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(changed);
    EXPECT_DOUBLE_EQ(store::reportState().LeftMarge, 0.7875);
    EXPECT_FALSE(store::reportState().PageLandscape);
    EXPECT_EQ(store::reportState().PageSize, 9);
}

TEST_P(PageSetupDialog, FailedNoteWriteKeepsTheDialogOpenAndTheStateUnchanged)
{
    execute(QStringLiteral("drop table report_info"));
    const int result = show([](frmPageSetup& window) {
        choosePaper(window, QStringLiteral("自定义"));
        window.txtPageWidth->setText(QStringLiteral("25"));
        window.txtPageHeight->setText(QStringLiteral("30"));
        window.optOriention[1]->setChecked(true);
        window.cmdOk->click();
        EXPECT_TRUE(window.isVisible());
        window.cmdCancel->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(boxes.isEmpty());
    EXPECT_EQ(store::reportState().PageSize, 9);
    EXPECT_FALSE(store::reportState().PageLandscape);
}

TEST_P(PageSetupDialog, PublicClassOpensANewDialog)
{
    ScriptedUi script;
    CReportOrv report;
    report.setConnection(database->connection());
    report.ShowPageSetupDlg();
    EXPECT_EQ(script.boxTexts(), QStringList { store::ReportMissingMessage });
    database->connection()->execute(
        QStringLiteral("insert into report_index(report_id,report_name,"
                       "report_type,report_group_id) values('%1','目录',1,'wsda')")
            .arg(Id));
    report.ShowPageSetupDlg();
    EXPECT_EQ(script.shownDialogs(), QStringList { "dialogs::frmPageSetup" });
}

INSTANTIATE_TEST_SUITE_P(
    Backends, PageSetupDialog, testing::ValuesIn(orvtest::allBackends()), orvtest::BackendTestName());

} // namespace

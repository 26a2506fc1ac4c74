#include "WizardFixture.h"

#include "demo/DemoReports.h"
#include "designer/frmReportDesigner.h"
#include "designer/RegionMarkers.h"
#include "platform/ui/ComponentFolder.h"
#include "store/ReportLookups.h"
#include "support/CaptionFit.h"
#include "wizard/frmWizard.h"
#include "wizard/WizardSeams.h"
#include "wizard/WizardSteps.h"

#include <functional>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using namespace wizardtest;
using platform::ui::MsgBoxResult;
using wizard::frmWizard;
using wizard::NavButton;
using wizard::WizardStep;

namespace
{

void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

TEST(WizardSteps, CaptionsLimitsAndTheirMessages)
{
    EXPECT_EQ(wizard::WizardCaption("目录", WizardStep::Introduction), "报表生成 - 目录 - 开始");
    EXPECT_EQ(wizard::WizardCaption("目录", WizardStep::Groups), "报表生成 - 目录 - 步骤 3");
    EXPECT_EQ(wizard::WizardCaption("目录", WizardStep::Summary), "报表生成 - 目录 - 完成");
    EXPECT_EQ(wizard::CannotAddMoreFieldsText(),
        "您不能选择太多的字段, 本向导支持最多40个字段, \n如果您要多于40个列, 请在设计器中修改");
    EXPECT_EQ(wizard::TooManyFieldsText(),
        "您选择的字段太多, 本向导支持最多40个字段, \n如果您要多于40个列, 请在设计器中修改");
    EXPECT_EQ(wizard::TooManyGroupFieldsText(),
        "您不能选择太多的字段, 在分组中本向导支持最多10个字段, \n如果您要多于10个分组字段, 请在设计器中修改");

    EXPECT_EQ(wizard::FieldsToAddAll(35, 8).take, 5);
    EXPECT_TRUE(wizard::FieldsToAddAll(35, 8).limited);
    EXPECT_FALSE(wizard::FieldsToAddAll(35, 5).limited);
    EXPECT_TRUE(wizard::GroupFieldsFit(9, 1));
    EXPECT_FALSE(wizard::GroupFieldsFit(9, 2));

    // The last field accepted, and the first one too many.
    EXPECT_EQ(wizard::FieldsToAddAll(39, 1).take, 1);
    EXPECT_FALSE(wizard::FieldsToAddAll(39, 1).limited);
    EXPECT_EQ(wizard::FieldsToAddAll(39, 2).take, 1);
    EXPECT_TRUE(wizard::FieldsToAddAll(39, 2).limited);
    EXPECT_EQ(wizard::FieldsToAddAll(40, 1).take, 0);
    const struct {
        int checked;
        bool add; // both add buttons, with entries to add and one selected
        bool next;
        bool tooMany;
    } limits[] = { { 39, true, true, false }, { 40, false, true, false }, { 41, false, false, true } };
    for (const auto& c : limits) {
        const wizard::FieldButtons buttons = wizard::FieldButtonStates(c.checked, 5, 1, c.checked, 0);
        EXPECT_EQ(buttons.addOne, c.add) << c.checked;
        EXPECT_EQ(buttons.addAll, c.add) << c.checked;
        EXPECT_EQ(buttons.next, c.next) << c.checked;
        EXPECT_EQ(buttons.tooMany, c.tooMany) << c.checked;
    }
}

class WizardWindow : public WizardTest
{
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        wizard::installWizardSeams();
        store::reportState().ReportGroupId = "wsda";
        store::reportState().ReportName = "新目录";
        store::reportState().TABLENAME = "wsda";
    }

    // A loaded window on wsda, as the store's hook makes it before showing it.
    std::unique_ptr<frmWizard> openWindow()
    {
        auto window = std::make_unique<frmWizard>();
        window->setReportName("新目录");
        window->setGroupID("wsda");
        window->setLinkTableName("wsda");
        EXPECT_EQ(window->LinkTableName(), "wsda");
        window->Form_Load();
        return window;
    }

    static QTreeWidgetItem* node(frmWizard& window, const QString& text)
    {
        for (QTreeWidgetItemIterator it(window.tvTables); *it; ++it) {
            if ((*it)->text(0) == text)
                return *it;
        }
        ADD_FAILURE() << "no node " << text.toStdString();
        return nullptr;
    }

    static void addTable(frmWizard& window, const QString& text)
    {
        window.tvTables_NodeClick(node(window, text));
        window.cmdAddTable_Click();
    }

    static void select(QListWidget* list, int first, int count)
    {
        list->clearSelection();
        for (int i = first; i < first + count && i < list->count(); ++i)
            list->item(i)->setSelected(true);
    }

    // Steps 1 and 2: the source table chosen and its first `fields` fields checked.
    static void checkFields(frmWizard& window, int fields)
    {
        window.cmdNav_Click(NavButton::Next);
        addTable(window, "文书档案");
        window.cmdNav_Click(NavButton::Next);
        select(window.lstSourceField, 0, fields);
        window.cmdAddField_Click();
    }

    QStringList boxTexts() const { return ui.boxTexts(); }

    // `count` more visible fields of the documents, 45 in all with `count` 30.
    void addVisibleFields(int count)
    {
        for (int i = 1; i <= count; ++i)
            execute(QStringLiteral(
                "insert into table_struct_description (table_name, table_chn_name, column_name, "
                "column_type, column_chn_name, column_visible) values ('wsda', '文书档案', 'extra%1', "
                "'varchar', '附加%1', 'T')")
                        .arg(i));
    }
};
WIZARD_TEST_SUITE(WizardWindow);

// The wizard opens within the screen; every step at the window's smallest size keeps every caption whole
// and every button inside.
TEST_P(WizardWindow, EveryStepKeepsItsCaptionsWholeAtTheMinimumSize)
{
    const auto window = openWindow();
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE(window->width(), screen.width());
    EXPECT_LE(window->height(), screen.height());
    EXPECT_EQ(testsupport::cutCaptions(*window), QStringList());
    checkFields(*window, 3);
    for (int step = 1; step <= 5; ++step) {
        EXPECT_EQ(testsupport::cutCaptions(*window), QStringList()) << "step " << step;
        window->cmdNav_Click(NavButton::Next);
    }
    EXPECT_TRUE(boxTexts().isEmpty());
}

TEST_P(WizardWindow, AtMostThreeTablesOnOneChain)
{
    const auto window = openWindow();
    EXPECT_EQ(window->windowTitle(), "报表生成 - 新目录 - 开始");
    window->cmdNav_Click(NavButton::Next);
    EXPECT_EQ(window->windowTitle(), "报表生成 - 新目录 - 步骤 1");
    EXPECT_FALSE(window->nav(NavButton::Next)->isEnabled());
    addTable(*window, "文书案卷");
    addTable(*window, "文书附件");
    EXPECT_TRUE(window->nav(NavButton::Next)->isEnabled());
    window->tvTables_NodeClick(node(*window, "文书档案"));
    EXPECT_TRUE(window->cmdAddTable->isEnabled()) << "the table between the two chosen ones";
    window->cmdAddTable_Click();
    EXPECT_EQ(window->lstCheckedTable->count(), 3);
    window->tvTables_NodeClick(node(*window, "文书档案"));
    EXPECT_FALSE(window->cmdAddTable->isEnabled());

    select(window->lstCheckedTable, 2, 1);
    window->cmdRemoveTable_Click();
    EXPECT_FALSE(node(*window, "文书档案")->font(0).bold());
    window->tvTables_NodeClick(node(*window, "文书档案"));
    EXPECT_TRUE(window->cmdAddTable->isEnabled());
    window->cmdNav_Click(NavButton::Next);
    EXPECT_EQ(window->lstUseTable->count(), 2);
    EXPECT_EQ(window->lstSourceField->count(), 8) << "the volumes' fields listed first";
    EXPECT_TRUE(boxTexts().isEmpty());
}

TEST_P(WizardWindow, FortyFieldsAtMost)
{
    addVisibleFields(30);
    const auto window = openWindow();
    checkFields(*window, 35);
    EXPECT_EQ(window->lstSourceField->count(), 10);
    window->cmdAddFields_Click();
    EXPECT_EQ(window->lstCheckedField->count(), 40);
    EXPECT_EQ(window->Model().CheckedFieldCount(), 40);
    ASSERT_EQ(ui.boxes().size(), 1);
    EXPECT_EQ(ui.boxes()[0].text, wizard::CannotAddMoreFieldsText());
    EXPECT_EQ(ui.boxes()[0].title, "字段太多");
    EXPECT_TRUE(window->nav(NavButton::Next)->isEnabled()) << "exactly 40 fields may go on";
    EXPECT_FALSE(window->cmdAddFields->isEnabled());
    select(window->lstSourceField, 0, 1);
    window->lstSourceField_DblClick();
    EXPECT_EQ(ui.boxes().size(), 2);
    EXPECT_EQ(window->lstCheckedField->count(), 40);
}

// From 39 checked fields every way of adding takes the fortieth field and stops there; a forty-first is
// then refused with the message.
TEST_P(WizardWindow, TheFortiethFieldIsTakenAndTheFortyFirstRefused)
{
    addVisibleFields(30);
    const struct {
        const char* how;
        std::function<void(frmWizard&)> add;
        int boxes;
    } cases[] = {
        { "add with two selected",
            [](frmWizard& window) {
                select(window.lstSourceField, 0, 2);
                window.cmdAddField_Click();
            },
            0 },
        { "double-click",
            [](frmWizard& window) {
                select(window.lstSourceField, 0, 1);
                window.lstSourceField_DblClick();
            },
            0 },
        { "add all", [](frmWizard& window) { window.cmdAddFields_Click(); }, 1 },
    };
    for (const auto& c : cases) {
        const auto window = openWindow();
        checkFields(*window, 39);
        ASSERT_EQ(window->Model().CheckedFieldCount(), 39) << c.how;
        const qsizetype boxes = ui.boxes().size();
        c.add(*window);
        EXPECT_EQ(window->Model().CheckedFieldCount(), 40) << c.how;
        EXPECT_EQ(ui.boxes().size() - boxes, c.boxes) << c.how;
        EXPECT_TRUE(window->nav(NavButton::Next)->isEnabled()) << c.how;
        select(window->lstSourceField, 0, 1);
        window->lstSourceField_Click();
        EXPECT_FALSE(window->cmdAddField->isEnabled()) << c.how;
        window->lstSourceField_DblClick();
        EXPECT_EQ(window->Model().CheckedFieldCount(), 40) << c.how;
        EXPECT_EQ(ui.boxes().back().text, wizard::CannotAddMoreFieldsText()) << c.how;
    }
}

TEST_P(WizardWindow, TenGroupedFieldsOverThreeLevels)
{
    const auto window = openWindow();
    checkFields(*window, 12);
    window->cmdNav_Click(NavButton::Next);
    EXPECT_EQ(window->lstUseFields->count(), 12);
    EXPECT_FALSE(window->optGroup[2]->isEnabled());
    select(window->lstUseFields, 0, 11);
    window->lstUseFields_MouseDown();
    window->lstUseFields_MouseUp();
    EXPECT_FALSE(window->cmdAddGroup->isEnabled());
    EXPECT_EQ(boxTexts(), QStringList { wizard::TooManyGroupFieldsText() });
    window->cmdAddGroup_Click();
    EXPECT_EQ(window->lstGroupFields->count(), 0) << "the limit holds however add is pressed";

    select(window->lstUseFields, 0, 9);
    window->cmdAddGroup_Click();
    EXPECT_TRUE(window->optGroup[2]->isEnabled());
    EXPECT_FALSE(window->optGroup[3]->isEnabled());
    window->optGroup[2]->setChecked(true);
    window->optGroup_Click(2);
    select(window->lstUseFields, 0, 1);
    window->cmdAddGroup_Click();
    EXPECT_TRUE(window->optGroup[3]->isEnabled());
    EXPECT_EQ(window->Model().CheckedGroupItemCount(), 10);
    EXPECT_EQ(window->Model().Groups().Count(), 2);

    // Changing level 1 empties level 2 in the layout and in the wizard's lists alike.
    window->optGroup[1]->setChecked(true);
    window->optGroup_Click(1);
    select(window->lstGroupFields, 0, 1);
    window->cmdRemoveGroup_Click();
    EXPECT_EQ(window->Model().Groups().Count(), 1);
    EXPECT_EQ(window->Model().CheckedGroupItemCount(), 8);
    EXPECT_EQ(window->lstUseFields->count(), 4);
    EXPECT_FALSE(window->optGroup[3]->isEnabled());

    select(window->lstUseFields, 0, 2);
    window->cmdAddGroup_Click();
    EXPECT_EQ(window->Model().CheckedGroupItemCount(), 10);
    EXPECT_EQ(window->lstUseFields->count(), 2);
    window->lstUseFields->selectAll();
    window->lstUseFields_DblClick();
    EXPECT_FALSE(window->cmdAddGroup->isEnabled());
    EXPECT_EQ(window->lstUseFields->count(), 2);
}

TEST_P(WizardWindow, GroupingEveryFieldStopsNextAndFinish)
{
    const auto window = openWindow();
    checkFields(*window, 3);
    EXPECT_TRUE(window->nav(NavButton::Finish)->isEnabled());
    window->cmdNav_Click(NavButton::Next);
    window->lstUseFields->selectAll();
    window->cmdAddGroup_Click();
    EXPECT_FALSE(window->nav(NavButton::Next)->isEnabled());
    EXPECT_FALSE(window->nav(NavButton::Finish)->isEnabled());
}

TEST_P(WizardWindow, FinishCancelAndNeitherThroughTheStore)
{
    const int demoReports = scalar("select count(*) from report_index").toInt();
    std::function<void(frmWizard&)> drive;
    ui.onDialog("frmWizard", [&](QDialog& dialog) { drive(static_cast<frmWizard&>(dialog)); });
    drive = [&](frmWizard& window) {
        checkFields(window, 4);
        window.cmdNav_Click(NavButton::Next);
        window.cmdNav_Click(NavButton::Next);
        window.lstNoUseFields->item(1)->setSelected(true);
        window.cmdAddOrder_Click();
        window.lstOrderByFields->item(0)->setSelected(true);
        window.lstOrderByFields_Click();
        window.optSort[1]->setChecked(true);
        window.optSort_Click(1);
        window.cmdNav_Click(NavButton::Next);
        EXPECT_EQ(window.windowTitle(), "报表生成 - 新目录 - 完成");
        window.cmdNav_Click(NavButton::Finish);
    };
    EXPECT_EQ(store::RunReportWizard(), store::WizardSaved);
    const QString id = store::reportState().ReportId;
    EXPECT_EQ(reportRows("report_index", "report_name,report_type,report_group_id", id),
        (QList<QStringList> { { "新目录", "1", "wsda" } }));
    EXPECT_EQ(
        scalar("select info_description from report_info where info_type = 'SQL_ORDER' and report_id = '" + id
            + "'"),
        "wsda.archive_no DESC");

    drive = [&](frmWizard& window) {
        window.cmdNav_Click(NavButton::Next);
        ui.queueAnswer(MsgBoxResult::No);
        window.cmdNav_Click(NavButton::Cancel);
        EXPECT_TRUE(window.isVisible()) << "No keeps the window and its state";
        EXPECT_EQ(window.CurrentStep(), WizardStep::Tables);
        ui.queueAnswer(MsgBoxResult::Yes);
        window.cmdNav_Click(NavButton::Cancel);
    };
    EXPECT_EQ(store::RunReportWizard(), store::WizardCancelled);
    const platform::ui::RecordedBox& question = ui.boxes().back();
    EXPECT_EQ(question.text, "您真的要取消生成数据报表吗");
    EXPECT_EQ(question.title, "取消生成报表");
    EXPECT_EQ(question.buttons, platform::ui::Buttons::YesNo);
    EXPECT_EQ(question.icon, platform::ui::Icon::Question);

    // Closed with its frame: the same question; answered No, the window is closed all the same.
    drive = [&](frmWizard&) { ui.queueAnswer(MsgBoxResult::No); };
    EXPECT_EQ(store::RunReportWizard(), store::WizardNotFinished);
    drive = [&](frmWizard&) { ui.queueAnswer(MsgBoxResult::Yes); };
    EXPECT_EQ(store::RunReportWizard(), store::WizardCancelled);

    const QStringList shown = ui.shownDialogs();
    store::reportState().TABLENAME = "nowhere";
    EXPECT_EQ(store::RunReportWizard(), store::WizardNotFinished);
    EXPECT_EQ(ui.shownDialogs(), shown) << "a table the wizard cannot load shows no window";
    EXPECT_EQ(ui.boxTexts().last(), "向导读不出数据表 nowhere 的表关系和表描述，不能为它生成数据报表。")
        << "but says why";
    EXPECT_EQ(scalar("select count(*) from report_index").toInt(), demoReports + 1);
}

// Finish after going back takes the changed choice over: a new table leaves no field checked, so the
// stale fields are not saved, and the user is told why nothing was made.
TEST_P(WizardWindow, FinishAfterGoingBackSavesNoStaleChoice)
{
    const auto window = openWindow();
    checkFields(*window, 3);
    window->cmdNav_Click(NavButton::Next);
    select(window->lstUseFields, 0, 1);
    window->cmdAddGroup_Click();
    window->cmdNav_Click(NavButton::Back);
    window->cmdRemoveFields_Click();
    select(window->lstSourceField, 2, 2);
    window->cmdAddField_Click();
    window->cmdNav_Click(NavButton::Finish);
    EXPECT_EQ(window->Finish(), 0);
    const QString id = window->Model().ReportId();
    EXPECT_EQ(scalar("select count(*) from report_info where info_type = 'GROUP_HEAD' and report_id = '" + id
                  + "'"),
        "0");
    EXPECT_EQ(
        scalar("select count(*) from report_data where data_type = 'B' and report_id = '" + id + "'"), "2");

    const auto again = openWindow();
    checkFields(*again, 3);
    again->cmdNav_Click(NavButton::Back);
    addTable(*again, "文书案卷");
    again->cmdNav_Click(NavButton::Finish);
    EXPECT_EQ(again->Finish(), 2);
    EXPECT_EQ(boxTexts().value(0), "报表生成出错！\n数据报表不能没有内容");
    EXPECT_EQ(storedRowCount(again->Model().ReportId()), 0);
}

TEST_P(WizardWindow, AFailedSaveIsShownWithItsCauseAndTheWindowStays)
{
    refuse("insert", "report_data", "NEW.row_no = 3");
    ui.onDialog("frmWizard", [&](QDialog& dialog) {
        auto& window = static_cast<frmWizard&>(dialog);
        checkFields(window, 2);
        window.cmdNav_Click(NavButton::Finish);
        EXPECT_TRUE(window.isVisible());
        ASSERT_EQ(ui.boxes().size(), 1);
        EXPECT_TRUE(ui.boxes()[0].text.startsWith("报表生成出错！\n"));
        EXPECT_TRUE(ui.boxes()[0].text.contains("refused"));
        EXPECT_EQ(storedRowCount(window.Model().ReportId()), 0);
        allow();
        window.cmdNav_Click(NavButton::Finish);
    });
    EXPECT_EQ(store::RunReportWizard(), store::WizardSaved);
    EXPECT_EQ(storedRowCount(store::reportState().ReportId), 1 + 17 + 23 + 6);
}

// The table tree answers the keyboard as it answers the mouse: the table made current with the arrows
// counts as chosen, and Space or Enter on the current table choose it again after it was taken back.
TEST_P(WizardWindow, TheTableTreeTakesTheCurrentTableFromTheKeyboard)
{
    const auto window = openWindow();
    showActive(*window);
    window->cmdNav_Click(NavButton::Next);
    QTreeWidget* tree = window->tvTables;
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Home);
    for (int i = 0; i < 10 && tree->currentItem()->text(0) != "文书档案"; ++i)
        QTest::keyClick(tree, Qt::Key_Down);
    ASSERT_EQ(tree->currentItem()->text(0), "文书档案");
    EXPECT_TRUE(window->cmdAddTable->isEnabled());
    for (const Qt::Key key : { Qt::Key_Space, Qt::Key_Return }) {
        window->cmdAddTable->click();
        EXPECT_EQ(window->lstCheckedTable->count(), 1);
        EXPECT_FALSE(window->cmdAddTable->isEnabled());
        select(window->lstCheckedTable, 0, 1);
        window->cmdRemoveTable->click();
        EXPECT_FALSE(window->cmdAddTable->isEnabled());
        QTest::keyClick(tree, key);
        EXPECT_TRUE(window->cmdAddTable->isEnabled()) << key;
    }
    window->hide();
}

// Enter goes forward from the control each step starts on, where the step lets the clerk go on, and
// finishes the report on the last step; it never lands on help.
TEST_P(WizardWindow, EnterGoesForwardWhereTheStepAllowsIt)
{
    const auto window = openWindow();
    showActive(*window);
    const auto chooseField = [&] {
        select(window->lstSourceField, 0, 3);
        window->cmdAddField_Click();
    };
    // Before each Enter the clerk's choice, if any, then the step it leads to: a step still lacking its
    // choice stays.
    const std::pair<std::function<void()>, WizardStep> presses[]
        = { { {}, WizardStep::Tables }, { {}, WizardStep::Tables },
              { [&] { addTable(*window, "文书档案"); }, WizardStep::Fields }, { {}, WizardStep::Fields },
              { chooseField, WizardStep::Groups }, { {}, WizardStep::Sort }, { {}, WizardStep::Summary } };
    for (const auto& [choose, next] : presses) {
        if (choose)
            choose();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(window->CurrentStep(), next);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_TRUE(ui.openedUrls().isEmpty());
    EXPECT_TRUE(boxTexts().isEmpty()) << boxTexts().join('|').toStdString();
}

// Enter on ">>", where the focus lands after ">", moves no field: it goes forward once a field is chosen.
TEST_P(WizardWindow, EnterOnTheFieldsStepKeepsTheChosenFields)
{
    const auto window = openWindow();
    showActive(*window);
    checkFields(*window, 0);
    const QString last = window->lstSourceField->item(window->lstSourceField->count() - 1)->text();
    const std::tuple<QList<QKeyCombination>, WizardStep, QStringList> presses[] = {
        { { Qt::Key_Tab, Qt::Key_Return }, WizardStep::Fields, {} },
        { { Qt::SHIFT | Qt::Key_Tab, Qt::Key_End, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Return }, WizardStep::Groups,
            { last } },
        { { Qt::Key_Return }, WizardStep::Sort, { last } },
    };
    for (const auto& [keys, step, chosen] : presses) {
        for (const QKeyCombination key : keys)
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        EXPECT_EQ(window->CurrentStep(), step);
        QStringList listed;
        for (int i = 0; i < window->lstCheckedField->count(); ++i)
            listed.append(window->lstCheckedField->item(i)->text());
        EXPECT_EQ(listed, chosen);
    }
}

// F1 opens the current step's topic; a missing page is named with the folder where the pages belong.
TEST_P(WizardWindow, F1OpensTheStepsTopicOrSaysWhereItsPageBelongs)
{
    const auto window = openWindow();
    showActive(*window);
    QTest::keyClick(window->nav(NavButton::Next), Qt::Key_F1);
    window->cmdNav_Click(NavButton::Next);
    QTest::keyClick(window->tvTables, Qt::Key_F1);
    ASSERT_EQ(ui.openedUrls().size(), 2);
    EXPECT_TRUE(ui.openedUrls()[0].toLocalFile().endsWith("help/打开新建报表向导.htm"));
    EXPECT_TRUE(ui.openedUrls()[1].toLocalFile().endsWith("help/选择数据表.htm"));

    const QTemporaryDir elsewhere;
    platform::ui::setComponentFolder(elsewhere.path());
    QTest::keyClick(window.get(), Qt::Key_F1);
    platform::ui::setComponentFolder(QString());
    ASSERT_EQ(ui.boxes().size(), 1);
    const QString folder = QDir::toNativeSeparators(elsewhere.path() + "/help");
    EXPECT_EQ(ui.boxes()[0].text,
        "帮助文件 " + folder + QDir::separator() + "选择数据表.htm 不存在\n请将 选择数据表.htm 文件拷贝到 "
            + folder + " 路径下。");
    EXPECT_EQ(ui.boxes()[0].title, "帮助文件找不到");
    EXPECT_EQ(ui.boxes()[0].icon, platform::ui::Icon::Information);
    window->hide();
}

// The designer's New: a data report through the wizard, a statistics report through its definition; each
// new report is then the one the designer shows.
TEST_P(WizardWindow, TheDesignersNewOpensTheReportItMade)
{
    designer::installRegionMarkerSeam();
    report->setReportId(demo::DataReportId);
    store::ReportState& state = store::reportState();
    state.ReportType = store::DataReport;
    designer::frmReportDesigner designer;
    designer.Form_Load();
    QString name;
    ui.onDialog("frmNewReport", [&](QDialog& dialog) {
        dialog.findChild<QLineEdit*>()->setText(name);
        QMetaObject::invokeMethod(&dialog, "cmdOK_Click");
    });
    const auto newReport = [&](const QString& newName) {
        name = newName;
        designer.mnuNew_Click();
    };
    // A cancelled wizard made nothing, which is no failure: nothing is said after the wizard's own question
    // and the shown report stays.
    std::function<void(frmWizard&)> drive = [&](frmWizard& window) {
        ui.queueAnswer(MsgBoxResult::Yes);
        window.cmdNav_Click(NavButton::Cancel);
    };
    ui.onDialog("frmWizard", [&](QDialog& dialog) { drive(static_cast<frmWizard&>(dialog)); });
    newReport("文书清单");
    EXPECT_EQ(boxTexts(), QStringList { "您真的要取消生成数据报表吗" });
    EXPECT_EQ(state.ReportId, demo::DataReportId);
    EXPECT_EQ(designer.windowTitle(), demo::DataReportName);

    drive = [&](frmWizard& window) {
        EXPECT_EQ(window.reportName(), "文书清单");
        checkFields(window, 3);
        window.cmdNav_Click(NavButton::Finish);
    };
    newReport("文书清单");
    EXPECT_EQ(boxTexts().size(), 1) << boxTexts().join('|').toStdString();
    EXPECT_NE(state.ReportId, demo::DataReportId);
    EXPECT_EQ(state.ReportName, "文书清单");
    EXPECT_EQ(designer.grid().entry(1, 2), "@A|文书清单");
    EXPECT_EQ(designer.grid().text(3, 1), designer::regionMarker(int(store::RegionEntry::DataDetail)).label);

    state.ReportType = store::StatisticsReport;
    newReport("文书统计");
    EXPECT_EQ(boxTexts().size(), 1) << boxTexts().join('|').toStdString();
    EXPECT_EQ(state.ReportType, store::StatisticsReport);
    EXPECT_EQ(reportRows("report_index", "report_name,report_type", state.ReportId),
        (QList<QStringList> { { "文书统计", "2" } }));
    EXPECT_EQ(designer.grid().entry(1, 1), "@A|文书统计");
}

} // namespace

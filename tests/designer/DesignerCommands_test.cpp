#include "DesignerFixture.h"
#include "DesignerWindowFixture.h"

#include "designer/frmAddRegion.h"
#include "designer/frmColWidth.h"
#include "designer/frmNewReport.h"
#include "designer/frmOpenReport.h"
#include "designer/frmRenameReport.h"
#include "designer/frmResize.h"
#include "designer/frmRowHeight.h"
#include "dialogs/frmCellFormat.h"
#include "dialogs/frmDataSource.h"
#include "dialogs/frmPageSetup.h"
#include "platform/ui/ScriptedPrinters.h"
#include "platform/ui/ScriptedUi.h"

#include <functional>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolBar>

using designer::frmReportDesigner;
using platform::grid::CellRange;
using platform::ui::MsgBoxResult;
using platform::ui::ScriptedUi;

namespace
{

class DesignerCommands : public designertest::DesignerWindowTest
{
protected:
    static QStringList actionTexts(const QList<QAction*>& actions)
    {
        QStringList texts;
        for (const QAction* action : actions) {
            if (action->isSeparator())
                texts.append(QStringLiteral("|"));
            else
                texts.append(action->objectName() + QLatin1Char(' ') + action->text());
        }
        return texts;
    }
};

class CountingSysInfo : public platform::outside::SysInfo
{
public:
    void showAbout() override { ++shown; }
    int shown = 0;
};

// The menu bar, the popup menus and the toolbar as the clerk reads them: captions with their access keys
// in their order, the separators, the toolbar's keys and tooltips, the shortcut keys.
TEST_P(DesignerCommands, CaptionsKeysAndOrder)
{
    const auto window = openDesigner();
    QStringList menuBar;
    for (const QAction* menu : window->menuBar->actions())
        menuBar.append(menu->menu()->objectName() + ' ' + menu->text());
    EXPECT_EQ(menuBar.join('|').toStdString(),
        "mnuFile 文件(&F)|mnuEdit 编辑(&E)|mnuSetup 设置(&S)|mnuReportRegion 报表区域(&R)|mnuHelp 帮助(&H)");
    const struct {
        const char* menu;
        QStringList items;
    } menus[] = {
        { "mnuFile",
            { "mnuNew 新建(&N)", "mnuOpen 打开(&O)", "mnuSave 保存(&S)", "|", "mnuRename 重命名(&R)",
                "mnuDeleteReport 删除报表(&D)", "|", "mnuPageSetup 页面设置(&G)...",
                "mnuPreview 效果预览(&V)...", "|", "mnuExit 退出(&X)" } },
        { "mnuEdit",
            { "mnuClearFormat 清除格式信息(&F)", "mnuClearContent 清除内容信息(&C)", "|",
                "mnuInsertRowAbove 插入行(在上方)(&A)", "mnuInsertRowBelow 插入行(在下方)(&B)",
                "mnuInsertColLeft 插入列(在左侧)(&L)", "mnuInsertColRight 插入列(在右侧)(&R)", "|",
                "mnuDeleteRow 删除当前行(&W)", "mnuDeleteCol 删除当前列(&O)" } },
        { "mnuSetup",
            { "mnuRowHeight 行高(&H)...", "mnuColWidth 列宽(&L)...", "mnuMerge 合并单元格(&M)", "|",
                "mnuCellFormat 单元格格式(&C)...", "mnuParameterSet 统计参数设置(&T)...",
                "mnuDataSource 数据源(&S)...", "|", "mnuResize 显示比例(&R)..." } },
        { "mnuReportRegion", { "mnuAddRegion 添加区域(&A)...", "mnuDeleteRegion 删除当前区域(&D)" } },
        { "mnuHelp", { "mnuHelpTopic 帮助主题(&T)", "|", "mnuAbout 关于(&A)..." } },
        { "mnuRow",
            { "mnuPopInsertRowAbove 插入行(在上方)(&A)", "mnuPopInsertRowBelow 插入行(在下方)(&B)",
                "mnuPopRowHeight 行高(&H)..." } },
        { "mnuCol",
            { "mnuPopInsertColLeft 插入列(在左侧)(&L)", "mnuPopInsertColRight 插入列(在右侧)(&R)",
                "mnuPopColWidth 列宽(&W)..." } },
        { "mnuDesignRegion",
            { "mnuPopHeight 行高(&H)...", "mnuPopWidth 列宽(&L)...", "mnuPopMerge 合并单元格(&M)", "|",
                "mnuPopCellFormat 单元格格式(&C)...", "mnuPopDataSoure 数据源(&S)...", "|",
                "mnuPopDelFormat 清除格式信息(&F)", "mnuPopDelContent 清除内容信息(&T)" } },
    };
    for (const auto& m : menus)
        EXPECT_EQ(actionTexts(window->menu(m.menu)->actions()).join('|').toStdString(),
            m.items.join('|').toStdString());

    QStringList toolbar;
    for (QAction* button : window->tlbReportDesign->actions()) {
        const QString key = button->objectName().mid(3);
        toolbar.append(button->isSeparator() ? QStringLiteral("|")
                                             : key + ' ' + button->text() + ' ' + button->toolTip());
        EXPECT_TRUE(button->isSeparator() || window->command(key) == button) << key.toStdString();
    }
    // "参数" has no tooltip of its own, so the toolbar shows its caption.
    EXPECT_EQ(toolbar.join('|').toStdString(),
        QStringList(
            { "New 新建 新建", "Open 打开 打开", "Save 保存 保存", "|", "PageSetup 页面 页面设置",
                "Preview 预览 效果预览", "|", "InsertRow 插入行 向上插入行", "InsertCol 插入列 向左插入列",
                "|", "CellFormat 格式 单元格格式设置", "Parameter 参数 参数", "DataSource 数据源 数据源", "|",
                "Resize 比例 显示比例", "|", "Exit 退出 退出" })
            .join('|')
            .toStdString());

    const std::pair<const char*, QKeySequence> shortcuts[] = { { "mnuSave",
                                                                   QKeySequence(Qt::CTRL | Qt::Key_S) },
        { "mnuClearContent", QKeySequence(Qt::Key_Delete) }, { "mnuHelpTopic", QKeySequence(Qt::Key_F1) } };
    for (const auto& [control, key] : shortcuts)
        EXPECT_EQ(window->command(control)->shortcut(), key) << control;
    window->setReportModified(false);
}

// One command of the table below, run from each of its menu items, popup items and toolbar buttons on a
// designer freshly opened on the demo report (rows: 1 report head, 2 page head, 3 and 4 group heads, 5
// the detail band, 6 and 7 group tails, 8 page tail, 9 report tail; columns 2 to 7).
struct CommandCase {
    QStringList commands;
    CellRange selection;
    std::function<void(ScriptedUi&, frmReportDesigner&)> script; // drives the dialogs, prepares the window
    QStringList boxes; // the questions and messages, in order
    std::function<QString(ScriptedUi&, frmReportDesigner&)> outcome;
    QString expected;
    bool marksChanged;
};

template <class Dialog> void drive(ScriptedUi& ui, const char* name, std::function<void(Dialog&)> driver)
{
    ui.onDialog(
        QString::fromLatin1(name), [driver](QDialog& dialog) { driver(static_cast<Dialog&>(dialog)); });
}

QString entries(const frmReportDesigner& window, const QList<std::pair<int, int>>& cells)
{
    QStringList texts;
    for (const auto& [row, col] : cells)
        texts.append(const_cast<frmReportDesigner&>(window).grid().entry(row, col));
    return texts.join(QLatin1Char(' '));
}

QString sheetSize(frmReportDesigner& window)
{
    const store::ReportState& state = store::reportState();
    return QStringLiteral("%1x%2 design %3x%4")
        .arg(window.grid().maxRow())
        .arg(window.grid().maxCol())
        .arg(state.DesignRowCount)
        .arg(state.DesignColCount);
}

QString selectionText(frmReportDesigner& window)
{
    const CellRange s = window.grid().selection();
    return QStringLiteral("%1,%2-%3,%4 active %5,%6")
        .arg(s.row1)
        .arg(s.col1)
        .arg(s.row2)
        .arg(s.col2)
        .arg(window.grid().activeRow())
        .arg(window.grid().activeCol());
}

QString regions()
{
    return designertest::regionsText(store::reportState().RegionTable);
}

QString identity()
{
    const store::ReportState& state = store::reportState();
    return QStringList { state.ReportId, state.ReportName, state.TABLENAME, state.ReportGroupId }.join('|');
}

const QString DemoRegions
    = QStringLiteral("RH 1:1, PH 2:2, GH1 3:3, GH2 4:4, DD 5:5, GT2 6:6, GT1 7:7, PT 8:8, RT 9:9");

// Every command of the menus, popups and toolbar driven through the window: what it asks, what it
// changes and whether the report counts as changed afterwards.
TEST_P(DesignerCommands, EveryCommandThroughTheWindow)
{
    const auto sysInfo = std::make_shared<CountingSysInfo>();
    const auto none = [](ScriptedUi&, frmReportDesigner&) {};
    const QString renamed = QStringLiteral("文书档案目录（新）");
    const CommandCase cases[] = {
        { { "mnuClearFormat", "mnuPopDelFormat" }, { 2, 2, 2, 7 }, none, { "确定要清除该区域的格式信息?" },
            [](ScriptedUi&, frmReportDesigner& w) {
                const bool plain = w.grid().format(2, 3) == platform::grid::Sheet().format(2, 3);
                return w.grid().entry(2, 3) + (plain ? " plain" : " formatted");
            },
            "@A|档号 plain", true },
        { { "mnuClearContent", "mnuPopDelContent" }, { 2, 3, 2, 3 }, none, { "确定要清除该区域的内容信息?" },
            [](ScriptedUi&, frmReportDesigner& w) {
                return entries(w, { { 2, 3 }, { 2, 4 } });
            },
            " @A|责任者", true },
        // An answer other than Yes leaves the cells.
        { { "mnuClearContent" }, { 2, 3, 2, 3 },
            [](ScriptedUi& ui, frmReportDesigner&) { ui.queueAnswer(MsgBoxResult::No); },
            { "确定要清除该区域的内容信息?" },
            [](ScriptedUi&, frmReportDesigner& w) {
                return entries(w, { { 2, 3 } });
            },
            "@A|档号", false },
        { { "mnuInsertRowAbove", "mnuPopInsertRowAbove", "InsertRow" }, { 5, 3, 5, 3 }, none, {},
            [&](ScriptedUi&, frmReportDesigner& w) {
                return entries(w, { { 5, 3 }, { 6, 3 } }) + " | " + regions() + " | " + sheetSize(w) + " | "
                    + selectionText(w);
            },
            " @B|档号(文书档案) | RH 1:1, PH 2:2, GH1 3:3, GH2 4:4, DD 5:6, GT2 7:7, GT1 8:8, PT 9:9, RT "
            "10:10 "
            "| 10x7 design 10x7 | 5,3-5,3 active 5,3",
            true },
        { { "mnuInsertRowBelow", "mnuPopInsertRowBelow" }, { 5, 3, 5, 3 }, none, {},
            [&](ScriptedUi&, frmReportDesigner& w) {
                return entries(w, { { 5, 3 }, { 6, 3 }, { 7, 3 } }) + " | " + regions() + " | "
                    + sheetSize(w);
            },
            "@B|档号(文书档案)  @B|保管期限(文书档案) | RH 1:1, PH 2:2, GH1 3:3, GH2 4:4, DD 5:6, GT2 7:7, "
            "GT1 8:8, "
            "PT 9:9, RT 10:10 | 10x7 design 10x7",
            true },
        { { "mnuInsertColLeft", "mnuPopInsertColLeft", "InsertCol" }, { 5, 2, 5, 2 }, none, {},
            [](ScriptedUi&, frmReportDesigner& w) {
                return entries(w, { { 5, 2 }, { 5, 3 } }) + " | " + sheetSize(w) + " | " + selectionText(w);
            },
            " @B|件号(文书档案) | 9x8 design 9x8 | 5,2-5,2 active 5,2", true },
        { { "mnuInsertColRight", "mnuPopInsertColRight" }, { 5, 7, 5, 7 }, none, {},
            [](ScriptedUi&, frmReportDesigner& w) {
                return entries(w, { { 5, 7 }, { 5, 8 } }) + " | " + sheetSize(w);
            },
            "@B|页数(文书档案)  | 9x8 design 9x7", true },
        // A whole region's row: its deletion becomes the region's, whose question is the only one; level 2
        // moves out.
        { { "mnuDeleteRow" }, { 3, 3, 3, 3 }, none, { "确定要删除该区域吗？" },
            [&](ScriptedUi&, frmReportDesigner& w) {
                return entries(w, { { 3, 2 } }) + " | " + regions() + " | " + sheetSize(w);
            },
            "@A|保管期限： | RH 1:1, PH 2:2, GH1 3:3, DD 4:4, GT1 5:5, PT 6:6, RT 7:7 | 7x7 design 7x7",
            true },
        { { "mnuDeleteCol" }, { 5, 4, 5, 4 },
            [](ScriptedUi&, frmReportDesigner& w) {
                w.grid().unmerge({ 1, 1, 9, 7 });
            },
            { "确定要删除当前列?" },
            [](ScriptedUi&, frmReportDesigner& w) {
                return entries(w, { { 5, 4 } }) + " | " + sheetSize(w);
            },
            "@B|题名(文书档案) | 9x6 design 9x6", true },
        // The title, page-number and date rows are merged across every column: a refusal changes nothing.
        { { "mnuDeleteCol" }, { 5, 4, 5, 4 }, none, { "确定要删除当前列?", "合并单元格中的列不可删除!" },
            [](ScriptedUi&, frmReportDesigner& w) {
                return entries(w, { { 5, 4 } }) + " | " + sheetSize(w);
            },
            "@B|责任者(文书档案) | 9x7 design 9x7", false },
        { { "mnuRowHeight", "mnuPopRowHeight", "mnuPopHeight" }, { 5, 3, 5, 3 },
            [](ScriptedUi& ui, frmReportDesigner&) {
                drive<designer::frmRowHeight>(ui, "frmRowHeight", [](designer::frmRowHeight& dialog) {
                    dialog.txtRowHeight->setText("2");
                    dialog.cmdOK_Click();
                });
            },
            {}, [](ScriptedUi&, frmReportDesigner& w) { return QString::number(w.grid().rowHeight(5)); },
            "1134", true },
        { { "mnuColWidth", "mnuPopColWidth", "mnuPopWidth" }, { 5, 3, 5, 3 },
            [](ScriptedUi& ui, frmReportDesigner&) {
                drive<designer::frmColWidth>(ui, "frmColWidth", [](designer::frmColWidth& dialog) {
                    dialog.txtColWidth->setText("3");
                    dialog.cmdOK_Click();
                });
            },
            {}, [](ScriptedUi&, frmReportDesigner& w) { return QString::number(w.grid().colWidth(3)); },
            "1701", true },
        { { "mnuMerge", "mnuPopMerge" }, { 6, 3, 6, 5 }, none, {},
            [](ScriptedUi&, frmReportDesigner& w) {
                const auto block = w.grid().mergedBlockAt(6, 4).value_or(CellRange {});
                return QStringLiteral("%1,%2-%3,%4 ")
                           .arg(block.row1)
                           .arg(block.col1)
                           .arg(block.row2)
                           .arg(block.col2)
                    + entries(w, { { 6, 3 } });
            },
            "6,3-6,5 @B|保管期限(文书档案)", true },
        { { "mnuCellFormat", "mnuPopCellFormat", "CellFormat" }, { 5, 3, 5, 3 },
            [](ScriptedUi& ui, frmReportDesigner&) {
                drive<dialogs::frmCellFormat>(ui, "frmCellFormat", [](dialogs::frmCellFormat& dialog) {
                    dialog.cboHAlign->setCurrentText("靠右");
                    dialog.cmdOK_Click();
                });
            },
            {},
            [](ScriptedUi&, frmReportDesigner& w) {
                return QString::number(int(*w.grid().format(5, 3).hAlign));
            },
            "4", true },
        { { "mnuDataSource", "mnuPopDataSoure", "DataSource" }, { 6, 4, 6, 4 },
            [](ScriptedUi& ui, frmReportDesigner&) {
                drive<dialogs::frmDataSource>(ui, "frmDataSource", [](dialogs::frmDataSource& dialog) {
                    dialog.txtText->setPlainText("合计");
                    dialog.cmdOk_Click();
                });
            },
            {},
            [](ScriptedUi&, frmReportDesigner& w) {
                return entries(w, { { 6, 4 } }) + " " + w.TxtInput->text();
            },
            "@A|合计 @A|合计", true },
        // The custom option enables its box, which the zoom is then read from.
        { { "mnuResize", "Resize" }, { 5, 3, 5, 3 },
            [](ScriptedUi& ui, frmReportDesigner&) {
                drive<designer::frmResize>(ui, "frmResize", [](designer::frmResize& dialog) {
                    EXPECT_FALSE(dialog.txtSize->isEnabled());
                    dialog.optResize[5]->click();
                    EXPECT_TRUE(dialog.txtSize->isEnabled());
                    dialog.txtSize->setText("60");
                    dialog.cmdOK_Click();
                });
            },
            {}, [](ScriptedUi&, frmReportDesigner& w) { return QString::number(w.fbkRptDesigner->zoom()); },
            "60", false },
        { { "mnuAddRegion" }, { 5, 3, 5, 3 },
            [](ScriptedUi& ui, frmReportDesigner&) {
                drive<designer::frmAddRegion>(ui, "frmAddRegion", [](designer::frmAddRegion& dialog) {
                    dialog.optRegion[2]->setChecked(true);
                    dialog.cmdAdd_Click();
                });
            },
            {},
            [&](ScriptedUi&, frmReportDesigner& w) {
                return regions() + " | " + sheetSize(w) + " | " + selectionText(w);
            },
            "RH 1:1, PH 2:2, GH1 3:3, GH2 4:4, GH3 5:5, DD 6:6, GT3 7:7, GT2 8:8, GT1 9:9, PT 10:10, RT "
            "11:11 | "
            "11x7 design 11x7 | 5,3-5,3 active 5,3",
            true },
        // The report tail goes with its head; the selection was below the new last row, so it moves to
        // column 2 of that row (the page tail, merged across the columns).
        { { "mnuDeleteRegion" }, { 9, 3, 9, 3 }, none, { "确定要删除该区域吗？" },
            [&](ScriptedUi&, frmReportDesigner& w) {
                return regions() + " | " + sheetSize(w) + " | " + selectionText(w);
            },
            "PH 1:1, GH1 2:2, GH2 3:3, DD 4:4, GT2 5:5, GT1 6:6, PT 7:7 | 7x7 design 7x7 | 7,2-7,7 active "
            "7,2",
            true },
        { { "mnuPageSetup", "PageSetup" }, { 5, 3, 5, 3 },
            [](ScriptedUi& ui, frmReportDesigner&) {
                drive<dialogs::frmPageSetup>(ui, "frmPageSetup", [](dialogs::frmPageSetup& dialog) {
                    dialog.txtRows->setText("15");
                    dialog.cmdOk_Click();
                });
            },
            {},
            [](ScriptedUi&, frmReportDesigner&) { return QString::number(store::reportState().DataRows); },
            "15", true },
        { { "mnuPreview", "Preview" }, { 5, 3, 5, 3 }, none, {},
            [&](ScriptedUi& ui, frmReportDesigner& w) {
                return ui.shownDialogs().join(' ') + " | " + regions();
            },
            "frmPreview | " + DemoRegions, false },
        { { "mnuHelpTopic" }, { 5, 3, 5, 3 }, none, {},
            [](ScriptedUi& ui, frmReportDesigner&) { return ui.openedUrls().value(0).fileName(); },
            "报表设计器.htm", false },
        { { "mnuParameterSet", "Parameter" }, { 5, 3, 5, 3 }, none, { "没有定义统计参数。" },
            [](ScriptedUi& ui, frmReportDesigner&) { return ui.shownDialogs().join(' '); }, "", false },
        { { "mnuAbout" }, { 5, 3, 5, 3 }, none, {},
            [&](ScriptedUi&, frmReportDesigner&) { return QString::number(sysInfo->shown); }, "1", false },
        { { "mnuNew", "New" }, { 5, 3, 5, 3 },
            [](ScriptedUi& ui, frmReportDesigner&) {
                drive<designer::frmNewReport>(
                    ui, "frmNewReport", [](designer::frmNewReport& dialog) { dialog.cmdCancel_Click(); });
            },
            {}, [](ScriptedUi&, frmReportDesigner& w) { return identity() + " " + w.windowTitle(); },
            demo::DataReportId + "|文书档案目录|wsda|wsda 文书档案目录", false },
        { { "mnuOpen", "Open" }, { 5, 3, 5, 3 },
            [](ScriptedUi& ui, frmReportDesigner&) {
                drive<designer::frmOpenReport>(
                    ui, "frmOpenReport", [](designer::frmOpenReport& dialog) { dialog.cmdCancel_Click(); });
            },
            {}, [](ScriptedUi&, frmReportDesigner& w) { return identity() + " " + w.windowTitle(); },
            demo::DataReportId + "|文书档案目录|wsda|wsda 文书档案目录", false },
        // Closing after a save asks nothing and empties the report id alone.
        { { "mnuSave", "Save" }, { 5, 3, 5, 3 },
            [](ScriptedUi&, frmReportDesigner& w) { w.setReportModified(true); }, {},
            [](ScriptedUi&, frmReportDesigner& w) {
                const bool wasModified = w.ReportModified();
                const bool closed = w.Form_Unload();
                return QStringLiteral("%1 %2 ").arg(wasModified).arg(closed) + identity();
            },
            "0 1 |文书档案目录|wsda|wsda", false },
        { { "mnuExit", "Exit" }, { 5, 3, 5, 3 }, none, {},
            [](ScriptedUi&, frmReportDesigner& w) { return identity(); }, "|||", false },
        { { "mnuRename" }, { 5, 3, 5, 3 },
            [=](ScriptedUi& ui, frmReportDesigner&) {
                drive<designer::frmRenameReport>(
                    ui, "frmRenameReport", [=](designer::frmRenameReport& dialog) {
                        dialog.txtName->setText(renamed);
                        dialog.cmdOK_Click();
                    });
            },
            {},
            [&](ScriptedUi&, frmReportDesigner& w) {
                return w.windowTitle() + " "
                    + scalar("select report_name from report_index where report_id = '" + demo::DataReportId
                        + "'");
            },
            renamed + " " + renamed, false },
        { { "mnuDeleteReport" }, { 5, 3, 5, 3 }, none, { "确定要删除该报表吗？" },
            [&](ScriptedUi&, frmReportDesigner& w) {
                return QStringLiteral("%1 %2 %3 ")
                           .arg(w.reportShown())
                           .arg(w.windowTitle())
                           .arg(allRows(demo::DataReportId).size())
                    + identity();
            },
            "0 报表设计器 0 ||wsda|wsda", false },
    };
    for (const CommandCase& c : cases) {
        for (const QString& command : c.commands) {
            openOn(demo::DataReportId, store::DataReport);
            store::reportState().SysInfo = sysInfo;
            const auto window = openDesigner();
            window->grid().select(c.selection);
            window->grid().setActiveCell(c.selection.row1, c.selection.col1);
            window->fbkRptDesigner_Click(c.selection.row1, c.selection.col1);
            ScriptedUi script;
            c.script(script, *window);
            QAction* action = window->command(command);
            ASSERT_TRUE(action) << command.toStdString();
            EXPECT_TRUE(action->isEnabled()) << command.toStdString();
            action->trigger();
            EXPECT_EQ(script.boxTexts().join('|').toStdString(), c.boxes.join('|').toStdString())
                << command.toStdString();
            EXPECT_EQ(c.outcome(script, *window).toStdString(), c.expected.toStdString())
                << command.toStdString();
            EXPECT_EQ(window->ReportModified(), c.marksChanged) << command.toStdString();
            window->setReportModified(false);
        }
    }
}

// Without a printer the preview is refused before anything is asked: no question, no preview, the regions
// as the designer had them.
TEST_P(DesignerCommands, PreviewWithoutAPrinterIsRefusedFirst)
{
    const auto window = openDesigner();
    select(*window, 5, 3);
    window->command("InsertRow")->trigger();
    const store::RegionTable designed = store::reportState().RegionTable;
    const platform::ui::ScriptedPrinters noPrinter({});
    window->command("Preview")->trigger();
    EXPECT_EQ(ui.boxTexts(), QStringList { "没有安装打印机，不能打印报表！" });
    EXPECT_TRUE(ui.shownDialogs().isEmpty());
    EXPECT_EQ(store::reportState().RegionTable, designed);
    window->setReportModified(false);
}

// The save question, answered No, takes the layout as it now is: the same dragged width is not asked about
// a second time, nor when the window closes.
TEST_P(DesignerCommands, TheSaveQuestionRetakesTheLayoutSnapshot)
{
    const auto window = openDesigner();
    window->grid().setColWidth(3, 3000);
    ui.onDialog("frmOpenReport",
        [](QDialog& dialog) { static_cast<designer::frmOpenReport&>(dialog).cmdCancel_Click(); });
    ui.queueAnswer(MsgBoxResult::No);
    window->command("Open")->trigger();
    window->command("Open")->trigger();
    EXPECT_TRUE(window->Form_Unload());
    EXPECT_EQ(ui.boxTexts(), QStringList { "报表已经修改，是否保存?" });
    EXPECT_EQ(ui.shownDialogs().size(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Backends, DesignerCommands, testing::ValuesIn(orvtest::allBackends()), orvtest::BackendTestName {});

} // namespace

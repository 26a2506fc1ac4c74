#include "designer/frmReportDesigner.h"

#include "designer/DesignerMenus.h"
#include "designer/DesignerState.h"
#include "designer/DesignSelection.h"
#include "designer/frmAddRegion.h"
#include "designer/frmColWidth.h"
#include "designer/frmNewReport.h"
#include "designer/frmOpenReport.h"
#include "designer/frmRenameReport.h"
#include "designer/frmResize.h"
#include "designer/frmRowHeight.h"
#include "designer/MenuRules.h"
#include "designer/RegionEdits.h"
#include "designer/ReportNames.h"
#include "designer/RowColumnEdits.h"
#include "designer/SelectionEdits.h"
#include "designer/SelectListTables.h"
#include "designer/SizeInput.h"
#include "designer/TypedEntry.h"
#include "dialogs/frmCellFormat.h"
#include "dialogs/frmDataSource.h"
#include "dialogs/frmPageSetup.h"
#include "output/frmPreview.h"
#include "output/ReportPrinter.h"
#include "output/StatusPanels.h"
#include "platform/grid/view/GridView.h"
#include "platform/outside/FailureLog.h"
#include "platform/outside/HostObjects.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/StatExpressionObject.h"
#include "platform/ui/FailureBox.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/ModalDialog.h"
#include "platform/ui/WindowSize.h"
#include "store/DefinitionReader.h"
#include "store/HelpPage.h"
#include "store/ReportLoader.h"
#include "store/ReportLookups.h"
#include "store/ReportSaver.h"
#include "store/ReportState.h"
#include "store/TextConvert.h"
#include "store/WindowSeams.h"

#include <algorithm>
#include <QAction>
#include <QCursor>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace designer
{

using platform::grid::CellRange;

namespace
{

const QString Caption = QStringLiteral("报表设计器");
constexpr int DefaultSheetSize = 10; // rows and columns of a report that stores no size
constexpr int MinimumSidePixels = 334; // 5000 twips

// The first cell of the design: column 2 of a data report (column 1 holds the markers), column 1 of a
// statistics report or of a sheet with one column.
int firstDesignColumn(const platform::grid::Sheet& sheet)
{
    return isDataReport() && sheet.maxCol() > 1 ? 2 : 1;
}

// The desktop's icon theme; where the desktop names none, the breeze theme that the component installs,
// looked up in the system's data folders also where the platform gives no search path (offscreen).
QIcon themeIcon(const QString& name)
{
    static const bool themeChosen = [] {
        if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor")) {
            QIcon::setThemeName(QStringLiteral("breeze"));
            QStringList paths = QIcon::themeSearchPaths();
            for (const QString& folder : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                     QStringLiteral("icons"), QStandardPaths::LocateDirectory)) {
                if (!paths.contains(folder))
                    paths.append(folder);
            }
            QIcon::setThemeSearchPaths(paths);
        }
        return true;
    }();
    Q_UNUSED(themeChosen);
    return QIcon::fromTheme(name);
}

} // namespace

frmReportDesigner::frmReportDesigner(QWidget* parent)
    : QDialog(parent)
    , menuBar(new QMenuBar(this))
    , tlbReportDesign(new QToolBar(this))
    , Picture1(new QWidget(this))
    , txtRange(new QLineEdit(Picture1))
    , LblInput(new QLabel(QStringLiteral("内容："), Picture1))
    , TxtInput(new QLineEdit(Picture1))
    , picBackGround(new QWidget(this))
    , fbkRptDesigner(new platform::grid::GridView(picBackGround))
    , staReportDefine(new QStatusBar(this))
    , prgOpenStatus(new QProgressBar(staReportDefine))
{
    setObjectName(QStringLiteral("frmReportDesigner"));
    setWindowTitle(Caption);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setMinimumSize(MinimumSidePixels, MinimumSidePixels);
    platform::ui::openOnScreen(*this, { 1000, 700 });

    buildMenus();
    buildToolbar();
    buildInputStrip();
    auto* gridLayout = new QVBoxLayout(picBackGround);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->addWidget(fbkRptDesigner);
    fbkRptDesigner->setSheet(&sheet_);
    fbkRptDesigner->setAllowEdit(true);
    fbkRptDesigner->setTabMovesCell(true);

    QFont statusFont = staReportDefine->font();
    statusFont.setFamilies({ QStringLiteral("宋体"), QStringLiteral("SimSun"), statusFont.family() });
    staReportDefine->setFont(statusFont);
    prgOpenStatus->setRange(0, 50);
    prgOpenStatus->setMaximumHeight(16);
    staReportDefine->addPermanentWidget(prgOpenStatus);
    prgOpenStatus->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(tlbReportDesign);
    layout->addWidget(Picture1);
    layout->addWidget(picBackGround, 1);
    layout->addWidget(staReportDefine);

    connect(
        fbkRptDesigner, &platform::grid::GridView::clicked, this, &frmReportDesigner::fbkRptDesigner_Click);
    connect(fbkRptDesigner, &platform::grid::GridView::selectionChanged, this,
        &frmReportDesigner::fbkRptDesigner_SelChange);
    connect(fbkRptDesigner, &platform::grid::GridView::rightClicked, this,
        &frmReportDesigner::fbkRptDesigner_RClick);
    connect(fbkRptDesigner, &platform::grid::GridView::cellEdited, this,
        &frmReportDesigner::fbkRptDesigner_CellEdited);
}

frmReportDesigner::~frmReportDesigner() = default;

void frmReportDesigner::buildMenus()
{
    for (const MenuSpec& entry : designerMenus()) {
        auto* menu = new QMenu(entry.caption, this);
        menu->setObjectName(entry.control);
        menus_.insert(entry.control, menu);
        commands_.insert(entry.control, menu->menuAction());
        for (const MenuItemSpec& item : entry.items) {
            if (item.control.isEmpty()) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(item.caption);
            action->setObjectName(item.control);
            commands_.insert(item.control, action);
            connect(action, &QAction::triggered, this,
                [this, handler = item.handler] { invokeHandler(handler); });
        }
        if (!entry.popupOnly)
            menuBar->addMenu(menu);
    }
    // The key every editor saves with; without it a clerk's Ctrl+S silently did nothing.
    commands_.value(QStringLiteral("mnuSave"))->setShortcut(QKeySequence::Save);
    // Delete clears the selected cells, as in every spreadsheet; the cell editor keeps the key for itself.
    commands_.value(QStringLiteral("mnuClearContent"))->setShortcut(QKeySequence::Delete);
    commands_.value(QStringLiteral("mnuHelpTopic"))->setShortcut(Qt::Key_F1);
}

void frmReportDesigner::buildToolbar()
{
    tlbReportDesign->setObjectName(QStringLiteral("tlbReportDesign"));
    tlbReportDesign->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tlbReportDesign->setIconSize(QSize(22, 22));
    for (const ToolButtonSpec& button : designerToolbar()) {
        if (button.key.isEmpty()) {
            tlbReportDesign->addSeparator();
            continue;
        }
        QAction* action = tlbReportDesign->addAction(themeIcon(button.icon), button.caption);
        action->setObjectName(QStringLiteral("tlb") + button.key);
        action->setToolTip(button.tooltip.isEmpty() ? button.caption : button.tooltip);
        commands_.insert(button.key, action);
        connect(action, &QAction::triggered, this,
            [this, key = button.key] { tlbReportDesign_ButtonClick(key); });
    }
}

void frmReportDesigner::buildInputStrip()
{
    Picture1->setObjectName(QStringLiteral("Picture1"));
    txtRange->setReadOnly(true);
    txtRange->setFixedWidth(80);
    txtRange->setAlignment(Qt::AlignCenter);
    TxtInput->setReadOnly(true);
    auto* strip = new QHBoxLayout(Picture1);
    strip->setContentsMargins(4, 2, 4, 2);
    strip->addWidget(txtRange);
    strip->addWidget(LblInput);
    strip->addWidget(TxtInput, 1);
}

QAction* frmReportDesigner::command(const QString& name) const
{
    return commands_.value(name);
}

QMenu* frmReportDesigner::menu(const QString& control) const
{
    return menus_.value(control);
}

bool frmReportDesigner::reportShown() const
{
    return !fbkRptDesigner->isHidden() && !store::reportState().ReportId.isEmpty();
}

// After a command the grid is painted anew and the address, content strip, area text and menus follow
// the active cell, which the command may have moved or whose content it may have changed.
void frmReportDesigner::invokeHandler(const QString& handler)
{
    commitOpenEdit();
    QMetaObject::invokeMethod(this, handler.toLatin1().constData());
    if (!reportShown())
        return;
    fbkRptDesigner->refresh();
    fbkRptDesigner_Click(sheet_.activeRow(), sheet_.activeCol());
}

// An entry still being typed into a cell is stored first, so that a command (a save above all) or the
// closing question sees it.
void frmReportDesigner::commitOpenEdit()
{
    if (!fbkRptDesigner->isEditing())
        return;
    const bool allowed = fbkRptDesigner->allowEdit();
    fbkRptDesigner->setAllowEdit(false);
    fbkRptDesigner->setAllowEdit(allowed);
}

// ---------------------------------------------------------------------------------------------------
// The window's life

void frmReportDesigner::Form_Load()
{
    InitDesigner();
    flags_.JustSaved = false;
    output::SetStatusText(*staReportDefine, Caption, output::UserStatusText());
}

void frmReportDesigner::InitDesigner()
{
    flags_.ReportModified = false;
    if (store::reportState().ReportId.isEmpty() || !LoadRpt())
        ShowNoReport();
    const int firstCol = isDataReport() ? 2 : 1;
    sheet_.setActiveCell(1, firstCol);
    // Sizes dragged on the headings keep to the size dialogs' bounds and spare the marker column; the
    // layout snapshot then notices them.
    fbkRptDesigner->setSizeDragging(platform::grid::GridView::SizeLimits { 1, MaxSizeTwips, firstCol });
    if (store::reportState().ReportType == store::StatisticsReport)
        menus_.value(QStringLiteral("mnuReportRegion"))->menuAction()->setVisible(false);
}

// Loads the report of the state's ReportId into a fresh grid, so that no size or format of the previous
// report stays; the loaded report is unchanged. A report that cannot be read, or that the archive does not
// hold (a host's stale id: saving the blank grid would store a report without a name), is told and leaves
// the designer without a report.
bool frmReportDesigner::LoadRpt()
{
    bool loaded = false;
    {
        const platform::ui::WaitCursor waiting;
        ClearReportGlobals();
        sheet_ = platform::grid::Sheet();
        fbkRptDesigner->hide();
        prgOpenStatus->setValue(0);
        prgOpenStatus->show();
        loaded = platform::ui::showingFailures(QStringLiteral("报表数据不能读出："), [this] {
            definition_
                = store::OpenReportInDesigner(sheet_, [this](int value) { prgOpenStatus->setValue(value); });
        });
        prgOpenStatus->hide();
    }
    if (loaded && !definition_) {
        platform::ui::msgBox(store::ReportMissingMessage);
        loaded = false;
    }
    if (!loaded) {
        store::reportState().ReportId.clear();
        return false;
    }
    ApplyGridSize();
    EnableMenus(true);
    flags_.ReportModified = false;
    layout_.SaveLayoutSizes(sheet_);
    SelectFirstDesignCell();
    return true;
}

void frmReportDesigner::ApplyGridSize()
{
    const store::ReportState& state = store::reportState();
    setWindowTitle(state.ReportName);
    sheet_.setMaxCol(state.ColCount > 0 ? state.ColCount : DefaultSheetSize);
    sheet_.setMaxRow(state.RowCount > 0 ? state.RowCount : DefaultSheetSize);
    fbkRptDesigner->show();
    fbkRptDesigner->refresh();
}

void frmReportDesigner::SelectFirstDesignCell()
{
    if (fbkRptDesigner->isHidden())
        return;
    const int col = firstDesignColumn(sheet_);
    sheet_.select(1, col, 1, col);
    sheet_.setActiveCell(1, col);
    fbkRptDesigner->showActiveCell();
    fbkRptDesigner_Click(1, col);
    fbkRptDesigner->setTopRow(1);
    fbkRptDesigner->setLeftCol(1);
}

// No report: the grid hidden, the commands that need a report disabled, nothing left to save.
void frmReportDesigner::ShowNoReport()
{
    fbkRptDesigner->hide();
    setWindowTitle(Caption);
    txtRange->clear();
    TxtInput->clear();
    output::SetStatusText(*staReportDefine, Caption, output::UserStatusText());
    EnableMenus(false);
    flags_ = {};
    layout_.clear();
    definition_.reset();
}

bool frmReportDesigner::ConfirmSaveChanges(PromptRoad road)
{
    const bool shown = reportShown();
    if (!designer::ConfirmSaveChanges(road, flags_, shown, shown && layout_.IsLayoutChanged(sheet_),
            [this] { return mnuSave_Click(); }))
        return false;
    if (shown)
        layout_.SaveLayoutSizes(sheet_);
    return true;
}

// Closing: after a save with nothing changed since, only the report id goes; otherwise a changed report
// is offered for saving and the report's identity is emptied. Cancel, or a save that failed, keeps the
// window open.
bool frmReportDesigner::Form_Unload()
{
    commitOpenEdit();
    const bool changed = reportShown() && (flags_.ReportModified || layout_.IsLayoutChanged(sheet_));
    if (flags_.JustSaved && !changed) {
        store::reportState().ReportId.clear();
        return true;
    }
    if (!ConfirmSaveChanges(PromptRoad::Close))
        return false;
    ClearReportIdentity();
    return true;
}

void frmReportDesigner::done(int result)
{
    if (!Form_Unload())
        return;
    QDialog::done(result);
}

// ---------------------------------------------------------------------------------------------------
// Report-level commands

void frmReportDesigner::mnuNew_Click()
{
    if (reportShown() && !ConfirmSaveChanges(PromptRoad::New))
        return;
    frmNewReport dialog(this);
    platform::ui::showModal(dialog);
    if (dialog.Cancelled)
        return;
    if (NewReport(dialog.ReportName))
        layout_.SaveLayoutSizes(sheet_);
    else
        platform::ui::msgBox(QStringLiteral("报表生成出错！"));
}

// The wizard (data report) or the statistics-report definition writes the new report under the name;
// the state's report stays the shown one's until a new report is loaded.
bool frmReportDesigner::NewReport(const QString& reportName)
{
    store::ReportState& state = store::reportState();
    const QString shownId = state.ReportId;
    const QString shownName = state.ReportName;
    state.ReportName = reportName;
    bool created = true;
    bool loadTried = false;
    switch (state.ReportType) {
    case store::DataReport: {
        const int finish = store::RunReportWizard();
        created = finish != store::WizardNotFinished;
        if (finish == store::WizardSaved) {
            loadTried = true;
            created = LoadRpt();
        }
        break;
    }
    case store::StatisticsReport:
        created = store::CreateStatReport();
        if (created) {
            loadTried = true;
            created = LoadRpt();
        }
        break;
    default:
        break;
    }
    if (!loadTried) {
        state.ReportId = shownId;
        state.ReportName = shownName;
    }
    return created;
}

void frmReportDesigner::mnuOpen_Click()
{
    if (!ConfirmSaveChanges(PromptRoad::Open))
        return;
    OpenReport();
}

// The state switches to the chosen report only once it is known to be complete.
void frmReportDesigner::OpenReport()
{
    frmOpenReport dialog(this);
    platform::ui::showModal(dialog);
    if (dialog.SelectedReportName.isEmpty())
        return;
    store::ReportState& state = store::reportState();
    const QString shownId = state.ReportId;
    const QString shownName = state.ReportName;
    state.ReportName = dialog.SelectedReportName;
    state.ReportId.clear();
    store::GetReportIdByName();
    if (state.ReportId.isEmpty() || !store::ReportInfoExists()) {
        state.ReportId = shownId;
        state.ReportName = shownName;
        platform::ui::msgBox(QStringLiteral("报表数据不完整，不能打开该报表！"));
        return;
    }
    if (!LoadRpt())
        ShowNoReport();
}

// Writes the shown report; a failure is told with its cause and leaves the report marked changed.
bool frmReportDesigner::mnuSave_Click()
{
    if (!reportShown() || !EnsureReportName())
        return false;
    store::ReportState& state = store::reportState();
    QString failure;
    bool saved = false;
    {
        const platform::ui::WaitCursor waiting;
        state.RowCount = state.DesignRowCount;
        state.ColCount = state.DesignColCount;
        saved = isDataReport()
            ? store::SaveDataReport(sheet_, 1, 2, sheet_.maxRow(), sheet_.maxCol(), &failure)
            : store::SaveStatReport(sheet_, 1, 1, sheet_.maxRow(), sheet_.maxCol(), &failure);
    }
    if (!saved) {
        platform::ui::msgBox(QStringLiteral("报表保存出错：") + failure, platform::ui::Buttons::Ok,
            platform::ui::Icon::Information);
        return false;
    }
    flags_.ReportModified = false;
    flags_.JustSaved = true;
    layout_.SaveLayoutSizes(sheet_);
    SelectFirstDesignCell();
    rereadDefinition();
    return true;
}

// A report stored without a name is missing from the open list: its save asks for a name, as New does.
bool frmReportDesigner::EnsureReportName()
{
    store::ReportState& state = store::reportState();
    if (!store::trimBlanks(state.ReportName).isEmpty())
        return true;
    frmNewReport dialog(this);
    platform::ui::showModal(dialog);
    if (dialog.Cancelled)
        return false;
    state.ReportName = dialog.ReportName;
    setWindowTitle(state.ReportName);
    return true;
}

void frmReportDesigner::mnuRename_Click()
{
    frmRenameReport dialog(this);
    platform::ui::showModal(dialog);
    setWindowTitle(store::reportState().ReportName);
    rereadDefinition();
}

// After the designer wrote the report, its definition is read again; without it (the read failed, and
// was logged) the preview reads the stored report itself.
void frmReportDesigner::rereadDefinition()
{
    definition_
        = platform::outside::logged("rereadDefinition", std::shared_ptr<const store::ReportDefinition>(),
            [] { return store::ReadReportDefinition(store::reportState().ReportId); });
}

void frmReportDesigner::mnuDeleteReport_Click()
{
    if (!platform::ui::askYesNo(QStringLiteral("确定要删除该报表吗？")))
        return;
    if (!DeleteReport())
        return;
    store::ReportState& state = store::reportState();
    state.ReportId.clear();
    state.ReportName.clear();
    ShowNoReport();
}

void frmReportDesigner::mnuPageSetup_Click()
{
    dialogs::frmPageSetup dialog(this);
    platform::ui::showModal(dialog);
    if (dialog.PageSetupChanged)
        flags_.ReportModified = true;
}

// The preview shows the designer's definition of the report as stored, and leaves the report state as it
// is: the designer's unsaved page settings, sheet counts and regions are still what the next save writes.
// A refusal is told here; it is no failure of the design session that the host reads afterwards.
void frmReportDesigner::mnuPreview_Click()
{
    if (!output::PrinterInstalled()) {
        platform::ui::msgBox(QStringLiteral("没有安装打印机，不能打印报表！"));
        return;
    }
    if (!ConfirmSaveChanges(PromptRoad::Preview))
        return;
    QString& errorMessage = store::reportState().ErrorMessage;
    const QString hostsMessage = errorMessage;
    platform::outside::runLogged("mnuPreview_Click", [this] {
        frmPreview preview(this, definition_);
        platform::ui::showModal(preview);
    });
    errorMessage = hostsMessage;
}

void frmReportDesigner::mnuExit_Click()
{
    reject();
}

void frmReportDesigner::mnuHelpTopic_Click()
{
    store::OpenHelpPage(QStringLiteral("报表设计器"));
}

void frmReportDesigner::mnuAbout_Click()
{
    if (const auto& sysInfo = store::reportState().SysInfo)
        sysInfo->showAbout();
}

void frmReportDesigner::mnuParameterSet_Click()
{
    const store::ReportState& state = store::reportState();
    const auto expression = platform::outside::sharedStatExpression();
    expression->setConnection(state.Connection);
    expression->setReportId(state.ReportId);
    expression->showParameterDialog();
}

void frmReportDesigner::tlbReportDesign_ButtonClick(const QString& key)
{
    for (const ToolButtonSpec& button : designerToolbar()) {
        if (!button.key.isEmpty() && button.key == key) {
            invokeHandler(button.handler);
            return;
        }
    }
}

// ---------------------------------------------------------------------------------------------------
// Commands of the cell-format and data-source dialogs

void frmReportDesigner::mnuCellFormat_Click()
{
    if (!dialogs::ShowCellFormatDialog(sheet_, SelectionCrossesRegion(sheet_), this))
        return;
    flags_.ReportModified = true;
    UpdateUsedRange(sheet_);
}

void frmReportDesigner::mnuPopCellFormat_Click()
{
    mnuCellFormat_Click();
}

void frmReportDesigner::mnuDataSource_Click()
{
    std::array<QString, MaxSelectTables> tables;
    platform::ui::showingFailures(QString(), [&] { GetSqlSelectFields(tables); });
    const QString content = dialogs::ShowDataSourceDialog(sheet_, tables, this);
    if (content.isEmpty())
        return;
    sheet_.setActiveCellText(content);
    flags_.ReportModified = true;
    UpdateUsedRange(sheet_);
    TxtInput->setText(content);
}

// ---------------------------------------------------------------------------------------------------
// Menus by selection, grid events

void frmReportDesigner::setCommandsEnabled(const QStringList& names, bool enabled)
{
    for (const QString& name : names) {
        if (QAction* action = command(name))
            action->setEnabled(enabled);
    }
}

void frmReportDesigner::EnableMenus(bool enabled)
{
    setCommandsEnabled(reportCommands(), enabled);
}

void frmReportDesigner::DisableSelectionMenus()
{
    setCommandsEnabled(selectionCommands(), false);
}

void frmReportDesigner::UpdateMenuBySelection()
{
    DisableSelectionMenus();
    setCommandsEnabled(commandsEnabledBySelection(sheet_.selection(), store::reportState().ReportType), true);
}

void frmReportDesigner::ShowAreaName(int row, int col)
{
    output::SetStatusText(*staReportDefine, AreaName(row, col), store::reportState().StatusUserText);
}

void frmReportDesigner::ShowCellAddress(int row, int col)
{
    if (const auto letters = ColumnLetters(col))
        txtRange->setText(*letters + QString::number(row));
}

void frmReportDesigner::fbkRptDesigner_Click(int row, int col)
{
    ShowAreaName(row, col);
    fbkRptDesigner_SelChange(row, col);
}

void frmReportDesigner::fbkRptDesigner_SelChange(int, int)
{
    const int row = sheet_.activeRow();
    const int col = sheet_.activeCol();
    ShowCellAddress(row, col);
    const bool markerCell = isDataReport() && col == MarkerColumn;
    TxtInput->setText(markerCell ? QString() : sheet_.entry(row, col));
    fbkRptDesigner->setAllowEdit(!markerCell);
    UpdateMenuBySelection();
}

void frmReportDesigner::fbkRptDesigner_RClick(int, int)
{
    ShowGridPopupMenu();
}

// Typing into a cell changes the report like any command; a plain text is kept as a fixed text, the
// kind that prints.
void frmReportDesigner::fbkRptDesigner_CellEdited(int row, int col)
{
    const QString typed = sheet_.entry(row, col);
    const QString stored = TypedEntry(typed);
    if (stored != typed) {
        sheet_.setText(row, col, stored);
        fbkRptDesigner->refresh();
    }
    flags_.ReportModified = true;
    if (row == sheet_.activeRow() && col == sheet_.activeCol())
        TxtInput->setText(sheet_.entry(row, col));
}

void frmReportDesigner::ShowGridPopupMenu()
{
    QMenu* popup = nullptr;
    switch (popupFor(sheet_.selection(), store::reportState().ReportType)) {
    case GridPopup::None:
        return;
    case GridPopup::Row:
        popup = menu(QStringLiteral("mnuRow"));
        break;
    case GridPopup::Col:
        popup = menu(QStringLiteral("mnuCol"));
        break;
    case GridPopup::DesignRegion:
        popup = menu(QStringLiteral("mnuDesignRegion"));
        break;
    case GridPopup::ReportRegion:
        command(QStringLiteral("mnuDeleteRegion"))->setEnabled(true);
        popup = menu(QStringLiteral("mnuReportRegion"));
        break;
    }
    if (popup->menuAction()->isEnabled())
        popup->popup(QCursor::pos());
}

// ---------------------------------------------------------------------------------------------------
// Editing commands

frmReportDesigner::KeptSelection frmReportDesigner::keptSelection() const
{
    return { sheet_.selection(), sheet_.activeRow(), sheet_.activeCol() };
}

void frmReportDesigner::restoreSelection(const KeptSelection& kept)
{
    sheet_.select(kept.range);
    sheet_.setActiveCell(kept.activeRow, kept.activeCol);
}

void frmReportDesigner::withSelectionKept(const std::function<void()>& operation)
{
    const KeptSelection kept = keptSelection();
    operation();
    restoreSelection(kept);
}

void frmReportDesigner::mnuClearFormat_Click()
{
    if (platform::ui::askYesNo(QStringLiteral("确定要清除该区域的格式信息?"))
        && ClearSelection(sheet_, ClearMode::Formats))
        flags_.ReportModified = true;
}

void frmReportDesigner::mnuClearContent_Click()
{
    if (platform::ui::askYesNo(QStringLiteral("确定要清除该区域的内容信息?"))
        && ClearSelection(sheet_, ClearMode::Contents))
        flags_.ReportModified = true;
}

// An inserted row or column changes the regions and the used size that the save writes, so it marks the
// report changed like the other edits.
void frmReportDesigner::insertKeepingSelection(const std::function<bool()>& insert)
{
    withSelectionKept([&] {
        if (insert())
            flags_.ReportModified = true;
    });
}

void frmReportDesigner::mnuInsertRowAbove_Click()
{
    insertKeepingSelection([this] { return InsertRow(sheet_, InsertPlace::Before); });
}

void frmReportDesigner::mnuInsertRowBelow_Click()
{
    cutSelectionToSheet(Qt::Vertical);
    insertKeepingSelection([this] { return InsertRow(sheet_, InsertPlace::After); });
}

void frmReportDesigner::mnuInsertColLeft_Click()
{
    insertKeepingSelection([this] { return InsertColumn(sheet_, InsertPlace::Before); });
}

void frmReportDesigner::mnuInsertColRight_Click()
{
    cutSelectionToSheet(Qt::Horizontal);
    insertKeepingSelection([this] { return InsertColumn(sheet_, InsertPlace::After); });
}

// A selection of whole columns (rows) is cut to end at the sheet's last row (column) before the commands
// that work row by row (column by column).
void frmReportDesigner::cutSelectionToSheet(Qt::Orientation along)
{
    CellRange selection = sheet_.selection();
    if (along == Qt::Vertical)
        selection.row2 = std::min(selection.row2, sheet_.maxRow());
    else
        selection.col2 = std::min(selection.col2, sheet_.maxCol());
    const int activeRow = std::min(sheet_.activeRow(), selection.row2);
    const int activeCol = std::min(sheet_.activeCol(), selection.col2);
    sheet_.select(selection);
    sheet_.setActiveCell(activeRow, activeCol);
}

// After a deletion the selection goes back where it was, or to the sheet's new last row (column) when
// it reached that far; the click handler then shows the cell.
void frmReportDesigner::selectAfterDeletion(KeptSelection kept, Qt::Orientation along)
{
    if (along == Qt::Vertical && kept.range.row2 >= sheet_.maxRow())
        kept.range.row1 = kept.range.row2 = kept.activeRow = sheet_.maxRow();
    if (along == Qt::Horizontal && kept.range.col2 >= sheet_.maxCol())
        kept.range.col1 = kept.range.col2 = kept.activeCol = sheet_.maxCol();
    restoreSelection(kept);
    fbkRptDesigner_Click(kept.activeRow, kept.activeCol);
}

void frmReportDesigner::mnuDeleteRow_Click()
{
    const KeptSelection kept = keptSelection();
    if (DeleteRow(sheet_))
        flags_.ReportModified = true;
    selectAfterDeletion(kept, Qt::Vertical);
}

void frmReportDesigner::mnuDeleteCol_Click()
{
    const KeptSelection kept = keptSelection();
    if (DeleteColumn(sheet_))
        flags_.ReportModified = true;
    selectAfterDeletion(kept, Qt::Horizontal);
}

void frmReportDesigner::mnuDeleteRegion_Click()
{
    const KeptSelection kept = keptSelection();
    if (DeleteRegion(sheet_))
        flags_.ReportModified = true;
    const int lastRow = sheet_.maxRow();
    if (kept.range.row2 <= lastRow)
        restoreSelection(kept);
    else
        restoreSelection({ CellRange::cell(lastRow, 2), lastRow, 2 });
}

void frmReportDesigner::mnuAddRegion_Click()
{
    withSelectionKept([this] {
        frmAddRegion dialog(sheet_, this);
        platform::ui::showModal(dialog);
        if (dialog.ReportModified)
            flags_.ReportModified = true;
    });
}

void frmReportDesigner::mnuRowHeight_Click()
{
    cutSelectionToSheet(Qt::Vertical);
    frmRowHeight dialog(this);
    dialog.showCurrentSize(sheet_.rowHeight(sheet_.activeRow()));
    platform::ui::showModal(dialog);
    if (dialog.RowHeightTwips == 0)
        return;
    SetSelRowHeight(sheet_, dialog.RowHeightTwips);
    flags_.ReportModified = true;
}

void frmReportDesigner::mnuColWidth_Click()
{
    frmColWidth dialog(this);
    dialog.showCurrentSize(sheet_.colWidth(sheet_.activeCol()));
    platform::ui::showModal(dialog);
    if (dialog.ColWidthTwips == 0)
        return;
    SetSelColWidth(sheet_, dialog.ColWidthTwips);
    flags_.ReportModified = true;
}

// A merged selection takes a cell format and a content like a single cell.
void frmReportDesigner::mnuMerge_Click()
{
    bool merged = false;
    platform::ui::showingFailures(QString(), [&] { merged = MergeSelection(sheet_); });
    if (!merged)
        return;
    flags_.ReportModified = true;
    if (sheet_.selectionFormat().mergeCells.value_or(false))
        setCommandsEnabled({ QStringLiteral("mnuCellFormat"), QStringLiteral("mnuDataSource") }, true);
}

void frmReportDesigner::mnuResize_Click()
{
    frmResize dialog(fbkRptDesigner->zoom(), this);
    platform::ui::showModal(dialog);
    if (dialog.ZoomPercent != 0)
        fbkRptDesigner->setZoom(dialog.ZoomPercent);
}

} // namespace designer

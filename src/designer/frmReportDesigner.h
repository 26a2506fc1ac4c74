#pragma once

#include "designer/LayoutSnapshot.h"
#include "designer/SavePrompt.h"
#include "platform/grid/Sheet.h"

#include <functional>
#include <memory>
#include <QDialog>
#include <QHash>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QProgressBar;
class QStatusBar;
class QToolBar;

namespace store
{
struct ReportDefinition;
}

namespace platform::grid
{
class GridView;
}

namespace designer
{

// The report designer "报表设计器": one report definition at a time on the design grid, with menus,
// toolbar, popup menus, the address and content strip and the status bar. It opens on the state's
// ReportId (or on no report), creates, opens, saves, renames and deletes reports, and asks before a
// changed report would be left. A data report's column 1 holds the region markers.
class frmReportDesigner : public QDialog
{
    Q_OBJECT
public:
    explicit frmReportDesigner(QWidget* parent = nullptr);
    ~frmReportDesigner() override;

    // The report was changed by a command since it was loaded or saved; other windows opened from the
    // designer set it too.
    bool ReportModified() const { return flags_.ReportModified; }
    void setReportModified(bool modified) { flags_.ReportModified = modified; }

    platform::grid::Sheet& grid() { return sheet_; }
    // A report is shown (the grid is visible); commands that need one are enabled.
    bool reportShown() const;
    // The action of a menu item or popup menu by its control name, or of a toolbar button by its key.
    QAction* command(const QString& name) const;
    QMenu* menu(const QString& control) const;

    QMenuBar* menuBar;
    QToolBar* tlbReportDesign;
    QWidget* Picture1;
    QLineEdit* txtRange;
    QLabel* LblInput;
    QLineEdit* TxtInput;
    QWidget* picBackGround;
    platform::grid::GridView* fbkRptDesigner;
    QStatusBar* staReportDefine;
    QProgressBar* prgOpenStatus;

public slots:
    void Form_Load();
    bool Form_Unload();

    void mnuNew_Click();
    void mnuOpen_Click();
    bool mnuSave_Click();
    void mnuRename_Click();
    void mnuDeleteReport_Click();
    void mnuPageSetup_Click();
    void mnuPreview_Click();
    void mnuExit_Click();
    void mnuClearFormat_Click();
    void mnuClearContent_Click();
    void mnuInsertRowAbove_Click();
    void mnuInsertRowBelow_Click();
    void mnuInsertColLeft_Click();
    void mnuInsertColRight_Click();
    void mnuDeleteRow_Click();
    void mnuDeleteCol_Click();
    void mnuRowHeight_Click();
    void mnuColWidth_Click();
    void mnuMerge_Click();
    void mnuCellFormat_Click();
    void mnuPopCellFormat_Click();
    void mnuParameterSet_Click();
    void mnuDataSource_Click();
    void mnuResize_Click();
    void mnuAddRegion_Click();
    void mnuDeleteRegion_Click();
    void mnuHelpTopic_Click();
    void mnuAbout_Click();
    void tlbReportDesign_ButtonClick(const QString& key);

    void fbkRptDesigner_Click(int row, int col);
    void fbkRptDesigner_SelChange(int row, int col);
    void fbkRptDesigner_RClick(int row, int col);
    void fbkRptDesigner_CellEdited(int row, int col);

    void done(int result) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildInputStrip();

    void InitDesigner();
    bool LoadRpt();
    void ApplyGridSize();
    void SelectFirstDesignCell();
    bool NewReport(const QString& reportName);
    void OpenReport();
    void ShowNoReport();
    bool ConfirmSaveChanges(PromptRoad road);
    bool EnsureReportName();

    void EnableMenus(bool enabled);
    void DisableSelectionMenus();
    void UpdateMenuBySelection();
    void ShowAreaName(int row, int col);
    void ShowCellAddress(int row, int col);
    void ShowGridPopupMenu();
    void setCommandsEnabled(const QStringList& names, bool enabled);
    void invokeHandler(const QString& handler);
    void commitOpenEdit();
    void rereadDefinition();

    // The editing commands' shape: the selection and the active cell are put back after the operation.
    struct KeptSelection {
        platform::grid::CellRange range;
        int activeRow = 1;
        int activeCol = 1;
    };
    KeptSelection keptSelection() const;
    void restoreSelection(const KeptSelection& kept);
    void withSelectionKept(const std::function<void()>& operation);
    void selectAfterDeletion(KeptSelection kept, Qt::Orientation along);
    void insertKeepingSelection(const std::function<bool()>& insert);
    void cutSelectionToSheet(Qt::Orientation along);

    platform::grid::Sheet sheet_;
    // The shown report's definition as the designer last loaded or wrote it: what its preview shows.
    std::shared_ptr<const store::ReportDefinition> definition_;
    EditFlags flags_;
    LayoutSnapshot layout_;
    QHash<QString, QAction*> commands_;
    QHash<QString, QMenu*> menus_;
};

} // namespace designer

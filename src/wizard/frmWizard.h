#pragma once

#include "wizard/clsReportWizard.h"
#include "wizard/QtWizardControls.h"
#include "wizard/WizardSteps.h"

#include <array>
#include <memory>
#include <QDialog>
#include <QString>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace wizard
{

// The new-report wizard "报表生成": six steps (introduction, tables, fields, groups, sort, summary) over
// its model; the host sets GroupID, reportName and LinkTableName, shows it when LinkTableName was kept,
// and reads Finish (0 saved, 1 cancelled, 2 otherwise).
class frmWizard : public QDialog
{
    Q_OBJECT
public:
    explicit frmWizard(QWidget* parent = nullptr);
    ~frmWizard() override;

    QString GroupID() const { return groupId_; }
    void setGroupID(const QString& groupId);
    QString reportName() const { return reportName_; }
    void setReportName(const QString& name);
    QString LinkTableName() const { return linkTableName_; }
    // Keeps the table only when the model can load the tables related to it.
    void setLinkTableName(const QString& table);
    int Finish() const { return FinishValue(saved_, cancelled_); }

    WizardStep CurrentStep() const { return step_; }
    QPushButton* nav(NavButton button) const { return cmdNav[int(button)]; }
    clsReportWizard& Model() { return model_; }

    QWidget* picNav;
    std::array<QPushButton*, NavButtonCount> cmdNav;
    QStackedWidget* steps;
    std::array<QWidget*, StepCount> fraStep;
    std::array<QLabel*, StepCount> lblStep;
    QLabel* imgStep;
    QLabel* Text1;
    QTreeWidget* tvTables;
    QListWidget* lstCheckedTable;
    QPushButton* cmdAddTable;
    QPushButton* cmdRemoveTable;
    QListWidget* lstUseTable;
    QListWidget* lstSourceField;
    QListWidget* lstCheckedField;
    QPushButton* cmdAddField;
    QPushButton* cmdAddFields;
    QPushButton* cmdRemoveField;
    QPushButton* cmdRemoveFields;
    std::array<QRadioButton*, 4> optGroup; // 1 to 3
    QListWidget* lstUseFields;
    QListWidget* lstGroupFields;
    QPushButton* cmdAddGroup;
    QPushButton* cmdRemoveGroup;
    QListWidget* lstNoUseFields;
    QListWidget* lstOrderByFields;
    QPushButton* cmdAddOrder;
    QPushButton* cmdRemoveOrder;
    QPushButton* cmdMoveUP;
    QPushButton* cmdMoveDown;
    QGroupBox* frOrder;
    std::array<QRadioButton*, 2> optSort; // ascending, descending

public slots:
    void Form_Load();
    void cmdNav_Click(NavButton button);
    void tvTables_NodeClick(QTreeWidgetItem* node);
    void cmdAddTable_Click();
    void cmdRemoveTable_Click();
    void lstCheckedTable_Click();
    void lstUseTable_Click();
    void cmdAddField_Click();
    void cmdAddFields_Click();
    void cmdRemoveField_Click();
    void cmdRemoveFields_Click();
    void lstSourceField_Click();
    void lstSourceField_DblClick();
    void lstCheckedField_Click();
    void optGroup_Click(int level);
    void cmdAddGroup_Click();
    void cmdRemoveGroup_Click();
    void lstUseFields_MouseDown();
    void lstUseFields_MouseUp();
    void lstUseFields_DblClick();
    void lstGroupFields_MouseUp();
    void cmdAddOrder_Click();
    void cmdRemoveOrder_Click();
    void cmdMoveUP_Click();
    void cmdMoveDown_Click();
    void lstOrderByFields_Click();
    void lstNoUseFields_Click();
    void optSort_Click(int index);

    // Closing with the frame or Escape is the cancel button.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSteps();
    void ShowStep(WizardStep step);
    void SetNavButtons(WizardStep step);
    void EnableNextAndFinish(bool enabled);
    // What the next steps take over from a change of tables (the table list) and of fields (no groups).
    void TakeOverChanges(bool fieldsToo);
    void EnableNextByList(QListWidget* list);
    void RefreshFieldButtons();
    void RefreshGroupControls();
    void RefreshOrderControls();
    void RefreshListButtons(QListWidget* source, QListWidget* target, QPushButton* add, QPushButton* remove,
        bool byCount = false);
    // Moves the selected entries between two lists and records the step's choice.
    void moveFields(QListWidget* from, QListWidget* to, bool addMode);
    void moveGroupFields(QListWidget* from, QListWidget* to);
    void moveSortFields(QListWidget* from, QListWidget* to);
    void moveOrderEntry(int offset);
    void ShowWizardHelp();

    clsReportWizard model_;
    TreeWidgetControl tree_;
    QString groupId_;
    QString reportName_;
    QString linkTableName_;
    WizardStep step_ = WizardStep::Introduction;
    int currentTable_ = -1;
    int currentGroup_ = 1;
    bool tablesChanged_ = false;
    bool fieldsChanged_ = false;
    int groupedAtMouseDown_ = 0;
    bool groupLimitFlag_ = false;
    int rememberedNode_ = -1;
    bool saved_ = false;
    bool cancelled_ = false;
};

} // namespace wizard

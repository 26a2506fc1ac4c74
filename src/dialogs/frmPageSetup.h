#pragma once

#include "dialogs/PageSetupModel.h"

#include <array>
#include <map>
#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace dialogs
{

// The page-setup dialog "页面设置": paper, orientation, the four margins, records per page, self-fitting
// generation and group page recount of the current report. It reads the report state when it shows and
// writes the state on OK; the custom paper's size is stored at once in the report's PAGE_SIZE row.
// PageSetupChanged is true once it has loaded and false only after Cancel (the button, Escape or the
// title bar's close button).
class frmPageSetup : public QDialog
{
    Q_OBJECT
public:
    explicit frmPageSetup(QWidget* parent = nullptr);

    bool PageSetupChanged = false;

    QTabWidget* tabPageSetup;
    QLineEdit* txtLeftMarge;
    QLineEdit* txtRightMarge;
    QLineEdit* txtTopMarge;
    QLineEdit* txtBottomMarge;
    QComboBox* cboPagesize;
    QLineEdit* txtPageWidth;
    QLineEdit* txtPageHeight;
    QGroupBox* fraOriention;
    std::array<QRadioButton*, 2> optOriention; // 0 upright, 1 landscape
    QGroupBox* fraStyle;
    std::array<QRadioButton*, 3> optFixRows; // indexed by RowsMode
    QLineEdit* txtRows;
    QGroupBox* fraSelfFit;
    std::array<QRadioButton*, 2> optSelfFit; // 0 yes, 1 no
    QGroupBox* fraPageRecount;
    std::array<QRadioButton*, 2> optRecount; // 0 yes, 1 no
    QLabel* lblMessage;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdDefault;

public slots:
    void Form_Load();
    void cboPagesize_Click();
    void optFixRows_Click();
    void tabPageSetup_Click(int tab);
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdDefault_Click();
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* marginsTab();
    QWidget* paperTab();
    QWidget* parametersTab();
    void addHint(QWidget* control, const QString& hint);

    // Everything the form holds but the paper name, which only the paper list selects.
    void showForm(const PageSetupForm& form);
    PageSetupForm form() const;
    void selectPaper(int index);
    bool customPaperChosen() const;
    QLineEdit* box(SetupField field) const;

    std::map<const QObject*, QString> hints_;
};

// Fills the store's hook behind CReportOrv's ShowPageSetupDlg: a new dialog each time, shown modally; its
// result is not read. The component installs it at start-up.
void installPageSetupDialog();

} // namespace dialogs

#pragma once

#include "dialogs/DataSourceModel.h"

#include <array>
#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace platform::grid
{
class Sheet;
}

namespace dialogs
{

// The report's tables as the designer reads them from its select list; "" where there is none.
using ReportTables = std::array<QString, 3>;

// "数据源设置": where the active cell of the design grid takes its content from. The tree on the left
// lists the content kinds of the report type (with the report's tables and visible columns under
// "字段"), one panel on the right holds the boxes of the chosen kind. The active cell's content text is
// read back when the dialog opens; SourceText is the text that OK confirms, "" when nothing changed
// (an untouched dialog, or the cell's own text again) and after Cancel.
class frmDataSource : public QDialog
{
    Q_OBJECT
public:
    frmDataSource(platform::grid::Sheet& grid, const ReportTables& tables, QWidget* parent = nullptr);

    QString SourceText;

    QTreeWidget* tvwDataSource;
    std::array<QGroupBox*, 9> fraDataSource; // indexed by SourceKind
    QPlainTextEdit* txtText;
    QPushButton* cmdselPara;
    QLineEdit* txtField;
    QCheckBox* ChkSX;
    QCheckBox* chkInsert;
    QLineEdit* TxtChar;
    QLineEdit* TxtChar1;
    QRadioButton* optFrt;
    QRadioButton* OptBck;
    QLabel* Label8;
    QLabel* Label10;
    QPlainTextEdit* txtSQL;
    QPushButton* CmdSelect;
    QCheckBox* chkAutoSelect;
    QCheckBox* chkSelR;
    QLineEdit* txtSysArgument;
    QPushButton* cmdSysArg;
    QLineEdit* txtPicture;
    QPushButton* cmdSelectPic;
    QComboBox* cboFormula;
    QLineEdit* txtRegion;
    QLineEdit* txtSpecFormula;
    QLabel* lblDescription;
    QPushButton* cmdSetFormula;
    QLineEdit* txtSQLFormula;
    QLineEdit* txtSqlFormulaDesc;
    QPushButton* cmdSetSqlFormula;
    QComboBox* CboSelCol;
    QLabel* LblSum;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

    SourceKind sourceKind() const { return kind_; }

public slots:
    void Form_Load();
    void tvwDataSource_NodeClick(QTreeWidgetItem* node);
    void txtText_LostFocus();
    void txtField_Change();
    void txtSysArgument_Change();
    void txtPicture_Change();
    void txtSpecFormula_Change();
    void txtSQLFormula_Change();
    void CboSelCol_Change();
    void txtSQL_Change();
    void ChkSX_Click();
    void chkInsert_Click();
    void optionChanged();
    void cmdselPara_Click();
    void CmdSelect_Click();
    void cmdSysArg_Click();
    void cmdSelectPic_Click();
    void cmdSetFormula_Click();
    void cmdSetSqlFormula_Click();
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPanels();
    void InitFromActiveCell();
    void BuildSourceTree();
    void LoadVisibleFields(int table, QTreeWidgetItem* fields);
    void ShowPanel(SourceKind kind);
    void selectNode(const QString& key);
    void selectFieldNode(const QString& field);
    void showForm(const DataSourceForm& form);
    DataSourceForm form() const;
    // The content text built by the panel of `kind`; edited() also notes that the user changed something.
    void rebuild(SourceKind kind);
    void edited(SourceKind kind);
    void touch();
    void insertParameter(QPlainTextEdit* box, int caret);
    QWidget* control(SourceFocus focus) const;

    platform::grid::Sheet& grid_;
    ReportTables tables_;
    SourceKind kind_ = SourceKind::Text;
    QString fieldTable_;
    QString fieldColumn_;
    QString cellText_;
    int sqlCaret_ = 0;
    bool loading_ = false;
    bool touched_ = false;
};

// Shows the dialog over the design grid's active cell; the confirmed content text, "" when nothing
// is to change.
QString ShowDataSourceDialog(
    platform::grid::Sheet& grid, const ReportTables& tables, QWidget* parent = nullptr);

} // namespace dialogs

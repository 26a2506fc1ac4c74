#pragma once

#include "dialogs/CellFormatModel.h"

#include <array>
#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace platform::grid
{
class Sheet;
}

namespace dialogs
{

class BorderPreview;

// "单元格式设置": number format, alignment and merging, font and borders of the design grid's selection.
// It shows the selection's format; OK applies only the groups the user changed, and Applied tells the
// caller that the grid changed (the designer then marks the report modified and raises its used range).
class frmCellFormat : public QDialog
{
    Q_OBJECT
public:
    frmCellFormat(platform::grid::Sheet& grid, bool selectionCrossesRegion, QWidget* parent = nullptr);

    bool Applied = false;

    QTabWidget* tabFormat;
    QListWidget* lstClass;
    QListWidget* lstNumber;
    QLineEdit* txtFormat;
    QComboBox* cboHAlign;
    QComboBox* cboVAlign;
    QCheckBox* chkWrap;
    QCheckBox* chkShrink;
    QCheckBox* chkMerge;
    QLineEdit* txtFontName;
    QLineEdit* txtFontStyle;
    QLineEdit* txtFontSize;
    QPushButton* cmdSetFont;
    BorderPreview* picPreview;
    std::array<QPushButton*, 9> cmdBorder; // the six sides, then "无边框", "外框", "内框"
    std::array<QToolButton*, LineStyleCount> lblLineStyle;
    QPushButton* Command1;
    QLabel* lblMessage;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

    const CellFormatForm& formState() const { return form_; }
    int lineStyle() const { return lineStyle_; }

public slots:
    void Form_Load();
    void lstClass_Click();
    void lstNumber_Click();
    void txtFormat_Change();
    void alignment_Change();
    void chkWrap_Click();
    void chkShrink_Click();
    void chkMerge_Click();
    void cmdSetFont_Click();
    void cmdBorder_Click(int index);
    void lblBorder_MouseDown(int side, Qt::MouseButton button);
    void lblLineStyle_Click(int entry);
    void Command1_Click();
    void tabFormat_Click(int tab);
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

protected:
private:
    QWidget* numberTab();
    QWidget* alignmentTab();
    QWidget* fontTab();
    QWidget* borderTab();
    void showNumberFormat(const QString& format);
    void fillTypes();
    void showFormatString();
    void showFont();
    void showSides();
    void readControls();

    platform::grid::Sheet& grid_;
    bool crossesRegion_;
    CellFormatForm form_;
    QRgb lineColor_ = 0;
    int lineStyle_ = 0;
    bool loading_ = false;
};

// Shows the dialog over the design grid's selection; true when a format was applied.
bool ShowCellFormatDialog(
    platform::grid::Sheet& grid, bool selectionCrossesRegion, QWidget* parent = nullptr);

} // namespace dialogs

#pragma once

#include <array>
#include <QDialog>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;

namespace dialogs
{

// The picker "报表系统参数设置" behind "插入系统参数(&I)..." of the data-source dialog: two toolbars of
// ready-made texts with system variables and a free text box. SysArgText is the trimmed text of the box
// after OK, "" after Cancel; every opening starts from the empty box.
class frmSysArg : public QDialog
{
    Q_OBJECT
public:
    explicit frmSysArg(QWidget* parent = nullptr);

    QString SysArgText;

    std::array<QToolBar*, 2> tlbSysArg;
    QLabel* lblSysArg;
    QLineEdit* txtSysArg;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

public slots:
    void tlbSysArg_ButtonClick(QAction* button);
    void txtSysArg_Change();
    void cmdOk_Click();
    void cmdCancel_Click();
};

// Shows the picker modally; its text, "" when cancelled.
QString PickSysArg(QWidget* parent = nullptr);

} // namespace dialogs

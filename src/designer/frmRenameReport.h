#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace designer
{

// "报表重命名": shows the current report's stored name and renames it at once in report_index on OK;
// the state's ReportName follows only a rename that was written.
class frmRenameReport : public QDialog
{
    Q_OBJECT
public:
    explicit frmRenameReport(QWidget* parent = nullptr);

    QLabel* lblName;
    QLineEdit* txtName;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void ShowCurrentName();
};

} // namespace designer

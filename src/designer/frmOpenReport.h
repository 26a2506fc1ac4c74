#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace designer
{

// "打开": the reports of the current group and report type; SelectedReportName is the chosen one, ""
// when the dialog was closed without a choice.
class frmOpenReport : public QDialog
{
    Q_OBJECT
public:
    explicit frmOpenReport(QWidget* parent = nullptr);

    QString SelectedReportName;

    QListWidget* lstReportName;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void FillReportList();
};

} // namespace designer

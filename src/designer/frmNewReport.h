#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace designer
{

// "报表生成": asks the name of a new report. OK hands a checked name on in ReportName; any other way of
// closing, the window frame included, leaves Cancelled true, so the designer never goes on with a name
// that the dialog did not accept.
class frmNewReport : public QDialog
{
    Q_OBJECT
public:
    explicit frmNewReport(QWidget* parent = nullptr);

    bool Cancelled = true;
    QString ReportName;

    QLineEdit* txtReportName;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();
};

} // namespace designer

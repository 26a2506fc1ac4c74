#include "designer/frmNewReport.h"

#include "designer/NameDialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace designer
{

frmNewReport::frmNewReport(QWidget* parent)
    : QDialog(parent)
    , txtReportName(new QLineEdit(this))
{
    setObjectName(QStringLiteral("frmNewReport"));
    setWindowTitle(QStringLiteral("报表生成"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("请输入报表名："), this));
    layout->addWidget(txtReportName);
    layout->addLayout(dialogButtons(*this, cmdOK, cmdCancel));
    setMinimumWidth(320);
    connect(cmdOK, &QPushButton::clicked, this, &frmNewReport::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNewReport::cmdCancel_Click);
}

void frmNewReport::cmdOK_Click()
{
    const auto name = acceptedName(NameDialog::NewReport, *txtReportName);
    if (!name)
        return;
    ReportName = *name;
    Cancelled = false;
    accept();
}

void frmNewReport::cmdCancel_Click()
{
    Cancelled = true;
    reject();
}

} // namespace designer

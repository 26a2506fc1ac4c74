#include "designer/frmRenameReport.h"

#include "designer/NameDialogs.h"
#include "designer/ReportNames.h"
#include "store/ReportState.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace designer
{

frmRenameReport::frmRenameReport(QWidget* parent)
    : QDialog(parent)
    , lblName(new QLabel(this))
    , txtName(new QLineEdit(this))
{
    setObjectName(QStringLiteral("frmRenameReport"));
    setWindowTitle(QStringLiteral("报表重命名"));
    auto* frame = new QGroupBox(this);
    auto* fields = new QFormLayout(frame);
    fields->addRow(QStringLiteral("报表名："), lblName);
    fields->addRow(QStringLiteral("重命名："), txtName);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(dialogButtons(*this, cmdOK, cmdCancel));
    setMinimumWidth(340);
    connect(cmdOK, &QPushButton::clicked, this, &frmRenameReport::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRenameReport::cmdCancel_Click);
    ShowCurrentName();
}

void frmRenameReport::ShowCurrentName()
{
    lblName->setText(StoredReportName());
}

// The dialog stays open when the rename could not be written.
void frmRenameReport::cmdOK_Click()
{
    const auto name = acceptedName(NameDialog::Rename, *txtName);
    if (!name || !RenameReport(*name))
        return;
    store::reportState().ReportName = *name;
    accept();
}

void frmRenameReport::cmdCancel_Click()
{
    reject();
}

} // namespace designer

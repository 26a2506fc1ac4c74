#include "designer/frmOpenReport.h"

#include "designer/NameDialogs.h"
#include "designer/ReportNames.h"
#include "store/TextConvert.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace designer
{

frmOpenReport::frmOpenReport(QWidget* parent)
    : QDialog(parent)
    , lstReportName(new QListWidget(this))
{
    setObjectName(QStringLiteral("frmOpenReport"));
    setWindowTitle(QStringLiteral("打开"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstReportName);
    layout->addLayout(dialogButtons(*this, cmdOK, cmdCancel));
    resize(340, 300);
    connect(cmdOK, &QPushButton::clicked, this, &frmOpenReport::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOpenReport::cmdCancel_Click);
    connect(lstReportName, &QListWidget::itemDoubleClicked, this, &frmOpenReport::cmdOK_Click);
    FillReportList();
}

void frmOpenReport::FillReportList()
{
    lstReportName->addItems(ReportNamesOfGroup());
    if (lstReportName->count() > 0)
        lstReportName->setCurrentRow(0);
}

void frmOpenReport::cmdOK_Click()
{
    const QListWidgetItem* chosen = lstReportName->currentItem();
    SelectedReportName = chosen ? store::trimBlanks(chosen->text()) : QString();
    accept();
}

void frmOpenReport::cmdCancel_Click()
{
    reject();
}

} // namespace designer

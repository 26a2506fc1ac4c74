#include "output/frmPrintMSG.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/WindowShow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmPrintMSG::frmPrintMSG(QWidget* parent)
    : QDialog(parent)
    , lblPrintMSG(new QLabel(QStringLiteral("正在生成报表页面"), this))
    , prgPrint(new QProgressBar(this))
    , cmdCancel(new QPushButton(QStringLiteral("取消(&C)"), this))
    , job_({ [this](int value) { prgPrint->setValue(value); }, [] { platform::ui::pumpMessages(); }, this })
{
    setWindowTitle(QStringLiteral("打印报表"));
    prgPrint->setRange(0, output::PrintProgressMaximum);
    prgPrint->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPrintMSG);
    layout->addWidget(prgPrint);
    layout->addWidget(cmdCancel, 0, Qt::AlignRight);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPrintMSG::cmdCancel_Click);
    platform::ui::activateOnFirstShow(*this, [this] { Form_Activate(); });
}

// The whole job, then the window closes itself.
void frmPrintMSG::Form_Activate()
{
    job_.run();
    accept();
}

void frmPrintMSG::cmdCancel_Click()
{
    if (!platform::ui::askYesNo(QStringLiteral("确定要取消报表生成吗？")))
        return;
    // The job runs on inside this window's event handling: it sees the request before its next batch
    // and closes the window when it has stopped.
    job_.requestCancel();
    if (!job_.running())
        accept();
}

// Escape and the window's close button (whose close event rejects) ask to cancel like the cancel
// button while the job runs.
void frmPrintMSG::reject()
{
    if (job_.running())
        cmdCancel_Click();
    else
        QDialog::reject();
}

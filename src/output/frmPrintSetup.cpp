#include "output/frmPrintSetup.h"

#include "output/PrintTiming.h"
#include "platform/ui/HelpTopic.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowShow.h"
#include "store/HelpPage.h"
#include "store/PrintSettings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace output
{

frmPrintSetup::frmPrintSetup(QWidget* parent)
    : QDialog(parent)
    , Frame1(new QGroupBox(QStringLiteral("打印时机"), this))
    , optPrint { new QRadioButton(QStringLiteral("点击“打印”按钮时打印"), Frame1),
        new QRadioButton(QStringLiteral("生成后自动打印"), Frame1) }
    , Label1(new QLabel(QStringLiteral("每次生成的总页数："), this))
    , txtPages(new QLineEdit(this))
    , Label2(new QLabel(this))
    , cmdOk(new QPushButton(QStringLiteral("确定(&O)"), this))
    , cmdCancel(new QPushButton(QStringLiteral("取消(&C)"), this))
    , cmdHelp(new QPushButton(QStringLiteral("帮助(&H)"), this))
{
    setObjectName(QStringLiteral("frmPrintSetup"));
    setWindowTitle(QStringLiteral("打印设置"));

    auto* timing = new QVBoxLayout(Frame1);
    for (QRadioButton* option : optPrint)
        timing->addWidget(option);
    auto* pages = new QHBoxLayout;
    pages->addWidget(Label1);
    pages->addWidget(txtPages);
    pages->addWidget(Label2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : { cmdOk, cmdCancel, cmdHelp })
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(pages);
    layout->addLayout(buttons);
    cmdOk->setDefault(true);

    connect(cmdOk, &QPushButton::clicked, this, &frmPrintSetup::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPrintSetup::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmPrintSetup::cmdHelp_Click);
    platform::ui::bindHelpKey(*this, [this] { cmdHelp_Click(); });
    platform::ui::loadOnShow(*this, [this] { Form_Load(); });
}

void frmPrintSetup::Form_Load()
{
    txtPages->setText(QString::number(store::GetPrintPages()));
    // The options open on the print window's current choice, so that OK alone changes nothing.
    optPrint[AutoPrint ? 1 : 0]->setChecked(true);
}

bool frmPrintSetup::CheckInput()
{
    const BatchPagesInput input = ReadBatchPages(txtPages->text());
    if (!input.refusal.isEmpty()) {
        platform::ui::msgBox(input.refusal);
        txtPages->setFocus();
        return false;
    }
    PagesPerBatch = input.pages;
    store::SavePrintPages(txtPages->text());
    if (optPrint[0]->isChecked())
        AutoPrint = false;
    else if (optPrint[1]->isChecked())
        AutoPrint = true;
    return true;
}

void frmPrintSetup::cmdOk_Click()
{
    if (CheckInput())
        accept();
}

void frmPrintSetup::cmdCancel_Click()
{
    reject();
}

void frmPrintSetup::cmdHelp_Click()
{
    store::OpenHelpPage(QStringLiteral("打印设置.htm"));
}

} // namespace output

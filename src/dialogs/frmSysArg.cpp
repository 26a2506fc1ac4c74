#include "dialogs/frmSysArg.h"

#include "dialogs/SysArgButtons.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalDialog.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace dialogs
{

namespace
{

const char* const InsertedText = "sysArgText";

} // namespace

frmSysArg::frmSysArg(QWidget* parent)
    : QDialog(parent)
    , tlbSysArg { new QToolBar, new QToolBar }
    , lblSysArg(new QLabel(QStringLiteral("系统参数：")))
    , txtSysArg(new QLineEdit)
    , cmdOk(new QPushButton(QStringLiteral("确定(&O)")))
    , cmdCancel(new QPushButton(QStringLiteral("取消(&C)")))
{
    setObjectName(QStringLiteral("frmSysArg"));
    setWindowTitle(QStringLiteral("报表系统参数设置"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("参数设置")));
    for (const SysArgButton& button : SysArgButtons()) {
        QAction* action = tlbSysArg[button.toolbar]->addAction(button.caption);
        action->setObjectName(button.key);
        action->setProperty(InsertedText, button.text);
    }
    for (QToolBar* toolbar : tlbSysArg) {
        toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
        connect(toolbar, &QToolBar::actionTriggered, this, &frmSysArg::tlbSysArg_ButtonClick);
        layout->addWidget(toolbar);
    }
    auto* box = new QHBoxLayout;
    lblSysArg->setBuddy(txtSysArg);
    box->addWidget(lblSysArg);
    box->addWidget(txtSysArg, 1);
    layout->addLayout(box);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
    cmdOk->setDefault(true);

    connect(txtSysArg, &QLineEdit::textChanged, this, &frmSysArg::txtSysArg_Change);
    connect(cmdOk, &QPushButton::clicked, this, &frmSysArg::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSysArg::cmdCancel_Click);
}

void frmSysArg::tlbSysArg_ButtonClick(QAction* button)
{
    txtSysArg->setText(button->property(InsertedText).toString());
}

void frmSysArg::txtSysArg_Change()
{
    SysArgText = txtSysArg->text().trimmed();
}

void frmSysArg::cmdOk_Click()
{
    const QString fault = SysArgFault(txtSysArg->text());
    if (!fault.isEmpty()) {
        platform::ui::msgBox(fault);
        txtSysArg->setFocus();
        return;
    }
    accept();
}

void frmSysArg::cmdCancel_Click()
{
    SysArgText.clear();
    reject();
}

QString PickSysArg(QWidget* parent)
{
    frmSysArg picker(parent);
    return platform::ui::showModal(picker) == QDialog::Accepted ? picker.SysArgText : QString();
}

} // namespace dialogs

#include "designer/frmAddRegion.h"

#include "designer/RegionEdits.h"
#include "platform/ui/HelpTopic.h"
#include "platform/ui/WindowShow.h"
#include "store/HelpPage.h"
#include "store/ReportState.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace designer
{

frmAddRegion::frmAddRegion(platform::grid::Sheet& grid, QWidget* parent)
    : QDialog(parent)
    , fraAdd(new QGroupBox(QStringLiteral("添加")))
    , optRegion { new QRadioButton(QStringLiteral("报表头/报表尾区")),
        new QRadioButton(QStringLiteral("页 头/页  尾区")),
        new QRadioButton(QStringLiteral("分组头/分组尾区")) }
    , cmdAdd(new QPushButton(QStringLiteral("添加(&A)")))
    , cmdCancel(new QPushButton(QStringLiteral("取消(&C)")))
    , cmdHelp(new QPushButton(QStringLiteral("帮助(&H)")))
    , grid_(grid)
{
    setObjectName(QStringLiteral("frmAddRegion"));
    setWindowTitle(QStringLiteral("添加区域"));

    auto* options = new QVBoxLayout(fraAdd);
    for (QRadioButton* option : optRegion)
        options->addWidget(option);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : { cmdAdd, cmdCancel, cmdHelp })
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(fraAdd);
    layout->addLayout(buttons);
    cmdAdd->setDefault(true);

    connect(cmdAdd, &QPushButton::clicked, this, &frmAddRegion::cmdAdd_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmAddRegion::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmAddRegion::cmdHelp_Click);
    platform::ui::bindHelpKey(*this, [this] { cmdHelp_Click(); });
    platform::ui::loadOnShow(*this, [this] { Form_Load(); });
}

void frmAddRegion::Form_Load()
{
    const RegionOptions enabled = EnableRegionOptions(store::reportState().RegionTable);
    optRegion[int(RegionPair::ReportHeadTail)]->setEnabled(enabled.reportHeadTail);
    optRegion[int(RegionPair::PageHeadTail)]->setEnabled(enabled.pageHeadTail);
    optRegion[int(RegionPair::GroupHeadTail)]->setEnabled(enabled.groupHeadTail);
    optRegion[int(RegionPair::GroupHeadTail)]->setChecked(true);
}

void frmAddRegion::cmdAdd_Click()
{
    for (int i = 0; i < int(optRegion.size()); ++i) {
        if (optRegion[i]->isChecked())
            AddRegion(grid_, RegionPair(i));
    }
    ReportModified = true;
    accept();
}

void frmAddRegion::cmdCancel_Click()
{
    reject();
}

void frmAddRegion::cmdHelp_Click()
{
    store::OpenHelpPage(QStringLiteral("添加区域"));
}

} // namespace designer

#include "output/StatusPanels.h"

#include "platform/outside/HostObjects.h"
#include "store/ReportState.h"

#include <QLabel>
#include <QStatusBar>

namespace output
{

namespace
{

QLabel* panel(QStatusBar& bar, const QString& name, int stretch)
{
    if (auto* label = bar.findChild<QLabel*>(name))
        return label;
    auto* label = new QLabel(&bar);
    label->setObjectName(name);
    bar.addWidget(label, stretch);
    return label;
}

} // namespace

void SetStatusText(QStatusBar& bar, const QString& panel1, const QString& panel2)
{
    panel(bar, QStringLiteral("panel1"), 1)->setText(panel1);
    panel(bar, QStringLiteral("panel2"), 2)->setText(panel2);
}

QString UserStatusText()
{
    auto& state = store::reportState();
    if (state.User)
        state.StatusUserText = state.User->userName();
    return state.StatusUserText;
}

} // namespace output

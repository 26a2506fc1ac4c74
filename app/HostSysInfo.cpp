#include "HostSysInfo.h"

#include "platform/ui/MessageBox.h"

namespace host
{

void HostSysInfo::showAbout()
{
    platform::ui::msgBox(QStringLiteral("档案管理报表组件演示程序\nOrvReport 1.0"), platform::ui::Buttons::Ok,
        platform::ui::Icon::Information, QStringLiteral("关于"));
}

} // namespace host

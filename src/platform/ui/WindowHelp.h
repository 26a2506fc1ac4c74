#pragma once

#include <QString>

namespace platform::ui
{

// The help command of the component's windows: opens the window's topic; when its page is missing, names the
// page the component looks for and where to put it ("帮助文件 … 不存在", information icon, title "提示信息").
void ShowWindowHelp(const QString& topic);

} // namespace platform::ui

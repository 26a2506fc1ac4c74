#pragma once

#include <QString>

namespace output
{

// The help command of the output windows: opens the window's topic; when its page is missing, names the
// page the component looks for and where to put it ("帮助文件 … 不存在", information icon, title "提示信息").
void ShowWindowHelp(const QString& topic);

// Opens a help topic; a missing page shows `missingMessage`, and a page that no application opens is
// told as a refusal (its full path; ErrorMessage, so that the host's command fails).
void OpenHelpPage(const QString& topic, const QString& missingMessage);

} // namespace output

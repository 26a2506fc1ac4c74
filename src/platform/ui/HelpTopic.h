#pragma once

#include "platform/ui/MessageBox.h"

#include <functional>
#include <QString>

class QWidget;

namespace platform::ui
{

// The file of a help topic: "<component folder>/help/<topic>.htm" (".htm" added when missing).
QString helpTopicPath(const QString& topic);

// Whether a help topic's page is there; when it is missing, names the page looked for and the folder
// where it belongs ("帮助文件 <page> 不存在", then "请将 <file> 文件拷贝到 <folder> 路径下。"; information
// icon, title `missingTitle`).
bool helpTopicPresent(const QString& topic, const QString& missingTitle);

// F1 anywhere in `window` runs `help`, as the window's help button or menu does; a window opened from it
// answers F1 with its own topic.
void bindHelpKey(QWidget& window, std::function<void()> help);

} // namespace platform::ui

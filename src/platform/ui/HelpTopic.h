#pragma once

#include <QString>

namespace platform::ui
{

// The file of a help topic: "<component folder>/help/<topic>.htm" (".htm" added when missing).
QString helpTopicPath(const QString& topic);

// Opens a help topic in the desktop's browser. When the topic's file is missing, shows
// `missingMessage` (information icon, title "提示信息") and returns false; when no application opens
// it, returns false with the cause in `openFailure` (see openWithDesktop) for the caller to tell.
bool openHelpTopic(const QString& topic, const QString& missingMessage, QString* openFailure);

} // namespace platform::ui

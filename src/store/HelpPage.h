#pragma once

#include "platform/ui/MessageBox.h"

#include <QString>

namespace store
{

// The help command of every window: opens the window's topic (a missing page is named with its folder,
// under `missingTitle`); a page that no application opens is told as a refusal, with its full path, so
// that the host's command fails.
void OpenHelpPage(const QString& topic, const QString& missingTitle = platform::ui::DefaultTitle);

} // namespace store

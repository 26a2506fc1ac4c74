#pragma once

#include "platform/ui/MessageBox.h"

#include <QString>

namespace store
{

// The help command of every window: opens the window's topic (a missing page is named with its folder,
// under `missingTitle`). A page that no application opens is told to the clerk with its full path and
// logged in the error log; it is no failure of the command the window serves, so ErrorMessage stays as
// that command leaves it.
void OpenHelpPage(const QString& topic, const QString& missingTitle = platform::ui::DefaultTitle);

} // namespace store

#pragma once

#include <QString>

namespace platform::ui
{

// Opens a file with the desktop's default application (a help page in the browser, a filled document
// in the word processor). Under a ScriptedUi the file is only recorded; without a display its path is
// written to stderr. False with the cause in `failure` when the desktop cannot open it.
bool openWithDesktop(const QString& path, QString* failure = nullptr);

} // namespace platform::ui

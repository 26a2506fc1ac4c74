#pragma once

#include <QString>

namespace platform::outside
{

// Opens a file with the desktop's default application (a help page in the browser, a filled document
// in the word processor): the opener (`$ORV_DESKTOP_OPENER` when set, given the file as its one
// argument, else `xdg-open`, else `gio open`) runs and its answer is awaited. Under a ScriptedUi the file
// is recorded, and without a display its path is written to stderr; a named opener runs in both cases.
// False with `failure` set when nothing opens the file: no opener, or one that answers with a failure
// (exit status other than 0, or a signal). The failure names the file's full path and says that no
// application opens it.
bool openWithDesktop(const QString& path, QString* failure = nullptr);

} // namespace platform::outside

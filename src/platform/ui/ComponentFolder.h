#pragma once

#include <QString>

namespace platform::ui
{

// The file that holds the component's code (the loaded libOrvReport.so, or a program that has the
// component built in) and its folder, where help, templates and the outside programs lie.
QString componentLibraryPath();
QString componentFolder();
// Puts the component's folder elsewhere (tests that bring their own templates and programs); an empty
// path returns to the library's folder.
void setComponentFolder(const QString& folder);

} // namespace platform::ui

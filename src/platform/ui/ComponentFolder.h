#pragma once

#include <QString>

namespace platform::ui
{

// The path of the loaded libOrvReport.so and its folder, where help, templates and the
// outside programs lie.
QString componentLibraryPath();
QString componentFolder();

} // namespace platform::ui

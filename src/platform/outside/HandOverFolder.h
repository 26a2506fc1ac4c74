#pragma once

#include <QString>

namespace platform::outside
{

// The folder of this user's own for the files the component hands by path to another program (the
// desktop opener, the report printer): "OrvReport" in the user's runtime folder when $XDG_RUNTIME_DIR is
// a folder of this user's alone, else "OrvReport-<uid>" in the temporary folder (ui::temporaryFolder).
// Such a path must lie where no other account can rename or replace a folder on the way, so a temporary
// folder that others may write to without the sticky bit (or one above it) is refused: throws
// platform::Error (FileError) naming it. The folder is opened as a PrivateFolder, which makes and checks it.
QString handOverFolder();

} // namespace platform::outside

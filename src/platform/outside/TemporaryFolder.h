#pragma once

#include <QString>

namespace platform::outside
{

// The system's temporary folder, which other accounts share: $TMPDIR when it names a folder by its full
// path, else /tmp. A relative or empty $TMPDIR is passed over: it would put files in the working folder.
QString temporaryFolder();

// The folder of this user's own for the files the component hands by path to another program (the
// desktop opener, the report printer): "OrvReport" in the user's runtime folder when $XDG_RUNTIME_DIR is
// a folder of this user's alone, else "OrvReport-<uid>" in the temporary folder. Such a path must lie
// where no other account can rename or replace a folder on the way, so a temporary folder that others
// may write to without the sticky bit (or one above it) is refused: throws platform::Error (FileError)
// naming it. The folder is opened as a PrivateFolder, which makes and checks it.
QString handOverFolder();

} // namespace platform::outside

#pragma once

#include <QString>

namespace platform::ui
{

// The system's temporary folder, which other accounts share: $TMPDIR when it names a folder by its full
// path, else /tmp. A relative or empty $TMPDIR is passed over: it would put files in the working folder.
QString temporaryFolder();

// A QTemporaryFile or QTemporaryDir template for a name beginning with `prefix` in the temporary folder
// (Qt's own default follows a relative $TMPDIR).
QString temporaryNameTemplate(const QString& prefix);

} // namespace platform::ui

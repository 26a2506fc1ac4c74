#include "platform/ui/TemporaryFolder.h"

#include <QDir>

namespace platform::ui
{

QString temporaryFolder()
{
    const QString named = QDir::cleanPath(qEnvironmentVariable("TMPDIR"));
    return QDir::isAbsolutePath(named) ? named : QStringLiteral("/tmp");
}

QString temporaryNameTemplate(const QString& prefix)
{
    return QDir(temporaryFolder()).filePath(prefix + QStringLiteral("-XXXXXX"));
}

} // namespace platform::ui

#include "support/TestFiles.h"

#include <QDir>

namespace orvtest
{

QString testsFile(const QString& relativePath)
{
    return QDir(QStringLiteral(ORV_TESTS_DIR)).filePath(relativePath);
}

} // namespace orvtest

#include "output/ExportFile.h"

#include <QRegularExpression>

namespace output
{

QString exportSuffixOf(const QString& nameFilter)
{
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.([^)\\s]+)"));
    return pattern.match(nameFilter).captured(1);
}

platform::grid::io::FileType exportTypeFor(const QString& path)
{
    return platform::grid::io::fileTypeForExtension(path).value_or(platform::grid::io::FileType::Vts);
}

} // namespace output

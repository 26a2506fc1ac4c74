#include "output/ExportFile.h"

#include <QRegularExpression>

namespace output
{

namespace
{

// The extension that a file type of the save dialog stands for ("Execl (*.xls)" -> "xls").
QString exportSuffixOf(const QString& nameFilter)
{
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.([^)\\s]+)"));
    return pattern.match(nameFilter).captured(1);
}

} // namespace

QString exportPathFor(const QString& typed, const QString& nameFilter)
{
    if (platform::grid::io::fileTypeForExtension(typed))
        return typed;
    QString path = typed;
    if (path.endsWith(QLatin1Char('.')))
        path.chop(1);
    return path + QLatin1Char('.') + exportSuffixOf(nameFilter);
}

platform::grid::io::FileType exportTypeFor(const QString& path)
{
    return platform::grid::io::fileTypeForExtension(path).value_or(platform::grid::io::FileType::Vts);
}

} // namespace output

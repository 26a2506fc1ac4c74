#pragma once

#include "platform/grid/io/SheetFile.h"

#include <QString>

// Exporting a built report to a file the user names.
namespace output
{

// The file types the save dialog offers, the grid's own format first.
inline const QString ExportFilter
    = QStringLiteral("brimfold (*.vts);;Execl (*.xls);;Tabbed Text (*.txt);;HTML (*.htm)");

// The file an export named `typed` in the save dialog is written to, with the file type `nameFilter`
// chosen there: a name with the extension of an export type keeps it, and that extension decides the
// format; any other name gets the chosen type's extension, whether it has none ("目录"), an empty one
// ("trail." -> "trail.xls") or one of its own ("档案目录v1.2", "mulu3.xlsx" -> "mulu3.xlsx.xls").
QString exportPathFor(const QString& typed, const QString& nameFilter);

// The format a file is written in, by its extension (".xls"; ".htm" or ".html"; ".txt"; in any case of
// letters); the grid's own format for any other name, one without an extension included.
platform::grid::io::FileType exportTypeFor(const QString& path);

} // namespace output

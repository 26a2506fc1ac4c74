#pragma once

#include "platform/grid/io/SheetFile.h"

#include <QString>

// Exporting a built report to a file the user names.
namespace output
{

// The file types the save dialog offers, the grid's own format first.
inline const QString ExportFilter
    = QStringLiteral("brimfold (*.vts);;Execl (*.xls);;Tabbed Text (*.txt);;HTML (*.htm)");

// The extension that a file type of the save dialog stands for ("Execl (*.xls)" -> "xls"): a name typed
// without an extension gets it, so that the file is of the type the user chose.
QString exportSuffixOf(const QString& nameFilter);

// The format a file is written in, by its extension (".xls"; ".htm" or ".html"; ".txt"; in any case of
// letters); the grid's own format for any other name, one without an extension included.
platform::grid::io::FileType exportTypeFor(const QString& path);

} // namespace output

#pragma once

#include <QByteArray>
#include <QString>

namespace platform::grid
{
class Sheet;
}

namespace platform::grid::io
{

// The grid's own file: a versioned JSON document holding everything of a sheet (size, default and
// differing row heights and column widths, cells as their entries, formats through a style table,
// merged blocks, pictures as PNG, page setup, print area and titles), read back without loss.
constexpr const char* kVtsFormatName = "orv-sheet";
constexpr int kVtsVersion = 1;

QByteArray vtsDocument(const Sheet& sheet);
// Throws platform::Error (FileError) for a document that is not a sheet file, is damaged, or comes
// from a newer version. fileName only goes into the messages.
Sheet sheetFromVts(const QByteArray& document, const QString& fileName);

} // namespace platform::grid::io

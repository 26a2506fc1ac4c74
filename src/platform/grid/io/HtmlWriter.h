#pragma once

#include <QIODevice>
#include <QString>

namespace platform::grid
{
class Sheet;
}

namespace platform::grid::io
{

// Writes the sheet as one HTML page (UTF-8) holding one table: column widths and row heights in
// pixels (15 twips each), every cell's font, colours, alignment, wrapping and borders as a CSS
// class, merged blocks as colspan/rowspan, and pictures as embedded PNG images laid over the table.
// The markup is well-formed XML, so XML tools can read it as well as browsers.
void writeHtml(const Sheet& sheet, QIODevice& out, const QString& title);

} // namespace platform::grid::io

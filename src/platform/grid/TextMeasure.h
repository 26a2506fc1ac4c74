#pragma once

#include <QSize>
#include <QString>

namespace platform::grid {

struct CellFormat;

// Width and height in twips of a text drawn with a font (name, size in points, bold, italic),
// measured with the font metrics of the installed fonts (the CJK font of the system for Chinese).
struct TextFont {
    QString name;
    double size = 10.5;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};
QSize measureTextTwips(const QString& text, const TextFont& font);
TextFont fontOf(const CellFormat& format);

} // namespace platform::grid

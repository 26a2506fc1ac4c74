#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace platform::grid
{

struct CellFormat;

// Width and height in twips of a text drawn with a font (name, size in points, bold, italic),
// measured with the font metrics of the installed face that stands in for the font's family.
struct TextFont {
    QString name;
    double size = 10.5;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const TextFont&) const = default;
};
// Several lines ("\n") measure as their widest line by the number of lines times the line spacing.
QSize measureTextTwips(const QString& text, const TextFont& font);
TextFont fontOf(const CellFormat& format); // unset properties take the defaults of an unformatted cell

class FontAdvances;

// Upper bounds of widths in one font, in twips. Quick (the advances of the characters met are kept per
// font and thread), so a text that fits by its bound needs no shaping. A bounds object is used on the
// thread that made it.
class TextWidthBounds
{
public:
    explicit TextWidthBounds(const TextFont& font);

    const TextFont& font() const;

    // The sum of a one-line text's advances (the shaped text is no wider, since kerning and ligatures
    // only narrow it) with a little room added. Texts with characters beyond the basic plane are
    // measured whole.
    int text(QStringView text) const;
    // A whole number of `digits` digits, with a minus sign when `negative`, without its text: no less
    // than the bound of the number's digits.
    int wholeNumber(int digits, bool negative) const;

private:
    FontAdvances* advances_;
};

// The QFont to draw a text with, so that drawing and measuring agree: a Windows family such as "宋体"
// is drawn with its installed stand-in (ReportFonts.h).
QFont qFontOf(const TextFont& font);

} // namespace platform::grid

#include "TextWriter.h"

#include "platform/grid/Sheet.h"
#include "Utf8Output.h"

namespace platform::grid::io
{

namespace
{

QString oneLine(QString text)
{
    for (QChar& c : text) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    }
    return text;
}

} // namespace

void writeText(const Sheet& sheet, QIODevice& out)
{
    Utf8Output text(out);
    const int rows = sheet.lastDataRow();
    const int cols = sheet.lastDataCol();
    for (int row = 1; row <= rows; ++row) {
        for (int col = 1; col <= cols; ++col) {
            if (col > 1)
                text << QLatin1Char('\t');
            if (!sheet.isEmpty(row, col))
                text << oneLine(sheet.text(row, col));
        }
        text << QLatin1Char('\n');
    }
    text.flush();
}

} // namespace platform::grid::io

#include "platform/grid/NumberFormat.h"
#include "platform/grid/Sheet.h"
#include "PngText.h"
#include "VtsDocument.h"
#include "VtsFields.h"

#include <algorithm>
#include <optional>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>

namespace platform::grid::io
{

namespace
{

QJsonArray rangeJson(const CellRange& range)
{
    return { range.row1, range.col1, range.row2, range.col2 };
}

QJsonObject styleJson(const CellFormat& format)
{
    QJsonObject out;
    vts::forEachFormatField(format, [&out](const char* key, const auto& value) {
        if (value)
            out.insert(QLatin1String(key), vts::toJson(*value));
    });
    QJsonArray borders;
    for (const auto& border : format.borders) {
        if (border)
            borders.append(
                QJsonObject { { "style", int(border->style) }, { "color", vts::toJson(border->color) } });
        else
            borders.append(QJsonValue::Null);
    }
    out.insert(QLatin1String("borders"), borders);
    return out;
}

QJsonObject pageJson(const PageSetup& page)
{
    QJsonObject out;
    vts::forEachPageField(page,
        [&out](const char* key, const auto& value) { out.insert(QLatin1String(key), vts::toJson(value)); });
    return out;
}

void appendJsonString(QByteArray& out, const QString& text)
{
    out += '"';
    const bool plain = std::none_of(text.begin(), text.end(),
        [](QChar c) { return c.unicode() < 0x20 || c == QLatin1Char('"') || c == QLatin1Char('\\'); });
    if (plain) {
        out += text.toUtf8();
    } else {
        QString escaped;
        for (QChar c : text) {
            if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
                escaped += QLatin1Char('\\') + QString(c);
            else if (c.unicode() < 0x20)
                escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                escaped += c;
        }
        out += escaped.toUtf8();
    }
    out += '"';
}

// The characters a number cell was written with (NumberWritten), when its number as the file writes it
// would read back as another form and the cell's format is no date or time format (which shows every
// form alike): "" for a number written as a number. A number read back without them counts as written
// with the characters of its number in the file ("12", "0.5").
std::optional<QString> writtenCharacters(
    double number, NumberWritten written, QStringView numberText, const QString& formatCode)
{
    const NumberWritten readBack
        = vts::isWholeDigits(number) ? NumberWritten::AsDigits : numberWrittenAs(numberText, number);
    if (written == readBack || isDateTimeFormat(formatCode))
        return std::nullopt;
    return written == NumberWritten::AsNumber ? QString() : writtenText(number, written);
}

// A cell as [row, col, style] with its content appended: kind and value, or the formula text; a number
// may carry the characters it was written with after its value. Style -1 is the plain format of a cell
// nobody formatted.
void appendCell(QByteArray& out, const Sheet& sheet, int row, int col, int style)
{
    out += '[';
    out += QByteArray::number(row);
    out += ',';
    out += QByteArray::number(col);
    out += ',';
    out += QByteArray::number(style);
    if (sheet.hasFormula(row, col)) {
        out += ",\"f\",";
        appendJsonString(out, sheet.formula(row, col));
    } else {
        const CellValue value = sheet.value(row, col);
        if (const double* number = std::get_if<double>(&value)) {
            const QByteArray numberText = QByteArray::number(*number, 'g', QLocale::FloatingPointShortest);
            out += ",\"n\",";
            out += numberText;
            if (const auto written = writtenCharacters(*number, sheet.numberWritten(row, col),
                    QString::fromLatin1(numberText), *sheet.cellStyle(row, col).numberFormat)) {
                out += ',';
                appendJsonString(out, *written);
            }
        } else if (const QString* text = std::get_if<QString>(&value)) {
            out += ",\"s\",";
            appendJsonString(out, *text);
        } else if (const bool* logical = std::get_if<bool>(&value)) {
            out += *logical ? ",\"b\",true" : ",\"b\",false";
        } else if (const CellError* error = std::get_if<CellError>(&value)) {
            out += ",\"e\",";
            appendJsonString(out, error->code);
        }
    }
    out += ']';
}

// The cells as JSON text, written directly: a sheet of millions of cells built as JSON values
// first takes several times as long. The styles they use go into the file's style table,
// numbered from 0 in the order first met.
QByteArray cellsJson(const Sheet& sheet, QJsonArray& styles)
{
    QByteArray out;
    out += '[';
    QList<int> indexOfStyle(sheet.styleCount(), -1);
    const int lastRow = sheet.lastUsedRow();
    const int lastCol = sheet.lastUsedCol();
    for (int row = 1; row <= lastRow; ++row) {
        for (int col = 1; col <= lastCol; ++col) {
            const int id = sheet.styleId(row, col);
            if (sheet.isEmpty(row, col) && id == 0)
                continue;
            if (id >= indexOfStyle.size())
                indexOfStyle.resize(id + 1, -1);
            if (id != 0 && indexOfStyle[id] < 0) {
                indexOfStyle[id] = int(styles.size());
                styles.append(styleJson(sheet.styleFormat(id)));
            }
            if (out.size() > 1)
                out += ',';
            appendCell(out, sheet, row, col, id == 0 ? -1 : indexOfStyle[id]);
        }
    }
    out += ']';
    return out;
}

} // namespace

QByteArray vtsDocument(const Sheet& sheet)
{
    QJsonObject root;
    root.insert(QLatin1String("format"), QLatin1String(kVtsFormatName));
    root.insert(QLatin1String("version"), kVtsVersion);
    root.insert(QLatin1String("maxRow"), sheet.maxRow());
    root.insert(QLatin1String("maxCol"), sheet.maxCol());
    root.insert(QLatin1String("defaultRowHeight"), sheet.defaultRowHeight());
    root.insert(QLatin1String("defaultColWidth"), sheet.defaultColWidth());

    QJsonArray rowHeights;
    for (int row = 1; row <= sheet.maxRow(); ++row) {
        if (sheet.isRowHeightSet(row))
            rowHeights.append(QJsonArray { row, sheet.rowHeight(row) });
    }
    root.insert(QLatin1String("rowHeights"), rowHeights);
    QJsonArray colWidths;
    for (int col = 1; col <= sheet.maxCol(); ++col) {
        if (sheet.isColWidthSet(col))
            colWidths.append(QJsonArray { col, sheet.colWidth(col) });
    }
    root.insert(QLatin1String("colWidths"), colWidths);

    QJsonArray styles;
    const QByteArray cells = cellsJson(sheet, styles);
    root.insert(QLatin1String("styles"), styles);

    QJsonArray merges;
    for (const CellRange& block : sheet.mergedBlocks())
        merges.append(rangeJson(block));
    root.insert(QLatin1String("merges"), merges);

    QJsonArray pictures;
    for (int id : sheet.objectIds()) {
        const DrawingObject& object = sheet.object(id);
        pictures.append(QJsonObject { { "id", object.id }, { "anchor", rangeJson(object.anchor) },
            { "png", pngBase64(object.image) }, { "source", object.sourcePath } });
    }
    root.insert(QLatin1String("pictures"), pictures);

    root.insert(QLatin1String("pageSetup"), pageJson(sheet.pageSetup()));
    root.insert(QLatin1String("printArea"), sheet.printArea());
    root.insert(QLatin1String("printTitles"), sheet.printTitles());
    QJsonArray breaks;
    for (const int row : sheet.rowPageBreaks())
        breaks.append(row);
    root.insert(QLatin1String("rowPageBreaks"), breaks);
    QByteArray document = QJsonDocument(root).toJson(QJsonDocument::Compact);
    document.chop(1); // the closing brace: the cells go last
    document += ",\"cells\":";
    document += cells;
    document += '}';
    return document;
}

} // namespace platform::grid::io

#include "platform/Error.h"
#include "platform/grid/NumberFormat.h"
#include "platform/grid/Sheet.h"
#include "PngText.h"
#include "VtsDocument.h"
#include "VtsFields.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>

namespace platform::grid::io
{

namespace
{

const QString kSource = QStringLiteral("SheetFile");

// A number cell with the characters it was written with, when the file gives them; else it counts as
// written with the characters of its number in the file ("12", "0.5"; "1e+20" as a number).
void readNumber(Sheet& sheet, int row, int col, double number, const QJsonValue& written)
{
    if (written.isUndefined() && vts::isWholeDigits(number)) {
        sheet.setNumber(row, col, number, NumberWritten::AsDigits);
        return;
    }
    const QString text = written.isString() ? written.toString()
                                            : QString::number(number, 'g', QLocale::FloatingPointShortest);
    sheet.setNumber(row, col, number, numberWrittenAs(text, number));
}

// Builds a sheet from a parsed document; any malformed part ends the reading with an error.
class VtsReader
{
public:
    explicit VtsReader(const QString& fileName)
        : fileName_(fileName)
    {
    }

    Sheet read(const QByteArray& document);

private:
    [[noreturn]] void damaged(const QString& detail = {}) const
    {
        QString description = QStringLiteral("文件“%1”不是有效的表格文件或已损坏。").arg(fileName_);
        if (!detail.isEmpty())
            description += QLatin1Char('\n') + detail;
        throw Error(errors::FileError, kSource, description);
    }
    int integer(const QJsonValue& value) const
    {
        if (!value.isDouble())
            damaged();
        return value.toInt();
    }
    QJsonArray array(const QJsonValue& value, qsizetype minSize = 0) const
    {
        if (!value.isArray() || value.toArray().size() < minSize)
            damaged();
        return value.toArray();
    }
    QJsonObject object(const QJsonValue& value) const
    {
        if (!value.isObject())
            damaged();
        return value.toObject();
    }
    CellRange range(const QJsonValue& value) const
    {
        const QJsonArray a = array(value, 4);
        return { integer(a[0]), integer(a[1]), integer(a[2]), integer(a[3]) };
    }

    CellFormat style(const QJsonObject& json) const;
    void readSizes(const QJsonObject& root, Sheet& sheet) const;
    void readCells(const QJsonObject& root, Sheet& sheet) const;
    void readPictures(const QJsonObject& root, Sheet& sheet) const;
    PageSetup pageSetup(const QJsonObject& json) const;

    QString fileName_;
};

Sheet VtsReader::read(const QByteArray& document)
{
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(document, &parseError);
    if (json.isNull())
        damaged(parseError.errorString());
    const QJsonObject root = object(json.object());
    if (root.value(QLatin1String("format")).toString() != QLatin1String(kVtsFormatName))
        damaged();
    const int version = integer(root.value(QLatin1String("version")));
    if (version > kVtsVersion) {
        throw Error(errors::FileError, kSource,
            QStringLiteral("文件“%1”由较新的版本保存（格式版本 %2），不能读取。")
                .arg(fileName_)
                .arg(version));
    }
    if (version < 1)
        damaged();

    Sheet sheet;
    try {
        readSizes(root, sheet);
        readCells(root, sheet);
        for (const QJsonValue& block : array(root.value(QLatin1String("merges"))))
            sheet.merge(range(block));
        readPictures(root, sheet);
        sheet.setPageSetup(pageSetup(object(root.value(QLatin1String("pageSetup")))));
        sheet.setPrintArea(root.value(QLatin1String("printArea")).toString());
        sheet.setPrintTitles(root.value(QLatin1String("printTitles")).toString());
        const QJsonValue breaks
            = root.value(QLatin1String("rowPageBreaks")); // files of older writers lack it
        if (!breaks.isUndefined()) {
            QList<int> rows;
            for (const QJsonValue& row : array(breaks))
                rows.append(integer(row));
            sheet.setRowPageBreaks(rows);
        }
    } catch (const Error& error) {
        if (error.number() == errors::FileError)
            throw;
        damaged(error.description());
    }
    return sheet;
}

void VtsReader::readSizes(const QJsonObject& root, Sheet& sheet) const
{
    const int maxRow = integer(root.value(QLatin1String("maxRow")));
    const int maxCol = integer(root.value(QLatin1String("maxCol")));
    if (maxRow < 1 || maxCol < 1)
        damaged();
    sheet.setMaxRow(maxRow);
    sheet.setMaxCol(maxCol);
    sheet.setDefaultRowHeight(integer(root.value(QLatin1String("defaultRowHeight"))));
    sheet.setDefaultColWidth(integer(root.value(QLatin1String("defaultColWidth"))));
    for (const QJsonValue& entry : array(root.value(QLatin1String("rowHeights")))) {
        const QJsonArray pair = array(entry, 2);
        const int row = integer(pair[0]);
        if (row < 1 || row > maxRow)
            damaged();
        sheet.setRowHeight(row, integer(pair[1]));
    }
    for (const QJsonValue& entry : array(root.value(QLatin1String("colWidths")))) {
        const QJsonArray pair = array(entry, 2);
        const int col = integer(pair[0]);
        if (col < 1 || col > maxCol)
            damaged();
        sheet.setColWidth(col, integer(pair[1]));
    }
}

CellFormat VtsReader::style(const QJsonObject& json) const
{
    CellFormat format;
    vts::forEachFormatField(format, [&json](const char* key, auto& value) {
        const QJsonValue stored = json.value(QLatin1String(key));
        if (!stored.isUndefined())
            value = vts::fromJson<typename std::decay_t<decltype(value)>::value_type>(stored);
    });
    // Merged blocks are restored as blocks; a merge flag on a single cell would mean nothing else.
    format.mergeCells.reset();
    const QJsonArray borders = array(json.value(QLatin1String("borders")));
    for (qsizetype i = 0; i < std::min<qsizetype>(borders.size(), qsizetype(format.borders.size())); ++i) {
        if (borders[i].isNull())
            continue;
        const QJsonObject border = object(borders[i]);
        format.borders[i] = Border { BorderStyle(integer(border.value(QLatin1String("style")))),
            vts::fromJson<QRgb>(border.value(QLatin1String("color"))) };
    }
    return format;
}

void VtsReader::readCells(const QJsonObject& root, Sheet& sheet) const
{
    QList<CellFormat> styles;
    for (const QJsonValue& json : array(root.value(QLatin1String("styles"))))
        styles.append(style(object(json)));

    for (const QJsonValue& entry : array(root.value(QLatin1String("cells")))) {
        const QJsonArray cell = array(entry, 3);
        const int row = integer(cell[0]);
        const int col = integer(cell[1]);
        const int styleIndex = integer(cell[2]);
        if (row < 1 || row > sheet.maxRow() || col < 1 || col > sheet.maxCol() || styleIndex < -1
            || styleIndex >= styles.size())
            damaged();
        if (styleIndex >= 0)
            sheet.applyFormat(CellRange::cell(row, col), styles[styleIndex]);
        if (cell.size() < 5)
            continue;
        const QString kind = cell[3].toString();
        const QJsonValue value = cell[4];
        if (kind == QLatin1String("f"))
            sheet.setFormula(row, col, value.toString());
        else if (kind == QLatin1String("n"))
            readNumber(sheet, row, col, value.toDouble(),
                cell.size() > 5 ? cell[5] : QJsonValue(QJsonValue::Undefined));
        else if (kind == QLatin1String("s"))
            sheet.setText(row, col, value.toString());
        else if (kind == QLatin1String("b"))
            sheet.setValue(row, col, value.toBool());
        else if (kind == QLatin1String("e"))
            sheet.setValue(row, col, CellError { value.toString() });
        else
            damaged();
    }
}

void VtsReader::readPictures(const QJsonObject& root, Sheet& sheet) const
{
    for (const QJsonValue& entry : array(root.value(QLatin1String("pictures")))) {
        const QJsonObject picture = object(entry);
        DrawingObject restored;
        restored.id = integer(picture.value(QLatin1String("id")));
        restored.anchor = range(picture.value(QLatin1String("anchor")));
        restored.image = imageFromPngBase64(picture.value(QLatin1String("png")).toString());
        restored.sourcePath = picture.value(QLatin1String("source")).toString();
        if (restored.image.isNull())
            damaged();
        sheet.restoreObject(restored);
    }
}

PageSetup VtsReader::pageSetup(const QJsonObject& json) const
{
    PageSetup page;
    vts::forEachPageField(page, [&json](const char* key, auto& value) {
        const QJsonValue stored = json.value(QLatin1String(key));
        if (!stored.isUndefined())
            value = vts::fromJson<std::decay_t<decltype(value)>>(stored);
    });
    return page;
}

} // namespace

Sheet sheetFromVts(const QByteArray& document, const QString& fileName)
{
    return VtsReader(fileName).read(document);
}

} // namespace platform::grid::io

#include "HtmlWriter.h"

#include "platform/grid/NumberFormat.h"
#include "platform/grid/ReportFonts.h"
#include "platform/grid/Sheet.h"
#include "PngText.h"
#include "Utf8Output.h"

#include <algorithm>
#include <cmath>
#include <QHash>
#include <QImage>
#include <QList>
#include <QStringList>

namespace platform::grid::io
{

namespace
{

constexpr int kTwipsPerPixel = 15;
constexpr int kCovered = -1; // a cell hidden under a merged block

int pixels(qint64 twips)
{
    return int(std::lround(double(twips) / kTwipsPerPixel));
}

QString cssColor(QRgb color)
{
    return QStringLiteral("#%1").arg(color & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

QString escaped(const QString& text)
{
    const bool plain = std::none_of(text.begin(), text.end(), [](QChar c) {
        return c == QLatin1Char('&') || c == QLatin1Char('<') || c == QLatin1Char('>')
            || c == QLatin1Char('"');
    });
    if (plain)
        return text;
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString borderCss(const std::optional<Border>& border)
{
    const BorderStyle style = border ? border->style : BorderStyle::None;
    QLatin1String line;
    switch (style) {
    case BorderStyle::None:
        return QStringLiteral("none");
    case BorderStyle::Thin:
        line = QLatin1String("1px solid");
        break;
    case BorderStyle::Medium:
        line = QLatin1String("2px solid");
        break;
    case BorderStyle::Thick:
        line = QLatin1String("3px solid");
        break;
    case BorderStyle::Double:
        line = QLatin1String("3px double");
        break;
    case BorderStyle::Dotted:
    case BorderStyle::Hair:
    case BorderStyle::DashDotDot:
        line = QLatin1String("1px dotted");
        break;
    case BorderStyle::Dashed:
    case BorderStyle::DashDot:
        line = QLatin1String("1px dashed");
        break;
    case BorderStyle::MediumDashed:
    case BorderStyle::MediumDashDot:
    case BorderStyle::MediumDashDotDot:
    case BorderStyle::SlantedDashDot:
        line = QLatin1String("2px dashed");
        break;
    }
    return line + QLatin1Char(' ') + cssColor(border->color);
}

QString alignCss(HAlign align)
{
    switch (align) {
    case HAlign::Center:
    case HAlign::CenterAcross:
        return QStringLiteral("center");
    case HAlign::Right:
        return QStringLiteral("right");
    case HAlign::Justify:
        return QStringLiteral("justify");
    default:
        return QStringLiteral("left");
    }
}

QString verticalCss(VAlign align)
{
    switch (align) {
    case VAlign::Top:
        return QStringLiteral("top");
    case VAlign::Center:
        return QStringLiteral("middle");
    default:
        return QStringLiteral("bottom");
    }
}

// The report's family first, for the machines that have it, then the faces that stand in for it here.
QString fontFamilyCss(const QString& family)
{
    QStringList names { family };
    names += reportFontFamilies(family);
    names.removeDuplicates();
    for (QString& name : names)
        name = QLatin1Char('\'') + name.remove(QLatin1Char('\'')) + QLatin1Char('\'');
    return names.join(QLatin1Char(','));
}

QString cellCss(const CellFormat& f)
{
    QString css = QStringLiteral("font-family:%1;font-size:%2pt;")
                      .arg(fontFamilyCss(f.fontName.value_or(kDefaultFontName)))
                      .arg(f.fontSize.value_or(kDefaultFontSize));
    if (f.fontBold.value_or(false))
        css += QLatin1String("font-weight:bold;");
    if (f.fontItalic.value_or(false))
        css += QLatin1String("font-style:italic;");
    if (f.fontUnderline.value_or(false) && f.fontStrikeOut.value_or(false))
        css += QLatin1String("text-decoration:underline line-through;");
    else if (f.fontUnderline.value_or(false))
        css += QLatin1String("text-decoration:underline;");
    else if (f.fontStrikeOut.value_or(false))
        css += QLatin1String("text-decoration:line-through;");
    css += QLatin1String("color:") + cssColor(f.fontColor.value_or(qRgb(0, 0, 0))) + QLatin1Char(';');
    if (f.pattern.value_or(0) > 0)
        css += QLatin1String("background-color:") + cssColor(f.patternForeground.value_or(qRgb(0, 0, 0)))
            + QLatin1Char(';');
    const HAlign hAlign = f.hAlign.value_or(HAlign::General);
    if (hAlign != HAlign::General)
        css += QLatin1String("text-align:") + alignCss(hAlign) + QLatin1Char(';');
    css += QLatin1String("vertical-align:") + verticalCss(f.vAlign.value_or(VAlign::Bottom))
        + QLatin1Char(';');
    css += QLatin1String(
        f.wrapText.value_or(false) ? "white-space:pre-wrap;overflow-wrap:anywhere;" : "white-space:pre;");
    css += QLatin1String("border-top:") + borderCss(f.border(BorderSide::Top));
    css += QLatin1String(";border-right:") + borderCss(f.border(BorderSide::Right));
    css += QLatin1String(";border-bottom:") + borderCss(f.border(BorderSide::Bottom));
    css += QLatin1String(";border-left:") + borderCss(f.border(BorderSide::Left));
    return css;
}

QString pngDataUri(const QImage& image)
{
    return QStringLiteral("data:image/png;base64,") + pngBase64(image);
}

class HtmlWriter
{
public:
    HtmlWriter(const Sheet& sheet, QIODevice& device)
        : sheet_(sheet)
        , rows_(sheet.lastUsedRow())
        , cols_(sheet.lastUsedCol())
        , out_(device)
    {
    }

    void write(const QString& title);

private:
    int& styleAt(int row, int col) { return styles_[qsizetype(row - 1) * cols_ + (col - 1)]; }
    static quint64 cellKey(int row, int col) { return quint64(row) << 32 | quint32(col); }
    int classFor(const CellFormat& format);
    void collectStyles();
    void writeHead(const QString& title);
    void writeTable();
    void writeCell(int row, int col);
    void writePictures();

    const Sheet& sheet_;
    const int rows_;
    const int cols_;
    Utf8Output out_;
    QStringList classCss_; // the page's CSS classes, each distinct once
    QHash<QString, int> classOfCss_;
    QList<bool> classAlignsByValue_; // no alignment of its own: the value's kind decides
    QList<int> styles_; // per cell: its class number, or kCovered
    QHash<quint64, CellRange> blockAt_; // merged blocks by their first cell
    QList<qint64> colLeft_; // twips from the table's left edge to each column, and the total width
    QList<qint64> rowTop_; // the same downwards
};

void HtmlWriter::write(const QString& title)
{
    colLeft_.append(0);
    for (int col = 1; col <= cols_; ++col)
        colLeft_.append(colLeft_.last() + sheet_.colWidth(col));
    rowTop_.append(0);
    for (int row = 1; row <= rows_; ++row)
        rowTop_.append(rowTop_.last() + sheet_.rowHeight(row));

    collectStyles();
    writeHead(title);
    out_ << QLatin1String("<body>\n<div style=\"position:relative\">\n");
    writeTable();
    writePictures();
    out_ << QLatin1String("</div>\n</body>\n</html>\n");
    out_.flush();
}

int HtmlWriter::classFor(const CellFormat& format)
{
    const QString css = cellCss(format);
    auto it = classOfCss_.constFind(css);
    if (it == classOfCss_.constEnd()) {
        it = classOfCss_.insert(css, int(classCss_.size()));
        classCss_.append(css);
        classAlignsByValue_.append(format.hAlign.value_or(HAlign::General) == HAlign::General);
    }
    return it.value();
}

// Every cell's class. A merged block's first cell takes the borders of the block's edges: the
// right one from its top-right cell, the bottom one from its bottom-left cell.
void HtmlWriter::collectStyles()
{
    styles_.resize(qsizetype(rows_) * cols_);
    QList<int> classOfStyle(sheet_.styleCount(), -1);
    for (int row = 1; row <= rows_; ++row) {
        for (int col = 1; col <= cols_; ++col) {
            const int id = sheet_.styleId(row, col);
            if (id >= classOfStyle.size())
                classOfStyle.resize(id + 1, -1);
            if (classOfStyle[id] < 0)
                classOfStyle[id] = classFor(sheet_.styleFormat(id));
            styleAt(row, col) = classOfStyle[id];
        }
    }
    for (const CellRange& block : sheet_.mergedBlocks()) {
        CellFormat format = sheet_.format(block.row1, block.col1);
        format.border(BorderSide::Right) = sheet_.format(block.row1, block.col2).border(BorderSide::Right);
        format.border(BorderSide::Bottom) = sheet_.format(block.row2, block.col1).border(BorderSide::Bottom);
        for (int row = block.row1; row <= block.row2; ++row) {
            for (int col = block.col1; col <= block.col2; ++col)
                styleAt(row, col) = kCovered;
        }
        styleAt(block.row1, block.col1) = classFor(format);
        blockAt_.insert(cellKey(block.row1, block.col1), block);
    }
}

void HtmlWriter::writeHead(const QString& title)
{
    out_ << QLatin1String("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\"/>\n<title>")
         << escaped(title)
         << QLatin1String("</title>\n<style>\n"
                          "body{margin:0}\n"
                          "table{border-collapse:collapse;table-layout:fixed}\n"
                          "td{padding:0 2px;overflow:hidden}\n"
                          ".r{text-align:right}\n"
                          ".c{text-align:center}\n");
    for (int i = 0; i < classCss_.size(); ++i)
        out_ << QLatin1String(".s") << i << QLatin1Char('{') << classCss_[i] << QLatin1String("}\n");
    out_ << QLatin1String("</style>\n</head>\n");
}

void HtmlWriter::writeTable()
{
    out_ << QLatin1String("<table style=\"width:") << pixels(colLeft_.last())
         << QLatin1String("px\">\n<colgroup>");
    for (int col = 1; col <= cols_; ++col)
        out_ << QLatin1String("<col style=\"width:") << pixels(sheet_.colWidth(col))
             << QLatin1String("px\"/>");
    out_ << QLatin1String("</colgroup>\n");
    for (int row = 1; row <= rows_; ++row) {
        out_ << QLatin1String("<tr style=\"height:") << pixels(sheet_.rowHeight(row))
             << QLatin1String("px\">");
        for (int col = 1; col <= cols_; ++col) {
            if (styleAt(row, col) != kCovered)
                writeCell(row, col);
        }
        out_ << QLatin1String("</tr>\n");
    }
    out_ << QLatin1String("</table>\n");
}

void HtmlWriter::writeCell(int row, int col)
{
    const int style = styleAt(row, col);
    out_ << QLatin1String("<td class=\"s") << style;
    const bool empty = sheet_.isEmpty(row, col);
    if (!empty && classAlignsByValue_[style]) {
        // Unaligned numbers stand right, logical and error values in the middle, texts left.
        const CellValue value = sheet_.value(row, col);
        if (std::holds_alternative<double>(value) && !isTextFormat(*sheet_.cellStyle(row, col).numberFormat))
            out_ << QLatin1String(" r");
        else if (std::holds_alternative<bool>(value) || std::holds_alternative<CellError>(value))
            out_ << QLatin1String(" c");
    }
    out_ << QLatin1Char('"');
    if (const auto block = blockAt_.constFind(cellKey(row, col)); block != blockAt_.constEnd()) {
        if (block->colCount() > 1)
            out_ << QLatin1String(" colspan=\"") << block->colCount() << QLatin1Char('"');
        if (block->rowCount() > 1)
            out_ << QLatin1String(" rowspan=\"") << block->rowCount() << QLatin1Char('"');
    }
    out_ << QLatin1Char('>');
    if (!empty)
        out_ << escaped(sheet_.text(row, col));
    out_ << QLatin1String("</td>");
}

void HtmlWriter::writePictures()
{
    for (int id : sheet_.objectIds()) {
        const DrawingObject& picture = sheet_.object(id);
        const CellRange& a = picture.anchor;
        out_ << QLatin1String("<img alt=\"\" style=\"position:absolute;left:") << pixels(colLeft_[a.col1 - 1])
             << QLatin1String("px;top:") << pixels(rowTop_[a.row1 - 1]) << QLatin1String("px;width:")
             << pixels(colLeft_[a.col2] - colLeft_[a.col1 - 1]) << QLatin1String("px;height:")
             << pixels(rowTop_[a.row2] - rowTop_[a.row1 - 1]) << QLatin1String("px\" src=\"")
             << pngDataUri(picture.image) << QLatin1String("\"/>\n");
    }
}

} // namespace

void writeHtml(const Sheet& sheet, QIODevice& out, const QString& title)
{
    HtmlWriter(sheet, out).write(title);
}

} // namespace platform::grid::io

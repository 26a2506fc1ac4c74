#include "dialogs/CellFormatModel.h"

#include "platform/db/Recordset.h"
#include "platform/grid/GridTypes.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

#include <algorithm>
#include <cmath>

namespace dialogs
{

using platform::grid::Border;
using platform::grid::BorderSide;
using platform::grid::BorderStyle;

namespace
{

const QString TextClass = QStringLiteral("文本");
const QString GeneralClass = QStringLiteral("常规");

std::optional<bool> checkValue(Qt::CheckState state)
{
    if (state == Qt::PartiallyChecked)
        return std::nullopt;
    return state == Qt::Checked;
}

} // namespace

const QStringList& HAlignTexts()
{
    static const QStringList texts { QStringLiteral("常规"), QStringLiteral("靠左"), QStringLiteral("居中"),
        QStringLiteral("靠右"), QStringLiteral("填充"), QStringLiteral("分散对齐"),
        QStringLiteral("跨列居中") };
    return texts;
}

const QStringList& VAlignTexts()
{
    static const QStringList texts { QStringLiteral("靠上"), QStringLiteral("居中"), QStringLiteral("靠下") };
    return texts;
}

int AlignCode(const QStringList& texts, const QString& text)
{
    return int(texts.indexOf(text)) + 1;
}

QString AlignText(const QStringList& texts, int code)
{
    return texts.value(code - 1);
}

const std::array<SideButton, SideCount>& SideButtons()
{
    static const std::array<SideButton, SideCount> sides { {
        { QStringLiteral("左边框"), BorderSide::Left },
        { QStringLiteral("中间线"), BorderSide::InnerVertical },
        { QStringLiteral("右边框"), BorderSide::Right },
        { QStringLiteral("上边框"), BorderSide::Top },
        { QStringLiteral("中心线"), BorderSide::InnerHorizontal },
        { QStringLiteral("下边框"), BorderSide::Bottom },
    } };
    return sides;
}

PreviewLine LineOfEntry(int entry, QRgb color)
{
    static constexpr PreviewLine Entries[LineStyleCount] = {
        { true, LineLook::Solid, 1, false, 0 },
        { true, LineLook::Solid, 2, false, 0 },
        { true, LineLook::Dashed, 1, false, 0 },
        { true, LineLook::Dotted, 1, false, 0 },
        { true, LineLook::Solid, 1, true, 0 },
        { true, LineLook::DashDot, 1, false, 0 },
        { true, LineLook::Solid, 4, false, 0 },
    };
    PreviewLine line = Entries[std::clamp(entry, 0, LineStyleCount - 1)];
    line.color = color;
    return line;
}

void DrawSide(PreviewSides& sides, int side, int entry, QRgb color)
{
    sides[side] = LineOfEntry(entry, color);
}

void ClearSide(PreviewSides& sides, int side)
{
    sides[side].visible = false;
    sides[side].twin = false;
}

void ApplyPreset(PreviewSides& sides, BorderPreset preset, int entry, QRgb color)
{
    switch (preset) {
    case NoBorders:
        for (int side = 0; side < SideCount; ++side)
            ClearSide(sides, side);
        break;
    case OuterBorders:
        for (int side : { 0, 2, 3, 5 })
            DrawSide(sides, side, entry, color);
        break;
    case InnerBorders:
        DrawSide(sides, InnerVerticalSide, entry, color);
        DrawSide(sides, InnerHorizontalSide, entry, color);
        break;
    }
}

PreviewLine LineOfBorder(const std::optional<Border>& border)
{
    PreviewLine line;
    if (!border || border->style == BorderStyle::None)
        return line;
    line.visible = true;
    line.color = border->color;
    switch (border->style) {
    case BorderStyle::Medium:
        line.width = 2;
        break;
    case BorderStyle::Dashed:
        line.look = LineLook::Dashed;
        break;
    case BorderStyle::Dotted:
        line.look = LineLook::Dotted;
        break;
    case BorderStyle::Thick:
        line.width = 4;
        break;
    case BorderStyle::Double:
        line.twin = true;
        break;
    case BorderStyle::DashDot:
    case BorderStyle::DashDotDot:
        line.look = LineLook::DashDot;
        break;
    default:
        break;
    }
    return line;
}

Border BorderOfLine(const PreviewLine& line)
{
    if (!line.visible)
        return {};
    BorderStyle style = BorderStyle::Thin;
    switch (line.look) {
    case LineLook::Dashed:
        style = BorderStyle::Dashed;
        break;
    case LineLook::Dotted:
        style = BorderStyle::Dotted;
        break;
    case LineLook::DashDot:
        style = BorderStyle::DashDotDot;
        break;
    case LineLook::Solid:
        break;
    }
    if (line.width == 2)
        style = BorderStyle::Medium;
    else if (line.width == 4)
        style = BorderStyle::Thick;
    if (line.twin)
        style = BorderStyle::Double;
    return { style, line.color };
}

BorderEnabling BorderEnablingFor(const platform::grid::CellRange& selection, bool oneMergedBlock)
{
    BorderEnabling enabling;
    if (oneMergedBlock) {
        enabling.innerVertical = enabling.innerHorizontal = enabling.innerPreset = false;
        return enabling;
    }
    enabling.innerVertical = enabling.verticalMarks = selection.colCount() > 1;
    enabling.innerHorizontal = enabling.horizontalMarks = selection.rowCount() > 1;
    enabling.innerPreset = enabling.innerVertical || enabling.innerHorizontal;
    return enabling;
}

QString FontStyleText(bool bold, bool italic)
{
    if (bold && italic)
        return QStringLiteral("粗斜体");
    if (bold)
        return QStringLiteral("粗体");
    return italic ? QStringLiteral("斜体") : QStringLiteral("规则");
}

int WholeFontSize(double size)
{
    return int(std::nearbyint(size));
}

CellFormatForm FormOfFormat(const platform::grid::CellFormat& format, bool oneMergedBlock)
{
    CellFormatForm form;
    form.numberFormat = format.numberFormat.value_or(QString());
    form.hAlign = format.hAlign ? AlignText(HAlignTexts(), int(*format.hAlign)) : QString();
    form.vAlign = format.vAlign ? AlignText(VAlignTexts(), int(*format.vAlign)) : QString();
    form.wrap = !format.wrapText ? Qt::PartiallyChecked : *format.wrapText ? Qt::Checked : Qt::Unchecked;
    if (!format.mergeCells)
        form.merge = Qt::PartiallyChecked;
    else
        form.merge = !*format.mergeCells ? Qt::Unchecked
            : oneMergedBlock             ? Qt::Checked
                                         : Qt::PartiallyChecked;
    FontChoice& font = form.font;
    font.name = format.fontName.value_or(QString());
    font.size = format.fontSize.value_or(platform::grid::kDefaultFontSize);
    font.bold = format.fontBold.value_or(false);
    font.italic = format.fontItalic.value_or(false);
    font.underline = format.fontUnderline.value_or(false);
    font.strikeOut = format.fontStrikeOut.value_or(false);
    font.color = format.fontColor.value_or(0);
    form.fontName = font.name;
    form.fontSize = format.fontSize ? QString::number(WholeFontSize(*format.fontSize)) : QString();
    for (int side = 0; side < SideCount; ++side)
        form.sides[side] = LineOfBorder(format.border(SideButtons()[side].gridSide));
    return form;
}

std::optional<platform::grid::CellFormat> BuildCellFormat(const CellFormatForm& form)
{
    if (!form.numberChanged && !form.alignmentChanged && !form.fontChanged && !form.bordersChanged)
        return std::nullopt;
    platform::grid::CellFormat format;
    if (form.numberChanged && !form.numberFormat.trimmed().isEmpty())
        format.numberFormat = form.numberFormat.trimmed();
    if (form.alignmentChanged) {
        if (const int code = AlignCode(HAlignTexts(), form.hAlign.trimmed()))
            format.hAlign = platform::grid::HAlign(code);
        if (const int code = AlignCode(VAlignTexts(), form.vAlign.trimmed()))
            format.vAlign = platform::grid::VAlign(code);
        format.wrapText = checkValue(form.wrap);
        format.mergeCells = checkValue(form.merge);
    }
    if (form.fontChanged) {
        if (!form.fontName.trimmed().isEmpty())
            format.fontName = form.fontName.trimmed();
        if (const auto size = store::toDouble(form.fontSize.trimmed()))
            format.fontSize = WholeFontSize(*size);
        format.fontUnderline = form.font.underline;
        format.fontColor = form.font.color;
        format.fontStrikeOut = form.font.strikeOut;
        format.fontBold = form.font.bold;
        format.fontItalic = form.font.italic;
    }
    if (form.bordersChanged) {
        for (int side = 0; side < SideCount; ++side)
            format.border(SideButtons()[side].gridSide) = BorderOfLine(form.sides[side]);
    }
    return format;
}

QStringList NumberClasses()
{
    QStringList found;
    const auto rows = store::openStoreSql(QStringLiteral("select distinct s_class from report_cell_num_ftm"));
    for (rows->moveFirst(); !rows->eof(); rows->moveNext())
        found.append(rows->text(0).trimmed());
    QStringList classes;
    for (const QString& first : { TextClass, GeneralClass }) {
        if (found.contains(first))
            classes.append(first);
    }
    for (const QString& other : found) {
        if (other != TextClass && other != GeneralClass)
            classes.append(other);
    }
    return classes;
}

QStringList NumberTypes(const QString& numberClass)
{
    QStringList types;
    const auto rows
        = store::openStoreSql(
            QStringLiteral("select  s_description from report_cell_num_ftm where s_class = ?"), { numberClass });
    for (rows->moveFirst(); !rows->eof(); rows->moveNext())
        types.append(rows->text(0).trimmed());
    return types;
}

std::optional<QString> FormatStringOf(const QString& numberClass, const QString& type)
{
    const auto rows
        = store::openStoreSql(QStringLiteral("select s_format_string from report_cell_num_ftm where s_class = ? "
                                             "and s_description = ?"),
            { numberClass, type });
    if (rows->eof())
        return std::nullopt;
    return rows->text(0);
}

std::optional<NumberEntry> FindNumberFormat(const QString& format)
{
    const QString listed = format.trimmed() == QLatin1String("@") ? QStringLiteral("\\@") : format;
    const auto rows = store::openStoreSql(
        QStringLiteral("select s_class,s_description from report_cell_num_ftm where s_format_string = ?"), { listed });
    if (rows->eof())
        return std::nullopt;
    return NumberEntry { rows->text(0).trimmed(), rows->text(1).trimmed() };
}

} // namespace dialogs

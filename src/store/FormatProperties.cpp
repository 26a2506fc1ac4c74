#include "store/FormatProperties.h"

#include "store/clsPropertyHandle.h"
#include "store/PropertyItems.h"
#include "store/ReportKeywords.h"
#include "store/StoredColor.h"
#include "store/TextConvert.h"

#include <array>
#include <functional>
#include <optional>

namespace store
{

namespace p = keywords::property;
using platform::grid::Border;
using platform::grid::BorderSide;
using platform::grid::BorderStyle;
using platform::grid::CellFormat;
using platform::grid::HAlign;
using platform::grid::VAlign;

namespace
{

constexpr int MaxBorderStyle = static_cast<int>(BorderStyle::SlantedDashDot);

// Stored side codes 0 to 3 in the order they are written.
constexpr std::array<BorderSide, 4> StoredSides { BorderSide::Top, BorderSide::Left, BorderSide::Bottom,
    BorderSide::Right };

std::optional<QString> itemValue(const QString& propertyString, const QString& name)
{
    QString found = name;
    int dataType = 0;
    QString value;
    if (!clsPropertyHandle::GetPropertyByName(propertyString, found, dataType, value))
        return std::nullopt;
    return value;
}

std::optional<bool> toFlag(QString value)
{
    const QVariant flag = clsPropertyHandle::TransValue(static_cast<int>(PropertyDataType::Boolean), value);
    if (flag.typeId() != QMetaType::Bool)
        return std::nullopt;
    return flag.toBool();
}

// Runs the setters of the items that are present in order, stopping at the first value that does not
// convert.
using ItemSetter = std::function<bool(const QString& value)>;
void applyItems(
    const QString& propertyString, std::initializer_list<std::pair<const QString&, ItemSetter>> setters)
{
    for (const auto& [name, set] : setters) {
        const std::optional<QString> value = itemValue(propertyString, name);
        if (value && !set(*value))
            return;
    }
}

template <class T> ItemSetter setFlag(std::optional<T>& target)
{
    return [&target](const QString& value) {
        const std::optional<bool> flag = toFlag(value);
        if (flag)
            target = *flag;
        return flag.has_value();
    };
}

// An alignment code, 1 to the highest code of its kind.
template <class Code> ItemSetter setCode(std::optional<Code>& target, Code highest)
{
    return [&target, highest](const QString& value) {
        const std::optional<int> code = toLong(value);
        const bool known = code && *code >= 1 && *code <= static_cast<int>(highest);
        if (known)
            target = static_cast<Code>(*code);
        return known;
    };
}

QString flagText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString item(const QString& name, PropertyDataType type, const QString& value)
{
    return clsPropertyHandle::GetPropertyString(name, type, value);
}

QString flagItem(const QString& name, bool value)
{
    return item(name, PropertyDataType::Boolean, flagText(value));
}

QString longItem(const QString& name, qint64 value)
{
    return item(name, PropertyDataType::Long, QString::number(value));
}

QString integerItem(const QString& name, int value)
{
    return item(name, PropertyDataType::Integer, QString::number(value));
}

QString fontString(const CellFormat& f)
{
    return item(p::FontName, PropertyDataType::String, f.fontName.value_or(QString()))
        + item(p::FontSize, PropertyDataType::String,
            QString::number(f.fontSize.value_or(platform::grid::kDefaultFontSize), 'g', 15))
        + flagItem(p::FontBold, f.fontBold.value_or(false))
        + flagItem(p::FontItalic, f.fontItalic.value_or(false))
        + longItem(p::FontColor, toStoredColor(f.fontColor.value_or(0)))
        + flagItem(p::FontUnderline, f.fontUnderline.value_or(false))
        + flagItem(p::FontStrikeout, f.fontStrikeOut.value_or(false));
}

QString alignmentString(const CellFormat& f)
{
    return integerItem(p::HAlignment, static_cast<int>(f.hAlign.value_or(HAlign::General)))
        + integerItem(p::VAlignment, static_cast<int>(f.vAlign.value_or(VAlign::Bottom)));
}

// The loop state of a border text: the current group's values carry over into the next group.
struct BorderGroups {
    CellFormat& format;
    int side = -1;
    int style = 0;
    qint32 color = 0;
    std::array<bool, 4> seen {};

    void flush()
    {
        if (side < 0 || side >= int(StoredSides.size()))
            return;
        const Border border { static_cast<BorderStyle>(style), fromStoredColor(color) };
        format.border(StoredSides[side]) = border;
        seen[side] = true;
        if (seen[1] && seen[3])
            format.border(BorderSide::InnerVertical) = border;
        if (seen[0] && seen[2])
            format.border(BorderSide::InnerHorizontal) = border;
    }
};

} // namespace

void ApplyFontProperties(CellFormat& format, const QString& propertyString)
{
    applyItems(propertyString,
        {
            { p::FontName,
                [&](const QString& v) {
                    format.fontName = v;
                    return true;
                } },
            { p::FontSize,
                [&](const QString& v) {
                    const std::optional<double> size = toDouble(v);
                    if (size && *size > 0)
                        format.fontSize = *size;
                    return size && *size > 0;
                } },
            { p::FontBold, setFlag(format.fontBold) },
            { p::FontItalic, setFlag(format.fontItalic) },
            { p::FontColor,
                [&](const QString& v) {
                    const std::optional<int> color = toLong(v);
                    if (color)
                        format.fontColor = fromStoredColor(*color);
                    return color.has_value();
                } },
            { p::FontUnderline, setFlag(format.fontUnderline) },
            { p::FontStrikeout, setFlag(format.fontStrikeOut) },
        });
}

void ApplyAlignProperties(CellFormat& format, const QString& propertyString)
{
    applyItems(propertyString,
        {
            { p::HAlignment, setCode(format.hAlign, HAlign::CenterAcross) },
            { p::VAlignment, setCode(format.vAlign, VAlign::Bottom) },
        });
}

void ApplyBorderProperties(CellFormat& format, const QString& propertyString)
{
    BorderGroups groups { format };
    for (const PropertyItem& each : propertyItems(propertyString)) {
        const std::optional<int> number = toLong(each.value);
        if (each.name == p::WhichBorder) {
            groups.flush();
            groups.side = number.value_or(-1);
        } else if (each.name == p::BorderStyle && number && *number >= 0 && *number <= MaxBorderStyle) {
            groups.style = *number;
        } else if (each.name == p::BorderColor && number) {
            groups.color = *number;
        }
    }
    groups.flush();
}

void ApplyFormatProperties(CellFormat& format, const QString& kind, const QString& propertyString)
{
    if (kind == keywords::Font) {
        ApplyFontProperties(format, propertyString);
    } else if (kind == keywords::Alignment) {
        ApplyAlignProperties(format, propertyString);
    } else if (kind == keywords::Border) {
        ApplyBorderProperties(format, propertyString);
    } else if (kind == keywords::InputFormat) {
        const QString value = trimBlanks(itemValue(propertyString, p::InputFormat).value_or(QString()));
        format.numberFormat = value.isEmpty() ? QStringLiteral("@") : value;
    } else if (kind == keywords::WrapText) {
        applyItems(propertyString, { { p::WrapText, setFlag(format.wrapText) } });
    } else if (kind == keywords::Merge) {
        applyItems(propertyString, { { p::Merge, setFlag(format.mergeCells) } });
    }
}

QString GetBorderString(const CellFormat& format)
{
    QString text;
    for (int side = 0; side < int(StoredSides.size()); ++side) {
        const Border border = format.border(StoredSides[side]).value_or(Border {});
        if (border.style == BorderStyle::None)
            continue;
        text += integerItem(p::WhichBorder, side)
            + integerItem(p::BorderStyle, static_cast<int>(border.style))
            + longItem(p::BorderColor, toStoredColor(border.color));
    }
    return text;
}

QString GetFormatString(const QString& kind, const CellFormat& format)
{
    if (kind == keywords::Font)
        return fontString(format);
    if (kind == keywords::Alignment)
        return alignmentString(format);
    if (kind == keywords::Border)
        return GetBorderString(format);
    if (kind == keywords::InputFormat)
        return item(p::InputFormat, PropertyDataType::String, format.numberFormat.value_or(QString()));
    if (kind == keywords::WrapText)
        return format.wrapText.value_or(false) ? flagItem(p::WrapText, true) : QString();
    if (kind == keywords::Merge)
        return format.mergeCells.value_or(false) ? flagItem(p::Merge, true) : QString();
    return {};
}

} // namespace store

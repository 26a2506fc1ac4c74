#include "dialogs/FontChooserModel.h"

#include "dialogs/CellFormatModel.h"
#include "platform/grid/ReportFonts.h"

#include <utility>

namespace dialogs
{

namespace
{

constexpr double SmallestSize = 1;
constexpr double LargestSize = 1638;

const QList<std::pair<QString, double>>& chineseSizes()
{
    static const QList<std::pair<QString, double>> sizes {
        { QStringLiteral("初号"), 42 },
        { QStringLiteral("小初"), 36 },
        { QStringLiteral("一号"), 26 },
        { QStringLiteral("小一"), 24 },
        { QStringLiteral("二号"), 22 },
        { QStringLiteral("小二"), 18 },
        { QStringLiteral("三号"), 16 },
        { QStringLiteral("小三"), 15 },
        { QStringLiteral("四号"), 14 },
        { QStringLiteral("小四"), 12 },
        { QStringLiteral("五号"), 10.5 },
        { QStringLiteral("小五"), 9 },
        { QStringLiteral("六号"), 7.5 },
        { QStringLiteral("小六"), 6.5 },
        { QStringLiteral("七号"), 5.5 },
        { QStringLiteral("八号"), 5 },
    };
    return sizes;
}

} // namespace

QStringList ChooserFamilies(const QString& cellFamily)
{
    QStringList families = platform::grid::reportFamilyNames();
    const QString own = cellFamily.trimmed();
    if (!own.isEmpty() && !families.contains(own, Qt::CaseInsensitive))
        families.append(own);
    return families;
}

QStringList ChooserStyles()
{
    return { FontStyleText(false, false), FontStyleText(false, true), FontStyleText(true, false),
        FontStyleText(true, true) };
}

int StyleEntry(bool bold, bool italic)
{
    return (bold ? 2 : 0) + (italic ? 1 : 0);
}

QStringList ChooserSizeTexts()
{
    QStringList texts;
    for (int points : { 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72 })
        texts.append(QString::number(points));
    for (const auto& [name, points] : chineseSizes())
        texts.append(name);
    return texts;
}

std::optional<double> ChooserSize(const QString& text)
{
    const QString typed = text.trimmed();
    for (const auto& [name, points] : chineseSizes()) {
        if (typed == name)
            return points;
    }
    bool number = false;
    const double points = typed.toDouble(&number);
    if (!number || points < SmallestSize || points > LargestSize)
        return std::nullopt;
    return points;
}

const QList<ChooserColour>& ChooserColours()
{
    static const QList<ChooserColour> colours {
        { QStringLiteral("黑色"), 0x000000 },
        { QStringLiteral("褐红色"), 0x800000 },
        { QStringLiteral("绿色"), 0x008000 },
        { QStringLiteral("橄榄色"), 0x808000 },
        { QStringLiteral("深蓝色"), 0x000080 },
        { QStringLiteral("紫色"), 0x800080 },
        { QStringLiteral("深青色"), 0x008080 },
        { QStringLiteral("灰色"), 0x808080 },
        { QStringLiteral("银色"), 0xC0C0C0 },
        { QStringLiteral("红色"), 0xFF0000 },
        { QStringLiteral("黄绿色"), 0x00FF00 },
        { QStringLiteral("黄色"), 0xFFFF00 },
        { QStringLiteral("蓝色"), 0x0000FF },
        { QStringLiteral("紫红色"), 0xFF00FF },
        { QStringLiteral("青色"), 0x00FFFF },
        { QStringLiteral("白色"), 0xFFFFFF },
    };
    return colours;
}

} // namespace dialogs

#include "designer/SizeInput.h"

#include "store/TextConvert.h"

#include <algorithm>
#include <cmath>

namespace designer
{

namespace
{

platform::ui::Refusal<SizeBox> refuse(const QString& message)
{
    return { message, SizeBox::Text };
}

// The messages of one size dialog.
struct SizeMessages {
    QString notNumeric;
    QString notPositive;
    QString tooLarge;
};

CheckedSize<double> checkSize(const QString& text, const SizeMessages& messages)
{
    const auto centimetres = store::toDouble(text.trimmed());
    if (!centimetres)
        return refuse(messages.notNumeric);
    if (*centimetres <= 0)
        return refuse(messages.notPositive);
    if (*centimetres > MaxSizeCm)
        return refuse(messages.tooLarge);
    return *centimetres * platform::grid::kTwipsPerCm;
}

} // namespace

int ZoomOptionOf(int percent)
{
    const auto option = std::ranges::find(ZoomOptionPercents, percent);
    return option == ZoomOptionPercents.end() ? CustomZoomOption : int(option - ZoomOptionPercents.begin());
}

CheckedSize<int> CheckZoom(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return refuse(QStringLiteral("请输入自定义显示比例大小！"));
    const auto number = store::toDouble(trimmed);
    if (!number)
        return refuse(QStringLiteral("输入不正确！要求输入内容为小数或整数。"));
    const double percent = std::nearbyint(*number); // halves go to the even neighbour
    if (percent < MinZoomPercent || percent > MaxZoomPercent)
        return refuse(QStringLiteral("数字必须在 10 与 400 之间，请再次输入属于上述区域的数字。"));
    return int(percent);
}

CheckedSize<double> CheckRowHeight(const QString& text)
{
    return checkSize(text,
        { QStringLiteral("行高必须为数值,请重新输入!"),
            QStringLiteral("行高必须为大于0 小于10 的数,请重新输入!"),
            QStringLiteral("行高值设置过大,请重新输入!") });
}

CheckedSize<double> ValidateColWidth(const QString& text)
{
    return checkSize(text,
        { QStringLiteral("列宽必须为数值,请重新输入!"),
            QStringLiteral("列宽必须为大于0 小于10 的数,请重新输入!"),
            QStringLiteral("列宽值设置过大,请重新输入!") });
}

QString CentimetreText(double twips)
{
    QString text = QString::number(twips / platform::grid::kTwipsPerCm, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

} // namespace designer

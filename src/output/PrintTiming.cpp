#include "output/PrintTiming.h"

#include "store/TextConvert.h"

#include <cmath>

namespace output
{

BatchPagesInput ReadBatchPages(const QString& text)
{
    const auto number = store::toDouble(text);
    if (!number)
        return { 0, QStringLiteral("请输入数值！") };
    const double pages = std::nearbyint(*number);
    if (pages < MinPagesPerBatch || pages > MaxPagesPerBatch)
        return { 0, QStringLiteral("页数设置超出设置范围!") };
    return { int(pages), {} };
}

QString BatchButtonCaption(int pagesPerBatch)
{
    return QStringLiteral("生成后") + QString::number(pagesPerBatch) + QStringLiteral("页报表(M)");
}

} // namespace output

#include "store/CustomPaper.h"

#include "store/PageSettings.h"
#include "store/TextConvert.h"

#include <QStringList>

namespace store
{

std::optional<CustomPaper> parseCustomPaper(const QString& note)
{
    const QStringList fields = trimBlanks(note).split(QLatin1Char('|'));
    if (fields.size() < 2)
        return std::nullopt;
    const auto width = toDouble(fields.at(0));
    const auto height = toDouble(fields.at(1));
    if (!width || !height || *width <= 0 || *height <= 0)
        return std::nullopt;
    return CustomPaper { *width, *height };
}

QString customPaperNote(const CustomPaper& paper)
{
    return QStringList { DecimalText(paper.widthCm), DecimalText(paper.heightCm),
        DecimalText(paper.scaledWidth()), DecimalText(paper.scaledHeight()) }
        .join(QLatin1Char('|'));
}

} // namespace store

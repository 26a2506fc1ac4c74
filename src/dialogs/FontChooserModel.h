#pragma once

#include <optional>
#include <QList>
#include <QRgb>
#include <QString>
#include <QStringList>

// What the cell-format dialog's font chooser offers: the family names that reports store (those of
// the Windows machines that share the archive, whatever faces draw them here), the styles, the sizes
// in points and in the Chinese size names, and the colours.
namespace dialogs
{

// The Windows families reports use, then the cell's own family when it is none of them, so that a
// family this machine lacks is shown and kept under its stored name.
QStringList ChooserFamilies(const QString& cellFamily);

// The style list "规则", "斜体", "粗体", "粗斜体": entry bold * 2 + italic.
QStringList ChooserStyles();
int StyleEntry(bool bold, bool italic);

// The size list: points, then the Chinese sizes from "初号" (42 points) to "八号" (5 points).
QStringList ChooserSizeTexts();
// The size in points that a size text names (a listed text or a number typed in), from 1 to 1638
// points; none for any other text.
std::optional<double> ChooserSize(const QString& text);

// The colour list: the sixteen colours of the Windows font chooser, as RGB.
struct ChooserColour {
    QString name;
    QRgb rgb;
};
const QList<ChooserColour>& ChooserColours();

} // namespace dialogs

#pragma once

#include "platform/grid/GridTypes.h"
#include "platform/ui/Refusal.h"

#include <array>
#include <QString>

// The checks of the zoom, row-height and column-width dialogs, without widgets. Numbers are read by one
// strict parser: a decimal point whatever the locale, surrounding blanks ignored, nothing else accepted.
namespace designer
{

// The zoom percents of frmResize's options 0 to 4; option 5 takes a percent of the user's own.
inline constexpr std::array<int, 5> ZoomOptionPercents { 200, 100, 75, 50, 25 };
constexpr int CustomZoomOption = 5;
constexpr int MinZoomPercent = 10;
constexpr int MaxZoomPercent = 400;

// The option that shows a grid's zoom: the fixed option with that percent, else the custom one.
int ZoomOptionOf(int percent);

// The one box of the size dialogs, which takes the focus back after a refusal (title "提示信息", OK only).
enum class SizeBox { Text };
template <class T> using CheckedSize = platform::ui::Checked<T, SizeBox>;

// A custom zoom: the nearest whole percent (halves to even) from 10 to 400.
CheckedSize<int> CheckZoom(const QString& text);

// Row heights and column widths are above 0 and at most 10 cm, typed in the dialogs or dragged.
constexpr int MaxSizeCm = 10;
constexpr int MaxSizeTwips = MaxSizeCm * platform::grid::kTwipsPerCm;

// A row height or column width in centimetres, above 0 and at most 10, given back in twips.
CheckedSize<double> CheckRowHeight(const QString& text);
CheckedSize<double> ValidateColWidth(const QString& text);

// A size in twips as the dialogs show it: centimetres to two decimals, a decimal point, no trailing zeros.
QString CentimetreText(double twips);

} // namespace designer

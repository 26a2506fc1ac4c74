#include "PageGeometry.h"

#include "platform/grid/GridTypes.h"
#include "platform/ui/Printers.h"

#include <algorithm>

namespace platform::grid
{

namespace
{

constexpr int kMinScale = 10;
constexpr int kMaxScale = 400;

} // namespace

PageGeometry pageGeometry(const PageSetup& setup, const QSizeF& paper, double dpi)
{
    PageGeometry g;
    g.paper = QRectF(QPointF(0, 0), paper);
    const auto inches = [dpi](double value) { return std::max(0.0, value) * dpi; };
    const double left = inches(setup.leftMargin);
    const double right = paper.width() - inches(setup.rightMargin);
    const double top = inches(setup.topMargin);
    const double bottom = paper.height() - inches(setup.bottomMargin);
    g.body = QRectF(QPointF(left, top), QPointF(std::max(left + 1, right), std::max(top + 1, bottom)));
    g.header = QRectF(QPointF(left, inches(setup.headerMargin)), QPointF(g.body.right(), g.body.top()));
    g.footer = QRectF(
        QPointF(left, g.body.bottom()), QPointF(g.body.right(), paper.height() - inches(setup.footerMargin)));
    const int percent
        = setup.scalePercent >= kMinScale && setup.scalePercent <= kMaxScale ? setup.scalePercent : 100;
    g.scale = dpi / kTwipsPerInch * percent / 100.0;
    return g;
}

std::optional<QPageSize> paperOf(const PageSetup& setup)
{
    if (setup.paperSize == ui::papercodes::Custom) {
        if (setup.customWidthCm <= 0 || setup.customHeightCm <= 0)
            return std::nullopt;
        return QPageSize(QSizeF(setup.customWidthCm * 10, setup.customHeightCm * 10), QPageSize::Millimeter,
            QString(), QPageSize::ExactMatch);
    }
    const QPageSize size = ui::pageSizeForPaperCode(setup.paperSize);
    return size.isValid() ? std::optional<QPageSize>(size) : std::nullopt;
}

} // namespace platform::grid

#include "BorderLine.h"

#include <cmath>
#include <QPainter>
#include <QPen>

namespace platform::grid
{

namespace
{

constexpr int kThinTwips = 15; // one pixel at 100 % on a 96 dpi screen

// A line width in whole device units, never thinner than one.
double deviceWidth(int twips, double scale)
{
    return std::max(1.0, std::round(twips * scale));
}

} // namespace

BorderLine borderLine(BorderStyle style)
{
    switch (style) {
    case BorderStyle::None:
        return {};
    case BorderStyle::Hair:
        return { kThinTwips, { 1, 1 }, false, 1 };
    case BorderStyle::Dotted:
        return { kThinTwips, { 1, 2 }, false, 2 };
    case BorderStyle::DashDotDot:
        return { kThinTwips, { 3, 1, 1, 1, 1, 1 }, false, 3 };
    case BorderStyle::DashDot:
        return { kThinTwips, { 3, 1, 1, 1 }, false, 4 };
    case BorderStyle::Dashed:
        return { kThinTwips, { 3, 2 }, false, 5 };
    case BorderStyle::Thin:
        return { kThinTwips, {}, false, 6 };
    case BorderStyle::MediumDashDotDot:
        return { 2 * kThinTwips, { 3, 1, 1, 1, 1, 1 }, false, 7 };
    case BorderStyle::SlantedDashDot:
        return { 2 * kThinTwips, { 4, 1, 2, 1 }, false, 8 };
    case BorderStyle::MediumDashDot:
        return { 2 * kThinTwips, { 3, 1, 1, 1 }, false, 9 };
    case BorderStyle::MediumDashed:
        return { 2 * kThinTwips, { 3, 2 }, false, 10 };
    case BorderStyle::Medium:
        return { 2 * kThinTwips, {}, false, 11 };
    case BorderStyle::Double:
        return { kThinTwips, {}, true, 12 };
    case BorderStyle::Thick:
        return { 3 * kThinTwips, {}, false, 13 };
    }
    return {};
}

void drawBorder(QPainter& painter, const QLineF& edge, BorderStyle style, const QColor& color, double scale)
{
    const BorderLine line = borderLine(style);
    if (line.widthTwips == 0)
        return;
    const double width = deviceWidth(line.widthTwips, scale);
    QPen pen(color, width);
    if (line.dashes.isEmpty()) {
        pen.setCapStyle(Qt::SquareCap); // solid lines meet without a notch at the corners
    } else {
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern(line.dashes);
    }
    painter.setPen(pen);
    if (!line.doubled) {
        painter.drawLine(edge);
        return;
    }
    // Two lines one width either side of the edge.
    const bool horizontal = qFuzzyCompare(edge.y1(), edge.y2());
    const QPointF apart = horizontal ? QPointF(0, width) : QPointF(width, 0);
    painter.drawLine(edge.translated(-apart));
    painter.drawLine(edge.translated(apart));
}

} // namespace platform::grid

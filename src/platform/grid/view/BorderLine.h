#pragma once

#include "platform/grid/GridTypes.h"

#include <QColor>
#include <QLineF>
#include <QList>

class QPainter;

namespace platform::grid
{

// How a border style looks: the width of its line, its dashes and whether it is two thin lines.
struct BorderLine {
    int widthTwips = 0; // 0 for no line
    QList<qreal> dashes; // in line widths; empty for a solid line
    bool doubled = false; // two lines of widthTwips with one width between them
    int weight = 0; // heavier lines are drawn over lighter ones where they meet
};

BorderLine borderLine(BorderStyle style);

// Draws a border along a cell edge (a horizontal or vertical segment between two cell corners) at
// `scale` device units per twip.
void drawBorder(QPainter& painter, const QLineF& edge, BorderStyle style, const QColor& color, double scale);

} // namespace platform::grid

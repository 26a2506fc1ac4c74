#include "HeadingPainter.h"

#include "CellLook.h"
#include "platform/grid/Sheet.h"

#include <cmath>
#include <QFontMetricsF>
#include <QPainter>

namespace platform::grid
{

namespace
{

constexpr double kHeadingFontSize = 9;
constexpr int kHeadingPaddingTwips = 60;
const QColor kBackground(0xF2, 0xF2, 0xF2);
const QColor kSelectedBackground(0xD6, 0xE2, 0xF5);
const QColor kLine(0xB4, 0xB4, 0xB4);
const QColor kText(0x30, 0x30, 0x30);

QFont headingFont(double scale, const QPaintDevice* device)
{
    CellFormat format;
    format.fontSize = kHeadingFontSize;
    return deviceFont(format, scale, device);
}

} // namespace

HeadingPainter::HeadingPainter(const CellGeometry& geometry, const QPaintDevice* device)
    : geometry_(geometry)
    , font_(headingFont(geometry.scale(), device))
    , device_(device)
{
}

double HeadingPainter::columnBandHeight() const
{
    return std::max(4.0, std::round(kDefaultRowHeight * geometry_.scale()));
}

double HeadingPainter::rowBandWidth(int lastRow) const
{
    const QFontMetricsF metrics(font_, device_);
    const double digits = metrics.horizontalAdvance(QString::number(std::max(lastRow, 999)));
    return std::ceil(digits + 2 * std::round(kHeadingPaddingTwips * geometry_.scale()));
}

void HeadingPainter::paintHeading(
    QPainter& painter, const QRectF& rect, const QString& text, bool selected) const
{
    painter.fillRect(rect, selected ? kSelectedBackground : kBackground);
    painter.setPen(kLine);
    painter.drawLine(QLineF(rect.right(), rect.top(), rect.right(), rect.bottom()));
    painter.drawLine(QLineF(rect.left(), rect.bottom(), rect.right(), rect.bottom()));
    if (rect.width() < 2 || rect.height() < 2)
        return;
    painter.setPen(kText);
    painter.drawText(rect, Qt::AlignCenter, text);
}

void HeadingPainter::paintColumns(
    QPainter& painter, int col1, int col2, double top, std::pair<int, int> selected) const
{
    painter.save();
    painter.setFont(font_);
    const double height = columnBandHeight();
    for (int c = col1; c <= col2; ++c) {
        const QRectF rect(QPointF(geometry_.x(c), top), QPointF(geometry_.x(c + 1) - 1, top + height - 1));
        if (rect.width() > 0)
            paintHeading(painter, rect, columnName(c), c >= selected.first && c <= selected.second);
    }
    painter.restore();
}

void HeadingPainter::paintRows(
    QPainter& painter, int row1, int row2, double left, double width, std::pair<int, int> selected) const
{
    painter.save();
    painter.setFont(font_);
    for (int r = row1; r <= row2; ++r) {
        const QRectF rect(QPointF(left, geometry_.y(r)), QPointF(left + width - 1, geometry_.y(r + 1) - 1));
        if (rect.height() > 0)
            paintHeading(painter, rect, QString::number(r), r >= selected.first && r <= selected.second);
    }
    painter.restore();
}

void HeadingPainter::paintCorner(QPainter& painter, const QRectF& rect) const
{
    paintHeading(painter, rect.adjusted(0, 0, -1, -1), {}, false);
}

} // namespace platform::grid

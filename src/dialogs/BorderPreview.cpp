#include "dialogs/BorderPreview.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace dialogs
{

namespace
{

constexpr int Margin = 24;
constexpr int BoxWidth = 200;
constexpr int BoxHeight = 130;
constexpr int Strip = 12;
constexpr int Mark = 8;

// The two ends of side i in the order of the side buttons, and the side its twin lies on.
struct SideGeometry {
    QPointF from, to, twin;
};

SideGeometry geometryOf(int side)
{
    const double left = Margin, right = Margin + BoxWidth, top = Margin, bottom = Margin + BoxHeight;
    const double middleX = (left + right) / 2, middleY = (top + bottom) / 2;
    switch (side) {
    case 0:
        return { { left, top }, { left, bottom }, { 3, 0 } };
    case 1:
        return { { middleX, top }, { middleX, bottom }, { 3, 0 } };
    case 2:
        return { { right, top }, { right, bottom }, { -3, 0 } };
    case 3:
        return { { left, top }, { right, top }, { 0, 3 } };
    case 4:
        return { { left, middleY }, { right, middleY }, { 0, 3 } };
    default:
        return { { left, bottom }, { right, bottom }, { 0, -3 } };
    }
}

} // namespace

void PaintPreviewLine(
    QPainter& painter, const PreviewLine& line, QPointF from, QPointF to, QPointF twinOffset)
{
    if (!line.visible)
        return;
    static constexpr Qt::PenStyle Styles[] = { Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine };
    QPen pen(QColor::fromRgb(line.color), line.width, Styles[int(line.look)]);
    painter.setPen(pen);
    painter.drawLine(from, to);
    if (line.twin) {
        pen.setStyle(Qt::SolidLine);
        painter.setPen(pen);
        painter.drawLine(from + twinOffset, to + twinOffset);
    }
}

BorderPreview::BorderPreview(QWidget* parent)
    : QWidget(parent)
{
    for (int side = 0; side < SideCount; ++side) {
        auto* label = new QLabel(this);
        const SideGeometry geometry = geometryOf(side);
        const QRectF along = QRectF(geometry.from, geometry.to).normalized();
        label->setGeometry(along.adjusted(-Strip / 2, -Strip / 2, Strip / 2, Strip / 2).toRect());
        label->setToolTip(SideButtons()[side].caption);
        label->installEventFilter(this);
        lblBorder[side] = label;
    }
}

QSize BorderPreview::sizeHint() const
{
    return { BoxWidth + 2 * Margin, BoxHeight + 2 * Margin };
}

void BorderPreview::setSides(const PreviewSides& sides)
{
    sides_ = sides;
    update();
}

void BorderPreview::setMarks(bool vertical, bool horizontal)
{
    verticalMarks_ = vertical;
    horizontalMarks_ = horizontal;
    update();
}

void BorderPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(QRect(Margin, Margin, BoxWidth, BoxHeight), Qt::white);
    painter.setPen(QPen(Qt::lightGray, 1, Qt::DotLine));
    painter.drawRect(QRect(Margin, Margin, BoxWidth, BoxHeight));
    painter.setPen(Qt::gray);
    const int middleX = Margin + BoxWidth / 2, middleY = Margin + BoxHeight / 2;
    if (verticalMarks_) {
        painter.drawLine(middleX, Margin - Mark - 2, middleX, Margin - 2);
        painter.drawLine(middleX, Margin + BoxHeight + 2, middleX, Margin + BoxHeight + Mark + 2);
    }
    if (horizontalMarks_) {
        painter.drawLine(Margin - Mark - 2, middleY, Margin - 2, middleY);
        painter.drawLine(Margin + BoxWidth + 2, middleY, Margin + BoxWidth + Mark + 2, middleY);
    }
    painter.setPen(Qt::darkGray);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 2; ++col)
            painter.drawText(
                QRect(Margin + col * BoxWidth / 2, Margin + row * BoxHeight / 2, BoxWidth / 2, BoxHeight / 2),
                Qt::AlignCenter, QStringLiteral("文本"));
    }
    for (int side = 0; side < SideCount; ++side) {
        const SideGeometry geometry = geometryOf(side);
        PaintPreviewLine(painter, sides_[side], geometry.from, geometry.to, geometry.twin);
    }
}

bool BorderPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (int side = 0; side < SideCount; ++side) {
            if (watched == lblBorder[side] && lblBorder[side]->isEnabled()) {
                emit sideClicked(side, static_cast<QMouseEvent*>(event)->button());
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace dialogs

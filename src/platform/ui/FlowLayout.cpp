#include "platform/ui/FlowLayout.h"

#include <algorithm>
#include <QWidget>

namespace platform::ui
{

FlowLayout::FlowLayout(QWidget* parent)
    : QLayout(parent)
{
}

FlowLayout::~FlowLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void FlowLayout::addItem(QLayoutItem* item)
{
    items_.append(item);
}

int FlowLayout::count() const
{
    return int(items_.size());
}

QLayoutItem* FlowLayout::itemAt(int index) const
{
    return items_.value(index);
}

QLayoutItem* FlowLayout::takeAt(int index)
{
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

int FlowLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false).height;
}

QSize FlowLayout::minimumSize() const
{
    QSize size;
    for (const QLayoutItem* item : items_)
        size = size.expandedTo(item->minimumSize());
    const QMargins margins = contentsMargins();
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QSize FlowLayout::sizeHint() const
{
    const int width = widthForRows(1);
    return { width, heightForWidth(width) };
}

void FlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int FlowLayout::widthForRows(int rows) const
{
    auto rowsAt = [this](int width) { return arrange(QRect(0, 0, width, 0), false).rows; };
    int narrow = minimumSize().width();
    if (rowsAt(narrow) <= rows)
        return narrow;
    int wide = narrow;
    while (rowsAt(wide) > rows)
        wide *= 2;
    while (wide - narrow > 1) {
        const int middle = (narrow + wide) / 2;
        (rowsAt(middle) > rows ? narrow : wide) = middle;
    }
    return wide;
}

// Places (or only measures) the visible items row by row.
FlowLayout::Flow FlowLayout::arrange(const QRect& rect, bool move) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int gap = spacing() < 0 ? 6 : spacing();
    Flow flow;
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;
    for (QLayoutItem* item : items_) {
        if (item->isEmpty())
            continue;
        const QSize size = item->sizeHint().expandedTo(item->minimumSize());
        if (flow.rows == 0) {
            flow.rows = 1;
        } else if (x + size.width() > area.right() + 1) {
            x = area.x();
            y += rowHeight + gap;
            rowHeight = 0;
            ++flow.rows;
        }
        if (move)
            item->setGeometry(QRect(QPoint(x, y), size));
        x += size.width() + gap;
        rowHeight = std::max(rowHeight, size.height());
    }
    flow.height = y + rowHeight - rect.y() + contentsMargins().bottom();
    return flow;
}

} // namespace platform::ui

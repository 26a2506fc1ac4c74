#include "output/PageView.h"

#include "output/PageDisplay.h"
#include "output/PageZoom.h"
#include "platform/grid/view/AxisLayout.h"

#include <algorithm>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace output
{

namespace
{

// A medium black line, as the page edge is drawn on screen.
constexpr int FrameWidthPixels = 2;

} // namespace

PageView::PageView(QWidget* parent)
    : GridView(parent)
{
    setShowRowHeadings(false);
    setShowColHeadings(false);
    setShowGridLines(false);
    setShowSelection(false);
    setAllowEdit(false);
    page_.setMaxRow(1);
    page_.setMaxCol(1);
    showSheet();
}

void PageView::showPage(const platform::grid::Sheet& working, SheetRows rows)
{
    ShowPage(working, page_, rows);
    showSheet();
}

// A new page is a new sheet: the view forgets the layout and the scroll position of the old one.
void PageView::showSheet()
{
    setSheet(&page_);
    viewport()->update();
}

QRectF PageView::pageRect() const
{
    const QRect first = cellRect(1, 1);
    const QRect last = cellRect(page_.maxRow(), page_.maxCol());
    return QRectF(QPointF(first.topLeft()), QPointF(last.bottomRight()) + QPointF(1, 1));
}

// From the page's twips, not from its whole pixels at the zoom shown: measured alike at every zoom, a page
// of a report's size is fitted at the same zoom whichever page was shown before it.
QSizeF PageView::pageSizeAt100() const
{
    platform::grid::SheetLayout layout;
    layout.update(page_);
    return QSizeF(layout.cols.total(), layout.rows.total()) * kPixelsPerTwipAt100;
}

void PageView::arrangeInParent(bool fitted)
{
    const QSize area = parentWidget() ? parentWidget()->size() : size();
    const QSizeF page = pageSizeAt100();
    const PagePlacement placement = fitted ? FitPage(area, page) : NaturalSize(area, page);
    fitted_ = fitted;
    setTopRow(1);
    setLeftCol(1);
    setZoom(placement.zoom);
    const int wanted = int(page.width() * placement.zoom / 100.0) + 2 * frameWidth()
        + (fitted ? 0 : verticalScrollBar()->sizeHint().width());
    const int room = area.width() - placement.left;
    const int height = area.height() - placement.top;
    setShowVScrollBar(!fitted);
    setShowHScrollBar(!fitted && wanted > room);
    setGeometry(placement.left, placement.top, std::min(wanted, room),
        fitted ? std::min(height, int(page.height() * placement.zoom / 100.0) + 2 * frameWidth()) : height);
}

// In the fitted page the keys still move the cell being edited, but never the page.
void PageView::keyPressEvent(QKeyEvent* event)
{
    GridView::keyPressEvent(event);
    if (fitted_) {
        setTopRow(1);
        setLeftCol(1);
    }
}

void PageView::wheelEvent(QWheelEvent* event)
{
    if (fitted_)
        event->accept();
    else
        GridView::wheelEvent(event);
}

void PageView::paintEvent(QPaintEvent* event)
{
    GridView::paintEvent(event);
    constexpr double inset = FrameWidthPixels / 2.0;
    const QRectF edge = pageRect().adjusted(inset, inset, -inset, -inset);
    QPainter painter(viewport());
    painter.setPen(QPen(Qt::black, FrameWidthPixels));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(edge);
}

} // namespace output

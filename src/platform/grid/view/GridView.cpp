#include "GridView.h"

#include "CellEditor.h"
#include "CellLook.h"
#include "HeadingPainter.h"
#include "platform/grid/Sheet.h"
#include "SheetPainter.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

namespace platform::grid
{

namespace
{

constexpr int kRevisionCheckMs = 150;
constexpr double kBorderGripPixels = 3; // how near a heading border the mouse grips it
const QColor kOutsideSheet(0xE6, 0xE6, 0xE6);
const QColor kSelectionFill(0x3A, 0x6F, 0xD8, 40);
const QColor kSelectionFrame(0x2B, 0x57, 0x9A);

int mouseButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

std::optional<CellMove> keyMove(const QKeyEvent& event, bool tabMovesCell)
{
    switch (event.key()) {
    case Qt::Key_Left:
        return CellMove::Left;
    case Qt::Key_Right:
        return CellMove::Right;
    case Qt::Key_Up:
        return CellMove::Up;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return CellMove::Down;
    case Qt::Key_PageUp:
        return CellMove::PageUp;
    case Qt::Key_PageDown:
        return CellMove::PageDown;
    case Qt::Key_Home:
        return event.modifiers() & Qt::ControlModifier ? CellMove::SheetStart : CellMove::RowStart;
    case Qt::Key_Tab:
        if (tabMovesCell)
            return event.modifiers() & Qt::ShiftModifier ? CellMove::Left : CellMove::Right;
        return std::nullopt;
    case Qt::Key_Backtab:
        return tabMovesCell ? std::optional(CellMove::Left) : std::nullopt;
    default:
        return std::nullopt;
    }
}

bool isTabKey(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
}

// The index among first..last whose far edge lies within the grip of `pixel`; the last such one, so
// that a row or column dragged down to nothing can be dragged open again.
std::optional<int> borderNear(double pixel, int first, int last, const std::function<double(int)>& farEdge)
{
    std::optional<int> found;
    for (int i = first; i <= last; ++i) {
        if (std::abs(farEdge(i) - pixel) <= kBorderGripPixels)
            found = i;
    }
    return found;
}

bool startsEntry(const QKeyEvent& event)
{
    const QString text = event.text();
    return !text.isEmpty() && text.front().isPrint()
        && !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

// Where everything is drawn now: the cells' positions, the heading bands and the cells in view.
struct GridView::Frame {
    CellGeometry geometry;
    double rowBand = 0; // width of the row headings
    double colBand = 0; // height of the column headings
    CellRange visible;
};

GridView::GridView(QWidget* parent)
    : QAbstractScrollArea(parent)
    , editor_(new CellEditor(viewport()))
    , revisionCheck_(new QTimer(this))
{
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
    connect(editor_, &CellEditor::committed, this, &GridView::storeEntry);
    connect(editor_, &CellEditor::cancelled, this, &GridView::endEditing);
    connect(revisionCheck_, &QTimer::timeout, this, [this] {
        if (sheet_ && isVisible() && sheet_->revision() != shownRevision_)
            refresh();
    });
    revisionCheck_->start(kRevisionCheckMs);
    syncScrollBars();
}

GridView::~GridView() = default;

void GridView::setSheet(Sheet* sheet)
{
    editor_->cancel();
    sheet_ = sheet;
    layout_.invalidate();
    verticalScrollBar()->setValue(1);
    horizontalScrollBar()->setValue(1);
    refresh();
}

double GridView::scale() const
{
    return kPixelsPerTwipAt100 * zoom_ / 100.0;
}

void GridView::syncWithSheet()
{
    if (!sheet_)
        return;
    layout_.update(*sheet_);
    shownRevision_ = sheet_->revision();
}

void GridView::syncScrollBars()
{
    const int rows = sheet_ ? sheet_->maxRow() : 1;
    const int cols = sheet_ ? sheet_->maxCol() : 1;
    verticalScrollBar()->setRange(1, rows);
    horizontalScrollBar()->setRange(1, cols);
    verticalScrollBar()->setPageStep(visibleRowCount());
    horizontalScrollBar()->setPageStep(std::max(1, sheet_ ? frame().visible.colCount() - 1 : 1));
}

void GridView::refresh()
{
    syncWithSheet();
    syncScrollBars();
    viewport()->update();
}

GridView::Frame GridView::frame() const
{
    const int top = topRow();
    const int left = leftCol();
    if (sheet_)
        layout_.update(*sheet_);
    const CellGeometry bandless(layout_, top, left, QPointF(0, 0), scale());
    const HeadingPainter headings(bandless, viewport());
    const double colBand = colHeadings_ ? headings.columnBandHeight() : 0;
    const int bottomRow = std::min(layout_.rows.count(),
        CellGeometry(layout_, top, left, QPointF(0, colBand), scale()).rowAt(viewport()->height() - 1));
    const double rowBand = rowHeadings_ ? headings.rowBandWidth(bottomRow) : 0;
    Frame f { CellGeometry(layout_, top, left, QPointF(rowBand, colBand), scale()), rowBand, colBand, {} };
    f.visible = CellRange { top, left, std::max(top, bottomRow),
        std::max(left, std::min(layout_.cols.count(), f.geometry.colAt(viewport()->width() - 1))) };
    return f;
}

int GridView::topRow() const
{
    return verticalScrollBar()->value();
}

void GridView::setTopRow(int row)
{
    syncWithSheet();
    syncScrollBars();
    verticalScrollBar()->setValue(row);
}

int GridView::leftCol() const
{
    return horizontalScrollBar()->value();
}

void GridView::setLeftCol(int col)
{
    syncWithSheet();
    syncScrollBars();
    horizontalScrollBar()->setValue(col);
}

void GridView::scrollContentsBy(int, int)
{
    editor_->commit();
    syncScrollBars();
    viewport()->update();
    emit topLeftChanged(topRow(), leftCol());
}

void GridView::setZoom(int percent)
{
    editor_->commit();
    zoom_ = std::clamp(percent, kMinZoom, kMaxZoom);
    refresh();
}

void GridView::setShowRowHeadings(bool show)
{
    rowHeadings_ = show;
    viewport()->update();
}

void GridView::setShowColHeadings(bool show)
{
    colHeadings_ = show;
    viewport()->update();
}

void GridView::setShowGridLines(bool show)
{
    gridLines_ = show;
    viewport()->update();
}

void GridView::setShowSelection(bool show)
{
    selectionShown_ = show;
    viewport()->update();
}

bool GridView::showHScrollBar() const
{
    return horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
}

void GridView::setShowHScrollBar(bool show)
{
    setHorizontalScrollBarPolicy(show ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

bool GridView::showVScrollBar() const
{
    return verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
}

void GridView::setShowVScrollBar(bool show)
{
    setVerticalScrollBarPolicy(show ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

int GridView::visibleRowCount() const
{
    if (!sheet_)
        return 1;
    const Frame f = frame();
    int rows = 0;
    for (int r = f.visible.row1; r <= f.visible.row2 && f.geometry.y(r + 1) <= viewport()->height(); ++r)
        ++rows;
    return std::max(1, rows);
}

QRect GridView::cellRect(int row, int col) const
{
    if (!sheet_)
        return {};
    const Frame f = frame();
    const CellGeometry& g = f.geometry;
    if (row == 0 && col == 0)
        return QRect(0, 0, int(f.rowBand), int(f.colBand));
    if (row == 0)
        return QRectF(QPointF(g.x(col), 0), QPointF(g.x(col + 1), f.colBand)).toRect();
    if (col == 0)
        return QRectF(QPointF(0, g.y(row)), QPointF(f.rowBand, g.y(row + 1))).toRect();
    const CellRange unit = sheet_->mergedBlockAt(row, col).value_or(CellRange::cell(row, col));
    return g.rect(unit).toRect();
}

std::optional<CellPos> GridView::cellAt(const QPoint& point) const
{
    if (!sheet_)
        return std::nullopt;
    const Frame f = frame();
    const bool inColBand = point.y() < f.colBand;
    const bool inRowBand = point.x() < f.rowBand;
    const int row = inColBand ? 0 : f.geometry.rowAt(point.y());
    const int col = inRowBand ? 0 : f.geometry.colAt(point.x());
    if (row > sheet_->maxRow() || col > sheet_->maxCol())
        return std::nullopt;
    return CellPos { row, col };
}

void GridView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    syncScrollBars();
}

// --- painting -----------------------------------------------------------------------------------

void GridView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), kOutsideSheet);
    if (!sheet_)
        return;
    syncWithSheet();
    const Frame f = frame();
    const QRectF cellsArea(QPointF(f.rowBand, f.colBand), QPointF(viewport()->width(), viewport()->height()));
    painter.save();
    painter.setClipRect(cellsArea);
    SheetPaintOptions options;
    options.gridLines = gridLines_;
    SheetPainter(*sheet_, f.geometry).paint(painter, f.visible, options);
    if (selectionShown_)
        paintSelection(painter, f);
    painter.restore();
    paintHeadings(painter, f);
}

void GridView::paintSelection(QPainter& painter, const Frame& f) const
{
    const CellRange active = sheet_->mergedBlockAt(sheet_->activeRow(), sheet_->activeCol())
                                 .value_or(CellRange::cell(sheet_->activeRow(), sheet_->activeCol()));
    QRegion highlighted;
    for (int i = 0; i < sheet_->selectionCount(); ++i) {
        CellRange r = sheet_->selection(i);
        // Whole rows and columns reach the sheet's edge however far it lies.
        r.row2 = r.row1 == 1 && r.row2 >= kWholeColLastRow ? sheet_->maxRow()
                                                           : std::min(r.row2, sheet_->maxRow());
        r.col2 = r.col1 == 1 && r.col2 >= kWholeRowLastCol ? sheet_->maxCol()
                                                           : std::min(r.col2, sheet_->maxCol());
        if (!r.intersects(f.visible))
            continue;
        r = CellRange { std::max(r.row1, f.visible.row1 - 1), std::max(r.col1, f.visible.col1 - 1),
            std::min(r.row2, f.visible.row2 + 1), std::min(r.col2, f.visible.col2 + 1) };
        const QRect rect = f.geometry.rect(r).toRect();
        highlighted += rect;
        if (i == 0) {
            painter.setPen(QPen(kSelectionFrame, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
        }
    }
    highlighted -= f.geometry.rect(active).toRect();
    painter.save();
    painter.setClipRegion(highlighted, Qt::IntersectClip);
    painter.fillRect(viewport()->rect(), kSelectionFill);
    painter.restore();
    painter.setPen(QPen(kSelectionFrame, 1));
    painter.drawRect(f.geometry.rect(active).toRect().adjusted(0, 0, -1, -1));
}

void GridView::paintHeadings(QPainter& painter, const Frame& f) const
{
    const HeadingPainter headings(f.geometry, viewport());
    const CellRange selected = sheet_->selection(0);
    if (colHeadings_) {
        painter.save();
        painter.setClipRect(QRectF(f.rowBand, 0, viewport()->width(), f.colBand));
        headings.paintColumns(painter, f.visible.col1, f.visible.col2, 0, { selected.col1, selected.col2 });
        painter.restore();
    }
    if (rowHeadings_) {
        painter.save();
        painter.setClipRect(QRectF(0, f.colBand, f.rowBand, viewport()->height()));
        headings.paintRows(
            painter, f.visible.row1, f.visible.row2, 0, f.rowBand, { selected.row1, selected.row2 });
        painter.restore();
    }
    if (colHeadings_ && rowHeadings_)
        headings.paintCorner(painter, QRectF(0, 0, f.rowBand, f.colBand));
}

// --- selection ----------------------------------------------------------------------------------

GridView::SelectionState GridView::selectionState() const
{
    SelectionState state;
    for (int i = 0; i < sheet_->selectionCount(); ++i)
        state.ranges.append(sheet_->selection(i));
    state.active = CellPos { sheet_->activeRow(), sheet_->activeCol() };
    return state;
}

void GridView::emitIfSelectionChanged(const SelectionState& before)
{
    viewport()->update();
    if (selectionState() != before)
        emit selectionChanged(sheet_->activeRow(), sheet_->activeCol());
}

void GridView::selectByMouse(const CellPos& hit, Qt::KeyboardModifiers modifiers)
{
    const bool extend = modifiers & Qt::ShiftModifier;
    if (!extend)
        anchor_ = hit;
    if (hit.row == 0 && hit.col == 0) {
        drag_ = Drag::None;
        sheet_->selectAll();
    } else if (hit.row == 0) {
        drag_ = Drag::Cols;
        sheet_->selectCols(std::min(anchor_.col, hit.col), std::max(anchor_.col, hit.col));
    } else if (hit.col == 0) {
        drag_ = Drag::Rows;
        sheet_->selectRows(std::min(anchor_.row, hit.row), std::max(anchor_.row, hit.row));
    } else {
        drag_ = Drag::Cells;
        if (extend) {
            anchor_ = CellPos { sheet_->activeRow(), sheet_->activeCol() };
            sheet_->select(anchor_.row, anchor_.col, hit.row, hit.col);
            sheet_->setActiveCell(anchor_.row, anchor_.col);
        } else {
            sheet_->select(CellRange::cell(hit.row, hit.col));
            anchor_ = CellPos { sheet_->activeRow(), sheet_->activeCol() };
        }
    }
    extent_ = hit;
}

void GridView::extendByDrag(const QPoint& point)
{
    const Frame f = frame();
    if (point.y() > viewport()->height() && f.visible.row2 < sheet_->maxRow())
        setTopRow(topRow() + 1);
    else if (point.y() < f.colBand && topRow() > 1 && drag_ != Drag::Cols)
        setTopRow(topRow() - 1);
    if (point.x() > viewport()->width() && f.visible.col2 < sheet_->maxCol())
        setLeftCol(leftCol() + 1);
    else if (point.x() < f.rowBand && leftCol() > 1 && drag_ != Drag::Rows)
        setLeftCol(leftCol() - 1);
    const Frame now = frame();
    const QPoint inside(std::clamp(point.x(), int(now.rowBand), viewport()->width() - 1),
        std::clamp(point.y(), int(now.colBand), viewport()->height() - 1));
    const int row = std::min(now.geometry.rowAt(inside.y()), sheet_->maxRow());
    const int col = std::min(now.geometry.colAt(inside.x()), sheet_->maxCol());
    switch (drag_) {
    case Drag::Cells:
        sheet_->select(anchor_.row, anchor_.col, row, col);
        sheet_->setActiveCell(anchor_.row, anchor_.col);
        break;
    case Drag::Rows:
        sheet_->selectRows(std::min(anchor_.row, row), std::max(anchor_.row, row));
        break;
    case Drag::Cols:
        sheet_->selectCols(std::min(anchor_.col, col), std::max(anchor_.col, col));
        break;
    case Drag::None:
        break;
    }
}

bool GridView::isSelected(const CellPos& hit) const
{
    const CellRange s = sheet_->selection(0);
    if (hit.row == 0 && hit.col == 0)
        return true;
    if (hit.row == 0)
        return sheet_->selectionIsWholeCols() && hit.col >= s.col1 && hit.col <= s.col2;
    if (hit.col == 0)
        return sheet_->selectionIsWholeRows() && hit.row >= s.row1 && hit.row <= s.row2;
    return s.contains(hit.row, hit.col);
}

// A right click outside the selection selects what it hit, as menus act on the selection.
void GridView::selectForContextMenu(const CellPos& hit)
{
    if (!isSelected(hit))
        selectByMouse(hit, Qt::NoModifier);
    drag_ = Drag::None;
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    editor_->commit();
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) {
        sizeDrag_ = sizeBorderAt(event->position().toPoint());
        if (sizeDrag_)
            return;
    }
    const std::optional<CellPos> hit = cellAt(event->position().toPoint());
    if (!hit)
        return;
    const SelectionState before = selectionState();
    if (event->button() == Qt::LeftButton) {
        selectByMouse(*hit, event->modifiers());
        emitIfSelectionChanged(before);
        emit clicked(hit->row, hit->col);
    } else if (event->button() == Qt::RightButton) {
        selectForContextMenu(*hit);
        emitIfSelectionChanged(before);
        emit rightClicked(hit->row, hit->col);
    }
}

void GridView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (sizeDrag_) {
        dragSize(point);
        return;
    }
    if (sizeLimits_ && !(event->buttons() & Qt::LeftButton)) {
        const std::optional<SizeDrag> border = sizeBorderAt(point);
        if (border)
            viewport()->setCursor(border->along == Qt::Horizontal ? Qt::SplitHCursor : Qt::SplitVCursor);
        else
            viewport()->unsetCursor();
    }
    if (!sheet_ || drag_ == Drag::None || !(event->buttons() & Qt::LeftButton))
        return;
    const SelectionState before = selectionState();
    extendByDrag(point);
    emitIfSelectionChanged(before);
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (sizeDrag_) {
        sizeDrag_.reset();
        return;
    }
    drag_ = Drag::None;
    const QPoint point = event->position().toPoint();
    emit mouseClicked(mouseButtonCode(event->button()), shiftCode(event->modifiers()), point.x(), point.y());
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const std::optional<CellPos> hit = cellAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && hit && hit->row > 0 && hit->col > 0)
        startEdit();
}

void GridView::moveByKey(CellMove move, bool extend)
{
    const int pageRows = visibleRowCount();
    if (move == CellMove::PageDown)
        setTopRow(topRow() + pageRows);
    else if (move == CellMove::PageUp)
        setTopRow(topRow() - pageRows);
    if (extend) {
        anchor_ = CellPos { sheet_->activeRow(), sheet_->activeCol() };
        extent_ = movedCell(*sheet_, extent_, move, pageRows);
        sheet_->select(anchor_.row, anchor_.col, extent_.row, extent_.col);
        sheet_->setActiveCell(anchor_.row, anchor_.col);
        ensureVisible(extent_);
    } else {
        const CellPos to
            = movedCell(*sheet_, CellPos { sheet_->activeRow(), sheet_->activeCol() }, move, pageRows);
        sheet_->select(CellRange::cell(to.row, to.col));
        extent_ = anchor_ = CellPos { sheet_->activeRow(), sheet_->activeCol() };
        ensureVisible(anchor_);
    }
}

// Tab would move the focus to the next widget before keyPressEvent sees it.
bool GridView::event(QEvent* event)
{
    if (tabMovesCell_ && sheet_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isTabKey(*key) && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    if (!sheet_) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    if (const std::optional<CellMove> move = keyMove(*event, tabMovesCell_)) {
        const SelectionState before = selectionState();
        if (before.ranges.size() != 1 || !before.ranges.front().contains(extent_.row, extent_.col))
            extent_ = before.active;
        // Shift+Tab moves left; Shift with the other moving keys grows the selection.
        moveByKey(*move, (event->modifiers() & Qt::ShiftModifier) && !isTabKey(*event));
        emitIfSelectionChanged(before);
    } else if (event->key() == Qt::Key_F2) {
        startEdit();
    } else if (startsEntry(*event) && startEditWith(event->text())) {
        return;
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void GridView::ensureVisible(const CellPos& cell)
{
    const Frame f = frame();
    const qint64 cellsHeight = qint64((viewport()->height() - f.colBand) / scale());
    const qint64 cellsWidth = qint64((viewport()->width() - f.rowBand) / scale());
    if (cell.row < topRow()) {
        setTopRow(cell.row);
    } else if (layout_.rows.offset(cell.row + 1) - layout_.rows.offset(topRow()) > cellsHeight) {
        const int top = layout_.rows.indexAt(layout_.rows.offset(cell.row + 1) - cellsHeight);
        setTopRow(std::min(cell.row, top + 1));
    }
    if (cell.col < leftCol()) {
        setLeftCol(cell.col);
    } else if (layout_.cols.offset(cell.col + 1) - layout_.cols.offset(leftCol()) > cellsWidth) {
        const int left = layout_.cols.indexAt(layout_.cols.offset(cell.col + 1) - cellsWidth);
        setLeftCol(std::min(cell.col, left + 1));
    }
}

void GridView::showActiveCell()
{
    if (sheet_)
        ensureVisible(CellPos { sheet_->activeRow(), sheet_->activeCol() });
}

// --- sizes --------------------------------------------------------------------------------------

void GridView::setSizeDragging(std::optional<SizeLimits> limits)
{
    sizeLimits_ = limits;
    sizeDrag_.reset();
    viewport()->setMouseTracking(limits.has_value());
    if (!limits)
        viewport()->unsetCursor();
}

// The column whose right border (the row whose lower border) is under a point of the headings, with its
// size now; none elsewhere, for the columns before the first resizable one, or without size limits.
std::optional<GridView::SizeDrag> GridView::sizeBorderAt(const QPoint& point) const
{
    if (!sheet_ || !sizeLimits_)
        return std::nullopt;
    const Frame f = frame();
    const CellGeometry& g = f.geometry;
    if (colHeadings_ && point.y() < f.colBand && point.x() >= f.rowBand) {
        const int last = std::min(f.visible.col2, sheet_->maxCol());
        const std::optional<int> col = borderNear(point.x(), std::max(f.visible.col1, sizeLimits_->firstCol),
            last, [&](int c) { return g.x(c + 1); });
        if (col)
            return SizeDrag { Qt::Horizontal, *col, point.x(), sheet_->colWidth(*col) };
    } else if (rowHeadings_ && point.x() < f.rowBand && point.y() >= f.colBand) {
        const int last = std::min(f.visible.row2, sheet_->maxRow());
        const std::optional<int> row
            = borderNear(point.y(), f.visible.row1, last, [&](int r) { return g.y(r + 1); });
        if (row)
            return SizeDrag { Qt::Vertical, *row, point.y(), sheet_->rowHeight(*row) };
    }
    return std::nullopt;
}

void GridView::dragSize(const QPoint& point)
{
    const SizeDrag& drag = *sizeDrag_;
    const int pixel = drag.along == Qt::Horizontal ? point.x() : point.y();
    const int twips = std::clamp(int(std::lround(drag.startTwips + (pixel - drag.startPixel) / scale())),
        sizeLimits_->minTwips, sizeLimits_->maxTwips);
    if (drag.along == Qt::Horizontal)
        sheet_->setColWidth(drag.index, twips);
    else
        sheet_->setRowHeight(drag.index, twips);
    refresh();
}

// --- editing ------------------------------------------------------------------------------------

void GridView::setAllowEdit(bool allow)
{
    allowEdit_ = allow;
    if (!allow)
        editor_->commit();
}

bool GridView::isEditing() const
{
    return editor_->isOpen();
}

bool GridView::startEdit()
{
    return sheet_ && startEditWith(sheet_->entry(sheet_->activeRow(), sheet_->activeCol()));
}

bool GridView::startEditWith(const QString& text)
{
    if (!allowEdit_ || !sheet_)
        return false;
    editing_ = CellPos { sheet_->activeRow(), sheet_->activeCol() };
    ensureVisible(editing_);
    const Frame f = frame();
    const QRect cells
        = QRectF(QPointF(f.rowBand, f.colBand), QPointF(viewport()->width(), viewport()->height())).toRect();
    const QRect rect = cellRect(editing_.row, editing_.col).adjusted(1, 1, 0, 0).intersected(cells);
    editor_->open(text, rect, deviceFont(sheet_->format(editing_.row, editing_.col), scale(), viewport()));
    return true;
}

void GridView::storeEntry(const QString& entry, std::optional<CellMove> then)
{
    if (sheet_) {
        sheet_->setEntry(editing_.row, editing_.col, entry);
        emit cellEdited(editing_.row, editing_.col);
        if (then) {
            const SelectionState before = selectionState();
            moveByKey(*then, false);
            emitIfSelectionChanged(before);
        }
    }
    endEditing();
}

void GridView::endEditing()
{
    setFocus(Qt::OtherFocusReason);
    refresh();
}

} // namespace platform::grid

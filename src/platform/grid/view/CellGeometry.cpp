#include "CellGeometry.h"

#include <cmath>

namespace platform::grid
{

CellGeometry::CellGeometry(
    const SheetLayout& layout, int firstRow, int firstCol, QPointF origin, double scale)
    : layout_(&layout)
    , firstRow_(firstRow)
    , firstCol_(firstCol)
    , origin_(origin)
    , scale_(scale)
    , rowBase_(layout.rows.offset(firstRow))
    , colBase_(layout.cols.offset(firstCol))
{
}

double CellGeometry::x(int col) const
{
    return origin_.x() + std::round(double(layout_->cols.offset(col) - colBase_) * scale_);
}

double CellGeometry::y(int row) const
{
    return origin_.y() + std::round(double(layout_->rows.offset(row) - rowBase_) * scale_);
}

QRectF CellGeometry::rect(const CellRange& cells) const
{
    return QRectF(QPointF(x(cells.col1), y(cells.row1)), QPointF(x(cells.col2 + 1), y(cells.row2 + 1)));
}

QSizeF CellGeometry::sizeTwips(const CellRange& cells) const
{
    return QSizeF(double(layout_->cols.offset(cells.col2 + 1) - layout_->cols.offset(cells.col1)),
        double(layout_->rows.offset(cells.row2 + 1) - layout_->rows.offset(cells.row1)));
}

int CellGeometry::colAt(double px) const
{
    return layout_->cols.indexAt(colBase_ + qint64(std::floor((px - origin_.x()) / scale_)));
}

int CellGeometry::rowAt(double py) const
{
    return layout_->rows.indexAt(rowBase_ + qint64(std::floor((py - origin_.y()) / scale_)));
}

} // namespace platform::grid

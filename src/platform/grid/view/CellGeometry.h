#pragma once

#include "AxisLayout.h"
#include "platform/grid/GridTypes.h"

#include <QPointF>
#include <QRectF>

namespace platform::grid
{

// Device positions of the cells of a sheet drawn with the cell (firstRow, firstCol) at `origin` and
// `scale` device units per twip. Edges fall on whole device units, so lines stay sharp on screen and
// neighbouring cells share their edge exactly.
class CellGeometry
{
public:
    CellGeometry(const SheetLayout& layout, int firstRow, int firstCol, QPointF origin, double scale);

    double x(int col) const; // left edge of the column
    double y(int row) const; // top edge of the row
    QRectF rect(const CellRange& cells) const;
    QRectF rect(int row, int col) const { return rect(CellRange::cell(row, col)); }
    QSizeF sizeTwips(const CellRange& cells) const; // the cells' own size, before scaling and rounding
    // The column (row) under a device position: count + 1 past the last one, firstCol (firstRow)
    // never less than 1.
    int colAt(double x) const;
    int rowAt(double y) const;

    double scale() const { return scale_; }
    QPointF origin() const { return origin_; }
    int firstRow() const { return firstRow_; }
    int firstCol() const { return firstCol_; }
    const SheetLayout& layout() const { return *layout_; }

private:
    const SheetLayout* layout_;
    int firstRow_;
    int firstCol_;
    QPointF origin_;
    double scale_;
    qint64 rowBase_;
    qint64 colBase_;
};

} // namespace platform::grid

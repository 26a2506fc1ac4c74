#pragma once

#include "CellGeometry.h"

#include <QFont>
#include <utility>

class QPainter;
class QPaintDevice;

namespace platform::grid
{

// Column letters above and row numbers beside the cells that a CellGeometry places, in bands that
// grow and shrink with the zoom like the cells. Headings of selected rows or columns are marked.
class HeadingPainter
{
public:
    HeadingPainter(const CellGeometry& geometry, const QPaintDevice* device);

    double columnBandHeight() const;
    double rowBandWidth(int lastRow) const; // wide enough for the number of the last row shown

    // `selected` is the first and last selected column (row); {0, 0} for none.
    void paintColumns(QPainter& painter, int col1, int col2, double top, std::pair<int, int> selected) const;
    void paintRows(
        QPainter& painter, int row1, int row2, double left, double width, std::pair<int, int> selected) const;
    void paintCorner(QPainter& painter, const QRectF& rect) const;

private:
    void paintHeading(QPainter& painter, const QRectF& rect, const QString& text, bool selected) const;

    const CellGeometry& geometry_;
    QFont font_;
    const QPaintDevice* device_;
};

} // namespace platform::grid

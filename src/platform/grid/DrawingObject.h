#pragma once

#include "GridTypes.h"
#include <QImage>
#include <QString>

namespace platform::grid
{

// A picture over a cell rectangle: it covers the anchor's cells exactly.
struct DrawingObject {
    int id = 0;
    CellRange anchor;
    QImage image;
    QString sourcePath; // the file it was read from, when known
};

} // namespace platform::grid

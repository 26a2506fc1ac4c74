#pragma once

#include "platform/grid/CellFormat.h"

#include <QHash>
#include <QList>

namespace platform::grid::io {

// The distinct cell formats of a sheet, each numbered once in the order first seen. Writers keep
// one style per entry and refer to it by number instead of repeating the format for every cell.
class FormatTable {
public:
    int add(const CellFormat& format);
    const QList<CellFormat>& formats() const { return formats_; }
    int size() const { return int(formats_.size()); }

private:
    QHash<CellFormat, int> index_;
    QList<CellFormat> formats_;
    int lastIndex_ = -1; // neighbouring cells mostly share a format: try the last one first
};

size_t qHash(const CellFormat& format, size_t seed = 0);

} // namespace platform::grid::io

namespace platform::grid {
using io::qHash;
}

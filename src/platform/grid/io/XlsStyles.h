#pragma once

#include "BiffWriter.h"
#include "FormatTable.h"

namespace platform::grid::io {

// The workbook's formatting records: cell formats become XF records, which refer to FONT, FORMAT
// (number formats) and palette entries.
class XlsStyles {
public:
    // XF 0-14 are the cell styles the file format requires, 15 the plain cell.
    static constexpr quint16 kDefaultXf = 15;

    quint16 xfIndex(const CellFormat& format); // registers the format on first use
    // FONT, FORMAT, XF, STYLE and PALETTE records, in the order the globals need them.
    void write(BiffWriter& out) const;

private:
    FormatTable formats_;
};

} // namespace platform::grid::io

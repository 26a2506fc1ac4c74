#pragma once

#include "BiffWriter.h"
#include "platform/grid/CellFormat.h"

#include <QList>

namespace platform::grid::io
{

// The workbook's formatting records: cell formats become XF records, which refer to FONT, FORMAT
// (number formats) and palette entries.
class XlsStyles
{
public:
    // XF 0-14 are the cell styles the file format requires, 15 the plain cell.
    static constexpr quint16 kDefaultXf = 15;

    // The cell XF of the format: the one given before for an equal format, else a new one (the plain
    // cell's once the file format's limit is reached). Callers keep what it returns for their styles.
    quint16 xfFor(const CellFormat& format);
    // FONT, FORMAT, XF, STYLE and PALETTE records, in the order the globals need them.
    void write(BiffWriter& out) const;

private:
    QList<CellFormat> formats_; // of the cell XFs from 16 on
};

} // namespace platform::grid::io

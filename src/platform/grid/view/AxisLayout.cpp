#include "AxisLayout.h"

#include "platform/grid/Sheet.h"

#include <algorithm>

namespace platform::grid
{

qint64 AxisLayout::offset(int index) const
{
    return starts_[size_t(std::clamp(index - 1, 0, count()))];
}

int AxisLayout::indexAt(qint64 offset) const
{
    if (offset < 0)
        return 1;
    // The last start at or before the position; hidden indices share their start with the next one.
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
    return std::min(int(after - starts_.begin()), count() + 1);
}

void SheetLayout::update(const Sheet& sheet)
{
    if (sheet_ == &sheet && revision_ == sheet.revision())
        return;
    rows.rebuild(sheet.maxRow(), [&sheet](int row) { return sheet.rowHeight(row); });
    cols.rebuild(sheet.maxCol(), [&sheet](int col) { return sheet.colWidth(col); });
    sheet_ = &sheet;
    revision_ = sheet.revision();
}

} // namespace platform::grid

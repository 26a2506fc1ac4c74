#pragma once

#include <QtGlobal>
#include <vector>

namespace platform::grid
{

class Sheet;

// Where the rows (or the columns) of a sheet start, in twips from the first one: a table of running
// sums, so that the position of row 150,000 and the row under a position are found at once.
class AxisLayout
{
public:
    // Sizes of the indices 1..count as sizeOf(index) gives them.
    template <typename SizeOf> void rebuild(int count, SizeOf sizeOf)
    {
        starts_.assign(size_t(count) + 1, 0);
        for (int i = 1; i <= count; ++i)
            starts_[size_t(i)] = starts_[size_t(i) - 1] + sizeOf(i);
    }

    int count() const { return int(starts_.size()) - 1; }
    // Start of the index (1..count + 1, where count + 1 is the far end); clamped outside that span.
    qint64 offset(int index) const;
    qint64 total() const { return starts_.empty() ? 0 : starts_.back(); }
    int size(int index) const { return int(offset(index + 1) - offset(index)); }
    // The index whose span holds the position; count + 1 at or past the far end, 1 before the start.
    // Indices of size 0 (hidden) never hold a position.
    int indexAt(qint64 offset) const;

private:
    std::vector<qint64> starts_ { 0 };
};

// The row and column tables of one sheet, rebuilt only when the sheet has changed since.
class SheetLayout
{
public:
    void update(const Sheet& sheet);
    void invalidate() { sheet_ = nullptr; }

    AxisLayout rows;
    AxisLayout cols;

private:
    const Sheet* sheet_ = nullptr;
    quint64 revision_ = 0;
};

} // namespace platform::grid

#pragma once

#include <functional>
#include <optional>
#include <QList>
#include <QString>

namespace platform::grid
{
class Sheet;
}

// The ROWHEIGHT and COLWIDTH rows of report_format: lists of "@" + row or column number + "|2|" + size
// in twips, each stored list at most 255 characters long.
namespace store
{

constexpr int MaxSizeListLength = 255;

// One item of a stored list: a row or column number and its size in twips, as stored (a size may hold a
// fraction, which each use rounds to whole twips).
struct SizeItem {
    int index = 0;
    double twips = 0;

    bool operator==(const SizeItem&) const = default;
};

struct PropertyItem;

// One item of a list; none when its index is no 32-bit whole number or its size no number.
std::optional<SizeItem> sizeItemOf(const PropertyItem& item);
// The items of a list in order, those that do not read left out.
QList<SizeItem> parseSizeList(const QString& list);

// One stored list and the first and last index whose size it holds.
struct SizeListChunk {
    int first = 0;
    int last = 0;
    QString list;
};

// The lists for the indexes first..last in ascending order, split before the item that would make a list
// longer than 255 characters. When first is after last there is one chunk with an empty list (first and
// last as given).
QList<SizeListChunk> sizeListChunks(int first, int last, const std::function<int(int index)>& sizeOf);

// Sets the sizes of stored items on the grid, each rounded to whole twips (halves to the even one); an
// item whose size is beyond 16 bits or whose index lies outside the sheet is skipped.
void SetGridRowHeights(platform::grid::Sheet& grid, const QList<SizeItem>& items);
void SetGridColWidths(platform::grid::Sheet& grid, const QList<SizeItem>& items);

} // namespace store

#pragma once

#include <functional>
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

// Sets the sizes of a stored list on the grid; sizes with a fraction are rounded to whole twips. Items
// that do not read as an index and a size are skipped.
void SetGridRowHeights(platform::grid::Sheet& grid, const QString& list);
void SetGridColWidths(platform::grid::Sheet& grid, const QString& list);

} // namespace store

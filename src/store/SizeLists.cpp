#include "store/SizeLists.h"

#include "platform/Error.h"
#include "platform/grid/Sheet.h"
#include "store/clsPropertyHandle.h"
#include "store/PropertyItems.h"
#include "store/TextConvert.h"

namespace store
{

namespace
{

void applySizes(const QList<SizeItem>& items, const std::function<void(int index, int twips)>& setSize)
{
    for (const SizeItem& item : items) {
        const std::optional<int> twips = toShort(item.twips);
        if (!twips)
            continue;
        try {
            setSize(item.index, *twips);
        } catch (const platform::Error&) {
            // an index outside the sheet: the other items still apply
        }
    }
}

} // namespace

std::optional<SizeItem> sizeItemOf(const PropertyItem& item)
{
    const std::optional<int> index = toLong(item.name);
    const std::optional<double> twips = toDouble(item.value);
    if (!index || !twips)
        return std::nullopt;
    return SizeItem { *index, *twips };
}

QList<SizeItem> parseSizeList(const QString& list)
{
    QList<SizeItem> items;
    for (const PropertyItem& item : propertyItems(list)) {
        if (const auto size = sizeItemOf(item))
            items.append(*size);
    }
    return items;
}

QList<SizeListChunk> sizeListChunks(int first, int last, const std::function<int(int index)>& sizeOf)
{
    QList<SizeListChunk> chunks;
    SizeListChunk chunk { first, last, {} };
    for (int index = first; index <= last; ++index) {
        const QString item = clsPropertyHandle::GetPropertyString(
            QString::number(index), PropertyDataType::Integer, QString::number(sizeOf(index)));
        if (chunk.list.size() + item.size() > MaxSizeListLength) {
            chunk.last = index - 1;
            chunks.append(chunk);
            chunk = { index, last, {} };
        }
        chunk.list += item;
    }
    chunks.append(chunk);
    return chunks;
}

void SetGridRowHeights(platform::grid::Sheet& grid, const QList<SizeItem>& items)
{
    applySizes(items, [&](int row, int twips) { grid.setRowHeight(row, twips); });
}

void SetGridColWidths(platform::grid::Sheet& grid, const QList<SizeItem>& items)
{
    applySizes(items, [&](int col, int twips) { grid.setColWidth(col, twips); });
}

} // namespace store

#include "engine/StoredSizes.h"

#include "engine/WholeNumbers.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "store/PropertyItems.h"
#include "store/ReportKeywords.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

#include <functional>
#include <QStringList>

namespace engine
{

namespace
{

// The stored lists of one kind, trimmed. A list is read item by item, so one whose rows straddle
// the detail band's edge still adds each row to its own side.
QStringList storedSizeLists(const QString& formatType)
{
    const auto rows = store::openStoreSql(QStringLiteral("select * from report_format where format_type=")
        + platform::db::sqlText(formatType) + QStringLiteral(" and report_id=") + store::reportIdLiteral());
    QStringList lists;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext())
        lists.append(store::trimBlanks(rows->text(QStringLiteral("format_description"))));
    return lists;
}

long long sumOfSizes(const QString& list, const std::function<bool(int index)>& counts)
{
    long long total = 0;
    for (const store::PropertyItem& item : store::propertyItems(list)) {
        if (counts(storedInt16(item.name)))
            total += storedInt16(item.value);
    }
    return total;
}

bool inDetailBand(int row)
{
    const store::ReportRegion& band = store::reportState().RegionTable[store::RegionEntry::DataDetail];
    return row >= band.beginRow && row <= band.endRow;
}

} // namespace

int LoadColWidths()
{
    long long total = 0;
    for (const QString& list : storedSizeLists(store::keywords::ColWidth))
        total += ParseColWidths(list);
    return fitInt32(total);
}

int ParseColWidths(const QString& list)
{
    return fitInt32(sumOfSizes(list, [](int) { return true; }));
}

int LoadRowHeights()
{
    long long total = 0;
    for (const QString& list : storedSizeLists(store::keywords::RowHeight))
        total += ParseRowHeights(list);
    return fitInt32(total);
}

int ParseRowHeights(const QString& list)
{
    return fitInt32(sumOfSizes(list, [](int row) { return !inDetailBand(row); }));
}

int GetRowsHeight()
{
    long long total = 0;
    for (const QString& list : storedSizeLists(store::keywords::RowHeight)) {
        try {
            total += GetRowHeightValue(list);
        } catch (const std::exception&) {
            // A list that does not read adds nothing to the block's height.
        }
    }
    return fitInt16(total);
}

int GetRowHeightValue(const QString& list)
{
    return fitInt16(sumOfSizes(list, inDetailBand));
}

} // namespace engine

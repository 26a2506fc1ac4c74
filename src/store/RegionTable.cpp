#include "store/RegionTable.h"

#include "platform/Error.h"
#include "store/ReportKeywords.h"
#include "store/TextConvert.h"

namespace store
{

namespace
{

struct EntryKeyword {
    RegionEntry entry;
    const QString& infoType;
    int infoOrder;
};

const std::array<EntryKeyword, RegionEntryCount>& entryKeywords()
{
    static const std::array<EntryKeyword, RegionEntryCount> table { {
        { RegionEntry::ReportHead, keywords::ReportHead, 1 },
        { RegionEntry::PageHead, keywords::PageHead, 1 },
        { RegionEntry::GroupHead1, keywords::GroupHead, 1 },
        { RegionEntry::GroupHead2, keywords::GroupHead, 2 },
        { RegionEntry::GroupHead3, keywords::GroupHead, 3 },
        { RegionEntry::DataDetail, keywords::DataDetail, 1 },
        { RegionEntry::GroupTail3, keywords::GroupTail, 3 },
        { RegionEntry::GroupTail2, keywords::GroupTail, 2 },
        { RegionEntry::GroupTail1, keywords::GroupTail, 1 },
        { RegionEntry::PageTail, keywords::PageTail, 1 },
        { RegionEntry::ReportTail, keywords::ReportTail, 1 },
    } };
    return table;
}

bool isGroupKeyword(const QString& infoType)
{
    return infoType == keywords::GroupHead || infoType == keywords::GroupTail;
}

} // namespace

StoredRegionKey storedKeyOf(RegionEntry entry)
{
    const auto& row = entryKeywords()[static_cast<int>(entry) - 1];
    return { row.infoType, row.infoOrder };
}

std::optional<RegionEntry> entryOfStored(const QString& infoType, int infoOrder)
{
    const QString type = trimBlanks(infoType);
    const bool group = isGroupKeyword(type);
    for (const auto& row : entryKeywords()) {
        if (row.infoType == type && (!group || row.infoOrder == infoOrder))
            return row.entry;
    }
    return std::nullopt;
}

bool isRegionKeyword(const QString& infoType)
{
    // Every region keyword has an entry at level 1.
    return entryOfStored(infoType, 1).has_value();
}

const std::array<RegionEntry, RegionEntryCount>& regionSaveOrder()
{
    static const std::array<RegionEntry, RegionEntryCount> order { RegionEntry::ReportHead,
        RegionEntry::ReportTail, RegionEntry::PageHead, RegionEntry::PageTail, RegionEntry::GroupHead1,
        RegionEntry::GroupTail1, RegionEntry::GroupHead2, RegionEntry::GroupTail2, RegionEntry::GroupHead3,
        RegionEntry::GroupTail3, RegionEntry::DataDetail };
    return order;
}

std::optional<RegionRows> parseRegionText(const QString& text)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return std::nullopt;
    const auto begin = toShort(text.left(colon));
    const auto end = toShort(text.mid(colon + 1));
    if (!begin || !end)
        return std::nullopt;
    return RegionRows { *begin, *end };
}

QString formatRegionText(int beginRow, int endRow)
{
    return QString::number(beginRow) + QLatin1Char(':') + QString::number(endRow);
}

ReportRegion& RegionTable::operator[](int entry)
{
    return entries_.at(entry - 1);
}

const ReportRegion& RegionTable::operator[](int entry) const
{
    return entries_.at(entry - 1);
}

void RegionTable::clear()
{
    entries_.fill(ReportRegion {});
}

void RegionTable::setFromStored(const QString& infoType, const QString& regionText, int infoOrder)
{
    const auto rows = parseRegionText(regionText);
    if (!rows)
        throw platform::Error(platform::errors::InvalidArgument, QStringLiteral("RegionTable"),
            QStringLiteral("区域描述不正确：") + regionText);
    if (const auto entry = entryOfStored(infoType, infoOrder))
        (*this)[*entry] = ReportRegion { true, rows->beginRow, rows->endRow };
}

} // namespace store

#pragma once

#include <array>
#include <optional>
#include <QString>

namespace store
{

// One region of a data-report design sheet: the design rows begin..end, inclusive.
// An absent region holds present false and both rows 0.
struct ReportRegion {
    bool present = false;
    int beginRow = 0;
    int endRow = 0;

    bool holds(int row) const { return present && row >= beginRow && row <= endRow; }
    bool operator==(const ReportRegion&) const = default;
};

// The eleven regions in sheet order, top to bottom. The head of group level n is entry n + 2, its tail
// entry 10 - n; the partner of entry i (head and tail of the same kind) is entry 12 - i.
enum class RegionEntry {
    ReportHead = 1,
    PageHead = 2,
    GroupHead1 = 3,
    GroupHead2 = 4,
    GroupHead3 = 5,
    DataDetail = 6,
    GroupTail3 = 7,
    GroupTail2 = 8,
    GroupTail1 = 9,
    PageTail = 10,
    ReportTail = 11,
};

constexpr int RegionEntryCount = 11;
constexpr int MaxGroupLevel = 3;

constexpr int groupHeadEntry(int level)
{
    return level + 2;
}
constexpr int groupTailEntry(int level)
{
    return 10 - level;
}
constexpr int partnerEntry(int entry)
{
    return 12 - entry;
}

// How a region is stored in report_info: its info_type keyword and info_order (the group level for
// group heads and tails, 1 otherwise).
struct StoredRegionKey {
    QString infoType;
    int infoOrder = 1;
};
StoredRegionKey storedKeyOf(RegionEntry entry);

// The entry a stored region row fills; none for an unknown keyword or a group level outside 1 to 3.
std::optional<RegionEntry> entryOfStored(const QString& infoType, int infoOrder);

// True for the keywords of the region rows (in upper case), whatever their level.
bool isRegionKeyword(const QString& infoType);

// The order in which the designer writes the region rows: report head and tail, page head and tail,
// then group head and tail of levels 1, 2 and 3, the detail band last.
const std::array<RegionEntry, RegionEntryCount>& regionSaveOrder();

// Region text "begin:end". Parsing returns none for a text without ":" or with a part that is not a
// whole number.
struct RegionRows {
    int beginRow = 0;
    int endRow = 0;
};
std::optional<RegionRows> parseRegionText(const QString& text);
QString formatRegionText(int beginRow, int endRow);

class RegionTable
{
public:
    // Entries are numbered 1 to 11 as in sheet order.
    ReportRegion& operator[](int entry);
    const ReportRegion& operator[](int entry) const;
    ReportRegion& operator[](RegionEntry entry) { return (*this)[static_cast<int>(entry)]; }
    const ReportRegion& operator[](RegionEntry entry) const { return (*this)[static_cast<int>(entry)]; }

    void clear();

    // Fills the entry of a stored region row (info_type, "begin:end", info_order). An unknown keyword
    // or a group level outside 1 to 3 changes nothing; a malformed region text throws platform::Error.
    void setFromStored(const QString& infoType, const QString& regionText, int infoOrder);

    bool operator==(const RegionTable&) const = default;

private:
    std::array<ReportRegion, RegionEntryCount> entries_ {};
};

} // namespace store

#include "platform/Error.h"
#include "store/RegionTable.h"

#include <gtest/gtest.h>
#include <set>

using namespace store;

TEST(RegionTable, HeadsTailsAndPartnersFollowSheetOrder)
{
    for (int level = 1; level <= MaxGroupLevel; ++level) {
        EXPECT_EQ(partnerEntry(groupHeadEntry(level)), groupTailEntry(level));
        EXPECT_EQ(storedKeyOf(RegionEntry(groupHeadEntry(level))).infoOrder, level);
        EXPECT_EQ(storedKeyOf(RegionEntry(groupTailEntry(level))).infoType, QStringLiteral("GROUP_TAIL"));
    }
    EXPECT_EQ(partnerEntry(int(RegionEntry::ReportHead)), int(RegionEntry::ReportTail));
    EXPECT_EQ(partnerEntry(int(RegionEntry::PageHead)), int(RegionEntry::PageTail));
    EXPECT_EQ(partnerEntry(int(RegionEntry::DataDetail)), int(RegionEntry::DataDetail));
}

TEST(RegionTable, StoredRowsFillTheirEntries)
{
    struct Case {
        const char* infoType;
        int infoOrder;
        const char* text;
        int entry; // 0: no entry filled
        int begin;
        int end;
    };
    const Case cases[] = {
        { "REPORT_HEAD", 1, "1:2", 1, 1, 2 },
        { "PAGE_HEAD", 1, "3:3", 2, 3, 3 },
        { "GROUP_HEAD", 1, "4:4", 3, 4, 4 },
        { "GROUP_HEAD", 2, "5:5", 4, 5, 5 },
        { "GROUP_HEAD", 3, "6:6", 5, 6, 6 },
        { "DATA_DETAIL", 1, "7:8", 6, 7, 8 },
        { "GROUP_TAIL", 3, "9:9", 7, 9, 9 },
        { "GROUP_TAIL", 2, "12:12", 8, 12, 12 },
        { "GROUP_TAIL", 1, "13:13", 9, 13, 13 },
        { "PAGE_TAIL", 1, "14:14", 10, 14, 14 },
        { "REPORT_TAIL", 1, " 15 : 16 ", 11, 15, 16 },
        { " DATA_DETAIL ", 7, "2:3", 6, 2, 3 },
        { "GROUP_TAIL", 4, "1:1", 0, 0, 0 },
        { "GROUP_HEAD", 0, "1:1", 0, 0, 0 },
        { "SQL_ORDER", 1, "1:1", 0, 0, 0 },
    };
    for (const auto& c : cases) {
        RegionTable table;
        table.setFromStored(QString::fromUtf8(c.infoType), QString::fromUtf8(c.text), c.infoOrder);
        RegionTable expected;
        if (c.entry)
            expected[c.entry] = ReportRegion { true, c.begin, c.end };
        EXPECT_EQ(table, expected) << c.infoType << " " << c.infoOrder;
    }
}

TEST(RegionTable, MalformedRegionTextIsRefused)
{
    RegionTable table;
    for (const char* text : { "12", "a:3", "3:", "" })
        EXPECT_THROW(
            table.setFromStored(QStringLiteral("PAGE_HEAD"), QString::fromUtf8(text), 1), platform::Error)
            << text;
    EXPECT_EQ(table, RegionTable {});
}

TEST(RegionTable, RegionTextRoundTripsAndClearEmptiesEveryEntry)
{
    const auto rows = parseRegionText(formatRegionText(8, 17));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->beginRow, 8);
    EXPECT_EQ(rows->endRow, 17);

    RegionTable table;
    for (int entry = 1; entry <= RegionEntryCount; ++entry)
        table[entry] = ReportRegion { true, entry, entry + 1 };
    table.clear();
    EXPECT_EQ(table, RegionTable {});
}

TEST(RegionTable, SaveOrderWritesEveryEntryOnce)
{
    std::set<RegionEntry> seen(regionSaveOrder().begin(), regionSaveOrder().end());
    EXPECT_EQ(seen.size(), std::size_t(RegionEntryCount));
    EXPECT_EQ(regionSaveOrder().front(), RegionEntry::ReportHead);
    EXPECT_EQ(regionSaveOrder().back(), RegionEntry::DataDetail);
}

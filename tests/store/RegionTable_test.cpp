#include "platform/Error.h"
#include "store/RegionTable.h"

#include <gtest/gtest.h>
#include <set>

using namespace store;

// Every entry is stored under a key that fills that entry again; a head's partner is the tail of its
// kind, and the save writes every entry once.
TEST(RegionTable, StoredKeysAndRegionTextsRoundTrip)
{
    for (int entry = 1; entry <= RegionEntryCount; ++entry) {
        const StoredRegionKey key = storedKeyOf(RegionEntry(entry));
        RegionTable table;
        table.setFromStored(key.infoType, formatRegionText(entry, entry + 10), key.infoOrder);
        RegionTable expected;
        expected[entry] = ReportRegion { true, entry, entry + 10 };
        EXPECT_EQ(table, expected) << entry;

        const StoredRegionKey partner = storedKeyOf(RegionEntry(partnerEntry(entry)));
        EXPECT_EQ(
            QString(partner.infoType).replace("TAIL", "HEAD"), QString(key.infoType).replace("TAIL", "HEAD"));
        EXPECT_EQ(partner.infoType == key.infoType, entry == int(RegionEntry::DataDetail)) << entry;
        EXPECT_EQ(partner.infoOrder, key.infoOrder) << entry;
        table.clear();
        EXPECT_EQ(table, RegionTable {});
    }
    for (int level = 1; level <= MaxGroupLevel; ++level)
        EXPECT_EQ(storedKeyOf(RegionEntry(groupHeadEntry(level))).infoOrder, level);
    EXPECT_EQ(storedKeyOf(RegionEntry::DataDetail).infoType, QStringLiteral("DATA_DETAIL"));
    EXPECT_EQ(std::set<RegionEntry>(regionSaveOrder().begin(), regionSaveOrder().end()).size(),
        std::size_t(RegionEntryCount));
}

TEST(RegionTable, StoredRowsOutsideTheKeysFillNothingAndMalformedTextIsRefused)
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
        { "REPORT_TAIL", 1, " 15 : 16 ", 11, 15, 16 },
        { " DATA_DETAIL ", 7, "2:3", 6, 2, 3 },
        { "GROUP_TAIL", 3, "9:9", 7, 9, 9 },
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

    RegionTable table;
    for (const char* text : { "12", "a:3", "3:", "" })
        EXPECT_THROW(
            table.setFromStored(QStringLiteral("PAGE_HEAD"), QString::fromUtf8(text), 1), platform::Error)
            << text;
    EXPECT_EQ(table, RegionTable {});
}

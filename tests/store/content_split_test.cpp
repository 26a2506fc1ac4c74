#include "DesignFixture.h"

#include "store/CellContentStore.h"
#include "store/ContentSplit.h"
#include "store/DefinitionReader.h"
#include "store/ReportDefinition.h"

using namespace storetest;

namespace
{

const QString Emoji = QString::fromUtf8("😀"); // outside GBK: 4 bytes
const QString Chinese = QStringLiteral("档");

QString times(const QString& text, int count)
{
    return text.repeated(count);
}

TEST(ContentSplit, SplitsAfterTheLongestBeginningOf255Bytes)
{
    const struct {
        const char* label;
        QString content;
        int firstLength; // UTF-16 units in data_description1
    } cases[] = {
        { "255 ASCII characters stay whole", times("a", 255), 255 },
        { "256 split 255 + 1", times("a", 256), 255 },
        { "200 Chinese characters: 127 (254 bytes) + 73", times(Chinese, 200), 127 },
        { "a split never cuts a character outside GBK", times("a", 253) + Emoji + "z", 253 },
        { "a character outside GBK counts 4 bytes", times("a", 251) + Emoji + "z", 253 },
        { "blanks at the split stay in the second part", times("a", 250) + "     b" + times("c", 10), 250 },
        { "a no-break space counts 4 bytes", times("a", 252) + QChar(0x00A0) + "b", 252 },
    };
    for (const auto& c : cases) {
        const store::ContentParts parts = store::splitContent(c.content);
        EXPECT_EQ(parts.first.size(), c.firstLength) << c.label;
        EXPECT_LE(store::gbkByteLength(parts.first), store::MaxFirstPartBytes) << c.label;
        EXPECT_FALSE(parts.first.endsWith(QLatin1Char(' '))) << c.label;
        EXPECT_EQ(parts.first + parts.rest, c.content) << c.label;
        EXPECT_EQ(store::joinContent(parts.first, parts.rest), c.content) << c.label;
    }
}

class StoredContent : public DesignTest
{
};

TEST_P(StoredContent, LongContentsReadBackExactly)
{
    store::reportState().ReportId = QStringLiteral("20240301100000000009");
    const QString contents[] = {
        QStringLiteral("@A|") + times(Chinese, 200),
        QStringLiteral("@G|select ") + times("x", 248) + QStringLiteral("   , y from t"),
        QStringLiteral("@A|") + times(Emoji + Chinese, 80) + QStringLiteral(" end"),
    };
    platform::grid::Sheet grid;
    for (int row = 1; row <= 3; ++row)
        grid.setText(row, 1, contents[row - 1]);
    store::GetRptDataInfo(grid, 1, 1, 3, 1);

    const auto stored = reportRows(
        "report_data", "row_no,data_type,data_description1,data_description2", store::reportState().ReportId);
    ASSERT_EQ(stored.size(), 3);
    for (const QStringList& row : stored) {
        EXPECT_EQ(row[1], QStringLiteral("AGA").mid(row[0].toInt() - 1, 1));
        EXPECT_LE(store::gbkByteLength(row[2]), store::MaxFirstPartBytes);
        EXPECT_FALSE(row[3].isEmpty());
    }

    platform::grid::Sheet loaded;
    store::LoadRptData(loaded, *store::ReadReportDefinition(store::reportState().ReportId));
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(loaded.entry(row, 1), contents[row - 1]) << row;
}

STORE_TEST_SUITE(StoredContent);

} // namespace

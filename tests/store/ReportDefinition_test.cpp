#include "StoreFixture.h"

#include "platform/db/SqlLiteral.h"
#include "store/CustomPaper.h"
#include "store/DefinitionReader.h"
#include "store/ReportDefinition.h"
#include "store/SizeLists.h"
#include "store/StoreSql.h"

#include <optional>

using namespace storetest;
using platform::db::sqlText;

namespace
{

const QString Id = QStringLiteral("20240301100000000011");

class ReportDefinitionTest : public StoreTest
{
protected:
    void insert(const QString& table, const QString& columns, const QString& values)
    {
        execute(QStringLiteral("insert into %1 (report_id, %2) values (%3, %4)")
                    .arg(table, columns, sqlText(Id), values));
    }
};
STORE_TEST_SUITE(ReportDefinitionTest);

// Every row of the four tables reaches the value, in its compared form where the database compares it
// (keywords, letters) and as stored where it is used as it stands (SQL pieces, contents).
TEST_P(ReportDefinitionTest, TheRowsOfTheFourTablesAreReadIntoOneValue)
{
    insert(
        "report_index", "report_name, report_type, report_group_id, note", "'目录', 1, 'wsda', '目录.docx'");
    const QString info = "info_type, info_order, info_description, note";
    insert("report_info", info, "'sql_select', 2, 'b.*', null");
    insert("report_info", info, "'SQL_SELECT', 1, 'a.*,', null");
    insert("report_info", info, "'page_size', 1, ' 256 ', ' 20|30|11200|16800 '");
    insert("report_info", info, "'DATA_DETAIL', 1, '4:5', null");
    insert("report_info", info, "'GROUP_HEAD', 2, '3:3', null");
    insert("report_info", info, "'LEFT_MARGE', 1, 'abc', null");
    const QString format = "format_order, begin_row_no, begin_col_no, end_row_no, end_col_no, format_type, "
                           "format_description";
    insert("report_format", format, "2, 1, 2, 1, 3, 'font', '@FONTBOLD|4|TRUE '");
    insert("report_format", format, "1, 1, 0, 2, 0, 'ROWHEIGHT', '@1|2|300@x|2|5@2|2|400.5'");
    const QString cell = "row_no, col_no, data_type, data_description1, data_description2";
    insert("report_data", cell, "5, 3, 'b', '@B|wsda.title', ''");
    insert("report_data", cell, "1, 2, 'A', '@A|文书', '目录'");

    const auto definition = store::ReadReportDefinition(Id);
    EXPECT_TRUE(definition->indexed);
    EXPECT_EQ(definition->name, QStringLiteral("目录"));
    EXPECT_EQ(definition->groupId, QStringLiteral("wsda"));
    EXPECT_EQ(definition->type, store::DataReport);
    EXPECT_EQ(definition->templateNote, QStringLiteral("目录.docx"));

    QStringList types;
    for (const store::StoredInfoRow& row : definition->info)
        types.append(row.type);
    types.sort();
    EXPECT_EQ(types,
        QStringList({ "DATA_DETAIL", "GROUP_HEAD", "LEFT_MARGE", "PAGE_SIZE", "SQL_SELECT", "SQL_SELECT" }));
    EXPECT_EQ(definition->sql.SqlSelect, QStringLiteral("a.*,b.*"));
    EXPECT_EQ(definition->page.PageSize, 256);
    EXPECT_EQ(definition->paperNote, QStringLiteral("20|30|11200|16800"));
    EXPECT_DOUBLE_EQ(definition->page.LeftMarge, store::keywords::defaults::LeftMarge);
    EXPECT_EQ(definition->unreadable, QStringList { QStringLiteral("页面设置 LEFT_MARGE 的值“abc”无效。") });
    EXPECT_EQ(definition->regions[store::RegionEntry::DataDetail], (store::ReportRegion { true, 4, 5 }));
    EXPECT_EQ(definition->regions[store::RegionEntry::GroupHead2], (store::ReportRegion { true, 3, 3 }));

    ASSERT_EQ(definition->formats.size(), 2);
    const store::StoredFormatRow& heights = definition->formats[0];
    EXPECT_EQ(heights.kind, QStringLiteral("ROWHEIGHT"));
    EXPECT_EQ(heights.sizes, (QList<store::SizeItem> { { 1, 300 }, { 2, 400.5 } }));
    const store::StoredFormatRow& font = definition->formats[1];
    EXPECT_EQ(QStringList({ font.kind, font.description }), QStringList({ "FONT", "@FONTBOLD|4|TRUE" }));
    EXPECT_EQ(QList<int>({ font.order, font.beginRow, font.beginCol, font.endRow, font.endCol }),
        QList<int>({ 2, 1, 2, 1, 3 }));
    EXPECT_EQ(definition->rowHeights(), heights.sizes);
    EXPECT_TRUE(definition->colWidths().isEmpty());

    // By letter, then row and column; the two stored parts of a content joined.
    ASSERT_EQ(definition->cells.size(), 2);
    EXPECT_EQ(QStringList({ definition->cells[0].letter, definition->cells[0].content }),
        QStringList({ "A", "@A|文书目录" }));
    EXPECT_EQ(QStringList({ definition->cells[1].letter, definition->cells[1].content }),
        QStringList({ "B", "@B|wsda.title" }));
    EXPECT_EQ(definition->cells[1].row, 5);

    // A report without rows reads as one.
    const auto none = store::ReadReportDefinition(QStringLiteral("absent"));
    EXPECT_FALSE(none->indexed);
    EXPECT_TRUE(none->info.isEmpty() && none->formats.isEmpty() && none->cells.isEmpty());
    EXPECT_FALSE(none->paperNote.has_value());
}

// Inside a caller's transaction the read joins it and sees what the transaction wrote; the transaction
// still commits.
TEST_P(ReportDefinitionTest, AReadInsideATransactionJoinsIt)
{
    store::runInTransaction([&] {
        insert("report_index", "report_name, report_type, report_group_id", "'新', 2, 'wsda'");
        EXPECT_EQ(store::ReadReportDefinition(Id)->name, QStringLiteral("新"));
    });
    EXPECT_EQ(scalar(QStringLiteral("select report_name from report_index")), QStringLiteral("新"));
    EXPECT_FALSE(database->connection()->inTransaction());
}

TEST(CustomPaperNote, TheFirstTwoFieldsAreThePaperInCentimetres)
{
    const struct {
        const char* note;
        std::optional<std::pair<double, double>> paper;
    } cases[] = {
        { "21|29.7|11760|16632", std::pair { 21.0, 29.7 } },
        { " 20|30 ", std::pair { 20.0, 30.0 } }, // the scaled fields are what these give
        { "20|30|1|1", std::pair { 20.0, 30.0 } },
        { "", std::nullopt },
        { "20", std::nullopt },
        { "宽|高", std::nullopt },
        { "0|30", std::nullopt },
        { "20|-1", std::nullopt },
    };
    for (const auto& c : cases) {
        const auto paper = store::parseCustomPaper(QString::fromUtf8(c.note));
        ASSERT_EQ(paper.has_value(), c.paper.has_value()) << c.note;
        if (paper) {
            EXPECT_DOUBLE_EQ(paper->widthCm, c.paper->first) << c.note;
            EXPECT_DOUBLE_EQ(paper->heightCm, c.paper->second) << c.note;
        }
    }
    EXPECT_EQ(store::customPaperNote({ 10.5, 8 }), QStringLiteral("10.5|8|5880|4480"));
}

} // namespace

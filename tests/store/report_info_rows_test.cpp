#include "DesignFixture.h"

#include "platform/Error.h"
#include "store/DefinitionReader.h"
#include "store/OrderRewrite.h"
#include "store/PageSettings.h"
#include "store/RegionRows.h"
#include "store/ReportDefinition.h"
#include "store/SqlPieces.h"

using namespace storetest;
using platform::db::sqlText;

namespace
{

const QString Id = QStringLiteral("20240301100000000005");

class ReportInfoRows : public DesignTest
{
protected:
    void SetUp() override
    {
        DesignTest::SetUp();
        store::reportState().ReportId = Id;
        execute(QStringLiteral("insert into table_struct_description (table_name, column_name) values "
                               "('wsda','piece_no'), ('wsda','title'), ('dt','id'), ('wsjn','page_no')"));
    }

    static std::shared_ptr<const store::ReportDefinition> definition()
    {
        return store::ReadReportDefinition(Id);
    }

    void addInfo(const QString& type, int order, const QString& description)
    {
        execute(QStringLiteral("insert into report_info (report_id, info_type, info_order, info_description) "
                               "values (%1,%2,%3,%4)")
                    .arg(sqlText(Id), sqlText(type), QString::number(order), sqlText(description)));
    }
};

TEST_P(ReportInfoRows, PageSettingsReadByKeyword)
{
    auto& state = store::reportState();
    state.DataRows = 33;
    state.RowCount = 77;
    store::LoadPageSettings(*definition()); // no rows: the state's are kept
    EXPECT_EQ(state.DataRows, 33);
    EXPECT_EQ(state.RowCount, 77);

    const auto number = [](auto value) { return QString::number(double(value), 'g', 15); };
    const struct {
        const char* type;
        const char* value;
        std::function<QString()> read;
        const char* expected;
    } cases[] = {
        { "DATA_ROWS", "AUTO", [&] { return number(state.DataRows); }, "-2" },
        { "DATA_ROWS", "FIX", [&] { return number(state.DataRows); }, "-1" },
        { "DATA_ROWS", " 15 ", [&] { return number(state.DataRows); }, "15" },
        { "SELF_FIT", "t", [&] { return number(state.SelfFit); }, "0" },
        { "PAGE_RECOUNT", "T", [&] { return number(state.PageRecount); }, "1" },
        { "LEFT_MARGE", "", [&] { return number(state.LeftMarge); }, "0.7875" },
        { "TOP_MARGE", "1.25", [&] { return number(state.TopMarge); }, "1.25" },
        { "PAGE_SIZE", "256", [&] { return number(state.PageSize); }, "256" },
        { "col_count", "6", [&] { return number(state.ColCount) + ' ' + number(state.DesignColCount); },
            "6 6" },
    };
    for (const auto& c : cases) {
        execute(QStringLiteral("delete from report_info"));
        addInfo(QString::fromUtf8(c.type), 1, QString::fromUtf8(c.value));
        store::LoadPageSettings(*definition());
        EXPECT_EQ(c.read(), QString::fromUtf8(c.expected)) << c.type << " " << c.value;
    }

    // Defaults apply to what the rows do not hold; a value that is no number keeps its default and is
    // named among the texts that do not read.
    execute(QStringLiteral("delete from report_info"));
    addInfo(QStringLiteral("SELF_FIT"), 1, QStringLiteral("F"));
    store::LoadPageSettings(*definition());
    EXPECT_EQ(state.DataRows, 10);
    EXPECT_EQ(state.RowCount, 50);
    EXPECT_EQ(state.PageSize, 9);
    addInfo(QStringLiteral("DATA_ROWS"), 1, QStringLiteral("fix"));
    EXPECT_EQ(definition()->page.DataRows, 10);
    EXPECT_EQ(definition()->unreadable, QStringList { QStringLiteral("页面设置 DATA_ROWS 的值“fix”无效。") });
}

TEST_P(ReportInfoRows, MissingPageRowsAreAddedAndCustomPaperKeptInTheNote)
{
    addInfo(QStringLiteral("DATA_ROWS"), 3, QStringLiteral("10"));
    auto& state = store::reportState();
    static_cast<store::PageSettings&>(state) = store::PageSettings {};
    state.DataRows = -1;
    state.RightMarge = 0.5;
    store::SavePageInfo();
    EXPECT_EQ(reportRows("report_info", "info_type,info_order,info_description", Id),
        (QList<QStringList> { { "BOTTOM_MARGE", "1", "0.39375" }, { "COL_COUNT", "1", "50" },
            { "DATA_ROWS", "1", "FIX" }, { "LEFT_MARGE", "1", "0.7875" }, { "PAGE_LANDSCAPE", "1", "F" },
            { "PAGE_RECOUNT", "1", "T" }, { "PAGE_SIZE", "1", "9" }, { "RIGHT_MARGE", "1", "0.5" },
            { "ROW_COUNT", "1", "50" }, { "SELF_FIT", "1", "T" }, { "TOP_MARGE", "1", "0.39375" } }));

    store::SaveCustomPaperSize(21, 29.7);
    EXPECT_EQ(scalar(QStringLiteral("select note from report_info where info_type='PAGE_SIZE'")),
        QStringLiteral("21|29.7|11760|16632"));
    execute(QStringLiteral("delete from report_info"));
    store::SaveCustomPaperSize(10.5, 8);
    EXPECT_EQ(reportRows("report_info", "info_type,info_order,info_description,note", Id),
        (QList<QStringList> { { "PAGE_SIZE", "1", "256", "10.5|8|5880|4480" } }));
}

TEST_P(ReportInfoRows, RegionRowsFillTheirEntries)
{
    addInfo(QStringLiteral("GROUP_TAIL"), 3, QStringLiteral("7:7"));
    addInfo(QStringLiteral("GROUP_TAIL"), 4, QStringLiteral("8:8"));
    addInfo(QStringLiteral("DATA_DETAIL"), 1, QStringLiteral("5:6"));
    auto& regions = store::reportState().RegionTable;
    regions[store::RegionEntry::ReportHead] = { true, 1, 1 };
    platform::grid::Sheet grid;
    store::LoadRegions(grid, *definition());
    store::RegionTable expected; // the report head of before is gone
    expected[store::RegionEntry::GroupTail3] = { true, 7, 7 };
    expected[store::RegionEntry::DataDetail] = { true, 5, 6 };
    EXPECT_EQ(regions, expected);

    addInfo(QStringLiteral("PAGE_HEAD"), 1, QStringLiteral("2-3"));
    EXPECT_EQ(definition()->regions, expected);
    EXPECT_EQ(definition()->unreadable, QStringList { QStringLiteral("区域描述不正确：2-3") });
}

TEST_P(ReportInfoRows, SqlPiecesJoinInTheirOrder)
{
    EXPECT_EQ(definition()->sql.SqlSelect, QString());

    addInfo(QStringLiteral("SQL_SELECT"), 1, QStringLiteral("wsda.*,"));
    addInfo(QStringLiteral("SQL_SELECT"), 2, QStringLiteral("wsjn.*"));
    addInfo(QStringLiteral("SQL_WHERE"), 1, QStringLiteral("(archive_flag='已组卷')"));
    addInfo(QStringLiteral("SQL_WHERE"), 2, QStringLiteral("wsda.x=1"));
    addInfo(QStringLiteral("SQL_ORDER"), 1, QStringLiteral("wsda.a,"));
    addInfo(QStringLiteral("SQL_ORDER"), 2, QStringLiteral(" , "));
    addInfo(QStringLiteral("SQL_ORDER"), 3, QStringLiteral("wsda.b desc"));
    addInfo(QStringLiteral("TABLES_NAME"), 1, QStringLiteral("wsda,wsjn"));
    const store::SqlPieces sql = definition()->sql;
    EXPECT_EQ(sql.SqlSelect, QStringLiteral("wsda.*,wsjn.*"));
    EXPECT_EQ(sql.SqlWhere, QStringLiteral("wsda.x=1"));
    EXPECT_EQ(sql.SqlOrder, QStringLiteral("wsda.a,wsda.b desc"));
    EXPECT_EQ(sql.TablesName, QStringLiteral("wsda,wsjn"));

    // The archive-flag test after another condition is kept.
    execute(QStringLiteral("delete from report_info"));
    addInfo(QStringLiteral("SQL_WHERE"), 1, QStringLiteral("wsda.x=1 and "));
    addInfo(QStringLiteral("SQL_WHERE"), 2, QStringLiteral("(archive_flag='已组卷')"));
    EXPECT_EQ(definition()->sql.SqlWhere, QStringLiteral("wsda.x=1 and (archive_flag='已组卷')"));
    EXPECT_TRUE(definition()->sql.SqlSelect.isEmpty());
}

TEST_P(ReportInfoRows, SortOrderDropsWholeItemsWhoseColumnIsGone)
{
    const struct {
        const char* order;
        const char* expected;
        int messages;
    } cases[] = {
        { "Convert(float,wsda.piece_no),wsda.title desc", "Convert(float,wsda.piece_no),wsda.title desc", 0 },
        { "Convert(float,wsda.piece_no),wsda.gone,Convert(float,wsjn.page_no) desc",
            "wsda.piece_no,wsjn.page_no desc", 1 },
        { "t.id,dt.id", "dt.id", 1 }, // t.id is gone, dt.id is not
        { "dt.id,t.id", "dt.id", 1 }, { "wsda.gone", "", 1 }, { "", "", 0 },
        { "piece_no,wsda.title", "piece_no,wsda.title", 0 }, // an item without a table: logged, unchanged
    };
    for (const auto& c : cases) {
        platform::ui::ScriptedUi boxes;
        QString order = QString::fromUtf8(c.order);
        store::DealSQlOrder(order);
        EXPECT_EQ(order, QString::fromUtf8(c.expected)) << c.order;
        ASSERT_EQ(int(boxes.boxes().size()), c.messages) << c.order;
        if (c.messages) {
            EXPECT_EQ(boxes.boxes()[0].text,
                QStringLiteral("当前某个排序字段并不存在实体表中，不进行数字排序方式打印报表"));
            EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("报表打印"));
            EXPECT_EQ(boxes.boxes()[0].icon, platform::ui::Icon::Information);
        }
    }
}

TEST_P(ReportInfoRows, AnUnattendedExportHearsOfAGoneSortColumnThroughErrorMessage)
{
    platform::ui::ScriptedUi boxes;
    store::reportState().WebPrintMode = true;
    QString order = QStringLiteral("Convert(float,wsda.piece_no),wsda.gone");
    store::DealSQlOrder(order);
    EXPECT_EQ(order, QStringLiteral("wsda.piece_no"));
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(store::reportState().ErrorMessage,
        QStringLiteral("当前某个排序字段并不存在实体表中，不进行数字排序方式打印报表"));
}

TEST_P(ReportInfoRows, ReportTablesThatAreGoneAreReported)
{
    const struct {
        const char* tables;
        bool told;
    } cases[] = { { "wsda,dt", false }, { "wsda,gone", true }, { "", true }, { "wsda, dt", true } };
    for (const auto& c : cases) {
        platform::ui::ScriptedUi boxes;
        store::CheckReportTables(QString::fromUtf8(c.tables));
        EXPECT_EQ(boxes.boxTexts(),
            c.told ? QStringList { QStringLiteral("报表所涉及的表已经不存在，请删除该报表！") }
                   : QStringList {})
            << c.tables;
    }
}

STORE_TEST_SUITE(ReportInfoRows);

} // namespace

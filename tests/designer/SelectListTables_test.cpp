#include "designer/SelectListTables.h"
#include "store/StoreFixture.h"

using designer::GetSqlSelectFields;
using designer::SelectListTables;

namespace
{

TEST(SelectListTables, TablesOfTheAllColumnsItems)
{
    const struct {
        QString selectList;
        QStringList tables;
    } cases[] = {
        { "wsda.*", { "wsda" } },
        { " wsda.* , jnwj.*,aj.*,extra.*", { "wsda", "jnwj", "aj" } },
        { "*", {} },
        { "wsda.*,*", { "wsda" } },
        { "wsda.title, jnwj.*", { "jnwj" } },
        { "", {} },
    };
    for (const auto& c : cases)
        EXPECT_EQ(SelectListTables(c.selectList), c.tables) << c.selectList.toStdString();
}

class SelectFields : public storetest::StoreTest
{
};

TEST_P(SelectFields, PiecesAreJoinedInTheirOrder)
{
    store::reportState().ReportId = "20240101090000000009";
    // Stored out of order: the second piece first.
    execute("insert into report_info(report_id,info_type,info_order,info_description) values"
            "('20240101090000000009','SQL_SELECT',2,'*,aj.*'),"
            "('20240101090000000009','SQL_SELECT',1,'wsda.*,jnwj.')");
    std::array<QString, designer::MaxSelectTables> names { "a", "b", "c" };
    GetSqlSelectFields(names);
    EXPECT_EQ(names, (std::array<QString, 3> { "wsda", "jnwj", "aj" }));

    store::reportState().ReportId = "20240101090000000008";
    std::array<QString, designer::MaxSelectTables> kept { "a", "b", "c" };
    GetSqlSelectFields(kept);
    EXPECT_EQ(kept, (std::array<QString, 3> { "a", "b", "c" }));
}

STORE_TEST_SUITE(SelectFields);

} // namespace

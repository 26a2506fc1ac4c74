#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using platform::db::Recordset;
using namespace orvtest;

namespace
{

using Rows = QList<QStringList>;

class RecordsetBatchTest : public orvtest::BackendTest
{
protected:
    TestDatabase db { GetParam() };
    platform::db::Connection& connection = *db.connection();

    void seedInfo()
    {
        connection.execute(
            "insert into report_info (report_id, info_type, info_order, info_description, note) "
            "values ('R1', 'SQL_SELECT', 1, 'wsda.*', null), "
            "('R1', 'SQL_WHERE', 1, 'a=1', 'x'), "
            "('R1', 'SQL_WHERE', 1, 'a=1', null), "
            "('R2', 'SQL_SELECT', 1, 't.*', null)");
    }
    Rows infoRows() const
    {
        return db.rows("select report_id, info_type, info_order, info_description, note from report_info");
    }
};

TEST_P(RecordsetBatchTest, NewRowsAreInsertedWithTheirValuesAndNulls)
{
    Recordset rs;
    rs.open("select * from report_info where 1=2", connection);
    rs.addNew();
    rs.setValue("report_id", "R9");
    rs.setValue("info_type", "DATA_ROWS");
    rs.setValue("info_order", 1);
    rs.setValue("info_description", "O'Neil; drop table report_info");
    rs.addNew();
    rs.setValue("report_id", "R9");
    rs.setValue("info_type", "PAGE_SIZE");
    rs.setValue("info_order", 2);
    rs.setValue("note", "21|29.7|11760|16632");
    EXPECT_EQ(rs.recordCount(), 2);
    rs.updateBatch();

    EXPECT_EQ(infoRows(),
        (Rows { { "R9", "DATA_ROWS", "1", "O'Neil; drop table report_info", "" },
            { "R9", "PAGE_SIZE", "2", "", "21|29.7|11760|16632" } }));
    EXPECT_EQ(db.scalar("select count(*) from report_info where info_description is null"), "1");
}

TEST_P(RecordsetBatchTest, ChangedRowIsUpdatedAndItsLookalikesAreNotNullIncluded)
{
    seedInfo();
    Recordset rs;
    rs.open("select * from report_info where report_id='R1' and info_type='SQL_WHERE' and note is null",
        connection);
    ASSERT_EQ(rs.recordCount(), 1);
    rs.setValue("info_description", "b=2");
    rs.setValue("note", "changed");
    rs.updateBatch();

    EXPECT_EQ(infoRows(),
        (Rows { { "R1", "SQL_SELECT", "1", "wsda.*", "" }, { "R1", "SQL_WHERE", "1", "a=1", "x" },
            { "R1", "SQL_WHERE", "1", "b=2", "changed" }, { "R2", "SQL_SELECT", "1", "t.*", "" } }));
    EXPECT_EQ(rs.text("note"), "changed");

    // A value set to NULL is stored as NULL.
    Recordset other;
    other.open("select * from report_info where note = 'x'", connection);
    other.setValue("note", QVariant());
    other.updateBatch();
    EXPECT_EQ(db.scalar("select count(*) from report_info where note is null"), "3");
}

TEST_P(RecordsetBatchTest, CancelBatchRestoresValuesAndDropsNewRows)
{
    seedInfo();
    const Rows before = infoRows();
    Recordset rs;
    rs.open("select * from report_info where report_id='R2'", connection);
    rs.setValue("info_description", "changed");
    rs.addNew();
    rs.setValue("report_id", "R3");
    rs.cancelBatch();
    EXPECT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.text("info_description"), "t.*");
    rs.updateBatch();
    EXPECT_EQ(infoRows(), before);
}

TEST_P(RecordsetBatchTest, RowChangedMeanwhileFailsTheWholeBatch)
{
    seedInfo();
    Recordset rs;
    rs.open("select * from report_info where report_id='R2'", connection);
    rs.setValue("info_description", "mine");
    rs.addNew();
    rs.setValue("report_id", "R3");
    connection.execute("update report_info set info_description='theirs' where report_id='R2'");
    const Rows before = infoRows();

    EXPECT_THROW(rs.updateBatch(), platform::Error);
    EXPECT_EQ(infoRows(), before);
    EXPECT_FALSE(connection.inTransaction());
    EXPECT_EQ(rs.recordCount(), 2);
}

TEST_P(RecordsetBatchTest, BatchInsideACallersTransactionGoesWithItsRollback)
{
    Recordset rs;
    rs.open("select * from report_index where 1=2", connection);
    connection.beginTrans();
    rs.addNew();
    rs.setValue("report_id", "R1");
    rs.updateBatch();
    EXPECT_TRUE(connection.inTransaction());
    connection.rollbackTrans();
    EXPECT_EQ(db.scalar("select count(*) from report_index"), "0");
}

TEST_P(RecordsetBatchTest, DatesAndNumbersRoundTrip)
{
    connection.executeScript(QString("create table dated (id integer, born date, stamp %1, amount %2)")
                                 .arg(GetParam() == Backend::SQLite ? "datetime" : "timestamp(0)",
                                     GetParam() == Backend::SQLite ? "real" : "double precision"));
    Recordset rs;
    rs.open("select * from dated", connection);
    rs.addNew();
    rs.setValue("id", 1);
    rs.setValue("born", QDate(2024, 2, 29));
    rs.setValue("stamp", QDateTime(QDate(2023, 12, 31), QTime(23, 59, 58)));
    rs.setValue("amount", 0.1);
    rs.updateBatch();

    Recordset back;
    back.open("select * from dated", connection);
    EXPECT_EQ(back.fields()[2].type, QMetaType::QDateTime);
    EXPECT_EQ(back.value("born").toDate(), QDate(2024, 2, 29));
    EXPECT_EQ(back.text("stamp"), "2023-12-31 23:59:58");
    EXPECT_EQ(back.text("amount"), "0.1");
    back.setValue("amount", 2.5);
    back.updateBatch();
    EXPECT_EQ(db.rows("select * from dated"), (Rows { { "1", "2024-02-29", "2023-12-31 23:59:58", "2.5" } }));
}

TEST_P(RecordsetBatchTest, JoinedRowsHaveNoTableToGoTo)
{
    seedInfo();
    Recordset rs;
    rs.open(
        "select i.* from report_info i, report_info j where i.report_id = j.report_id and 1=2", connection);
    rs.addNew();
    rs.setValue("report_id", "R5");
    EXPECT_THROW(rs.updateBatch(), platform::Error);
    EXPECT_EQ(db.scalar("select count(*) from report_info"), "4");
}

INSTANTIATE_TEST_SUITE_P(Backends, RecordsetBatchTest, testing::ValuesIn(allBackends()), BackendTestName());

} // namespace

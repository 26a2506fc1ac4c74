#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using platform::db::FieldInfo;
using platform::db::Recordset;
using namespace orvtest;

namespace
{

int errorNumber(const std::function<void()>& action)
{
    try {
        action();
    } catch (const platform::Error& e) {
        return e.number();
    }
    return 0;
}

class RecordsetTest : public orvtest::BackendTest
{
protected:
    TestDatabase db { GetParam() };
    platform::db::Connection& connection = *db.connection();

    void insertInfo(const QString& values)
    {
        connection.execute(
            "insert into report_info (report_id, info_type, info_order, info_description, note) "
            "values "
            + values);
    }
};

TEST_P(RecordsetTest, MovesAcrossRowsAndRefusesToMovePastEitherEnd)
{
    insertInfo("('R1', 'SQL_WHERE', 1, 'a', null), ('R1', 'SQL_WHERE', 2, 'b', null), "
               "('R1', 'SQL_WHERE', 3, 'c', null)");
    Recordset rs;
    rs.open("select info_description from report_info order by info_order", connection);

    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_FALSE(rs.bof());
    EXPECT_EQ(rs.absolutePosition(), 1);
    EXPECT_EQ(rs.text(0), "a");
    rs.moveNext();
    rs.moveNext();
    EXPECT_EQ(rs.text(0), "c");
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.absolutePosition(), 0);
    EXPECT_EQ(errorNumber([&] { rs.moveNext(); }), 3021);
    EXPECT_EQ(errorNumber([&] { rs.text(0); }), 3021);
    rs.movePrevious();
    EXPECT_EQ(rs.text(0), "c");
    rs.moveFirst();
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    EXPECT_FALSE(rs.eof());
    EXPECT_EQ(errorNumber([&] { rs.movePrevious(); }), 3021);
    rs.moveLast();
    EXPECT_EQ(rs.absolutePosition(), 3);
    rs.setAbsolutePosition(2);
    EXPECT_EQ(rs.text(0), "b");
    EXPECT_EQ(errorNumber([&] { rs.setAbsolutePosition(4); }), platform::errors::InvalidArgument);
    EXPECT_EQ(rs.text(0), "b");
}

TEST_P(RecordsetTest, EmptyResultIsAtBothEndsButKnowsItsFields)
{
    Recordset rs;
    rs.open("select * from report_info where 1=2", connection);
    EXPECT_TRUE(rs.bof());
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.recordCount(), 0);
    rs.moveFirst();
    rs.moveLast();
    EXPECT_TRUE(rs.eof());
    ASSERT_EQ(rs.fieldCount(), 5);
    EXPECT_EQ(rs.fields()[1].name, "info_type");
    EXPECT_EQ(rs.fields()[0].baseTable.toLower(), "report_info");
    EXPECT_EQ(errorNumber([&] { rs.field(0); }), 3021);
}

TEST_P(RecordsetTest, FieldsAreFoundByNameWhateverTheCaseAndNullStaysNull)
{
    insertInfo("('R1', 'PAGE_SIZE', null, '', null)");
    Recordset rs;
    rs.open("select * from report_info", connection);
    EXPECT_EQ(rs.fieldIndex("INFO_TYPE"), 1);
    EXPECT_EQ(rs.text("Info_Type"), "PAGE_SIZE");
    EXPECT_EQ(rs.fieldIndex("missing"), -1);
    EXPECT_EQ(errorNumber([&] { rs.field("missing"); }), 3265);
    EXPECT_EQ(errorNumber([&] { rs.field(5); }), 3265);
    // A NULL reads as an empty text but stays NULL; an empty text is no NULL.
    EXPECT_TRUE(rs.field(2).isNull());
    EXPECT_EQ(rs.text(2), "");
    EXPECT_FALSE(rs.field(3).isNull());
    EXPECT_EQ(rs.text(3), "");
    EXPECT_TRUE(rs.value("note").isNull());
}

struct TextCase {
    const char* expression;
    const char* text;
};

TEST_P(RecordsetTest, NumbersReadAsPlainTextsOnEveryBackend)
{
    const TextCase cases[] = {
        { "paper_width", "21" },
        { "paper_height", "29.7" },
        { "paper_width * 3", "63" },
        { "paper_height / 3", "9.9" },
        { "paper_width / 100000000", "0.00000021" },
        { "paper_width * 1e15", "21000000000000000" },
        { "0.1 + 0.2", "0.3" },
        { "-paper_height", "-29.7" },
        { "count(*) over ()", "1" },
    };
    for (const TextCase& c : cases) {
        Recordset rs;
        rs.open(QString("select %1 from page_size where paper_name = 'A4'").arg(c.expression), connection);
        EXPECT_EQ(rs.text(0), c.text) << c.expression;
    }
}

TEST_P(RecordsetTest, ClosedOrFailedRecordsetRefusesEveryRead)
{
    Recordset rs;
    EXPECT_EQ(errorNumber([&] { rs.recordCount(); }), 3704);
    rs.open("select * from page_size", connection);
    EXPECT_EQ(rs.recordCount(), 10);
    rs.close();
    EXPECT_EQ(errorNumber([&] { rs.eof(); }), 3704);
    try {
        rs.open("select nothing from nowhere", connection);
        FAIL() << "no error";
    } catch (const platform::Error& e) {
        EXPECT_EQ(e.number(), platform::errors::DatabaseError);
        EXPECT_TRUE(e.description().contains("select nothing from nowhere"));
    }
    EXPECT_FALSE(rs.isOpen());
}

TEST_P(RecordsetTest, CloneWalksAndChangesItsOwnCopy)
{
    insertInfo("('R1', 'A', 1, 'a', null), ('R1', 'B', 2, 'b', null)");
    Recordset rs;
    rs.open("select * from report_info order by info_order", connection);
    rs.moveLast();
    const auto copy = rs.clone();
    EXPECT_EQ(copy->text("info_type"), "A");
    copy->setValue("info_description", "changed");
    copy->updateBatch();
    EXPECT_EQ(rs.text("info_description"), "b");
    rs.moveFirst();
    EXPECT_EQ(rs.text("info_description"), "a");
    EXPECT_EQ(db.scalar("select info_description from report_info where info_type = 'A'"), "changed");
}

INSTANTIATE_TEST_SUITE_P(Backends, RecordsetTest, testing::ValuesIn(allBackends()), BackendTestName());

TEST(FabricatedRecordset, KeepsRowsAddedAndAcceptsTheirBatch)
{
    FieldInfo name { .name = "name", .type = QMetaType::QString, .size = 20 };
    FieldInfo count { .name = "count", .type = QMetaType::Int };
    auto rs = Recordset::fabricate({ name, count });
    EXPECT_TRUE(rs->eof());
    rs->addNew();
    rs->setValue("NAME", "a");
    rs->setValue(1, 3);
    rs->addNew();
    rs->setValue("name", "b");
    rs->updateBatch();
    EXPECT_EQ(rs->recordCount(), 2);
    rs->moveFirst();
    EXPECT_EQ(rs->text(0), "a");
    EXPECT_EQ(rs->field(0).definedSize(), 20);
    EXPECT_EQ(rs->text(1), "3");
    rs->moveNext();
    EXPECT_TRUE(rs->field(1).isNull());
    rs->addNew();
    rs->cancelBatch();
    EXPECT_EQ(rs->recordCount(), 2);
}

// Values set over and over leave numbers and texts behind in their lists until they are dropped; each
// row reads back what was set last, of every kind, and the rows are walked once each round. The last round
// sets the second half only: the lists are compacted while the first half's values, long numbers among
// them, stay as they were.
TEST(FabricatedRecordset, ValuesSetOverAndOverReadBackAsLastSet)
{
    auto rs = Recordset::fabricate({ FieldInfo { .name = "v" } });
    // Every kind in turn; the long numbers differ from row to row.
    const auto valueOf = [](int row, int round) -> QVariant {
        switch ((row + round) % 7) {
        case 0:
            return qlonglong(7);
        case 1:
            return (qlonglong(1) << 40) + row;
        case 2:
            return 0.1 + row;
        case 3:
            return 2.0;
        case 4:
            return QStringLiteral("档案");
        case 5:
            return QDate(2024, 6, 1);
        }
        return QVariant();
    };
    constexpr int rows = 3000;
    constexpr int half = rows / 2;
    for (int row = 0; row < rows; ++row)
        rs->addNew();
    for (int round = 0; round < 5; ++round) {
        const int from = round < 4 ? 0 : half;
        rs->setAbsolutePosition(from + 1);
        for (int row = from; row < rows; ++row, rs->moveNext())
            rs->setValue(0, valueOf(row, round));
    }
    rs->moveFirst();
    for (int row = 0; row < rows; ++row, rs->moveNext()) {
        const QVariant expected = valueOf(row, row < half ? 3 : 4);
        ASSERT_EQ(rs->value(0), expected) << "row " << row;
        ASSERT_EQ(rs->value(0).typeId(), expected.typeId()) << "row " << row;
    }
}

} // namespace

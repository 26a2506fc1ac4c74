#include "EngineFixture.h"

#include "engine/DataRecords.h"
#include "engine/DataSource.h"
#include "engine/EngineState.h"
#include "engine/GroupFields.h"
#include "engine/SqlClauses.h"
#include "platform/db/Recordset.h"
#include "platform/Error.h"

#include <QDate>

using namespace enginetest;

namespace
{

TEST(AddSqlCondition, TheConditionJoinsTheStatementsOwnWhereBeforeItsLaterClauses)
{
    const QString condition = QStringLiteral("(k=1 or k=2) ");
    const struct {
        QString sql;
        QString result;
    } cases[] = {
        { "select * from t", "select * from t where (k=1 or k=2)" },
        { "select * from t order by id", "select * from t where (k=1 or k=2) order by id" },
        { "select a, count(*) from t group by a order by a",
            "select a, count(*) from t where (k=1 or k=2) group by a order by a" },
        { "select * from t where x=1 or y=2 order by id",
            "select * from t where (x=1 or y=2) and (k=1 or k=2) order by id" },
        { "select * from t WHERE x=1 GROUP BY a HAVING count(*)>1",
            "select * from t where (x=1) and (k=1 or k=2) GROUP BY a HAVING count(*)>1" },
        { "select * from t where id in (select id from u where v=1 order by id) order by id",
            "select * from t where (id in (select id from u where v=1 order by id)) and (k=1 or k=2) order "
            "by id" },
        { "select * from (select * from u where v=1) s order by id",
            "select * from (select * from u where v=1) s where (k=1 or k=2) order by id" },
        { "select * from t where note='x order by y'",
            "select * from t where (note='x order by y') and (k=1 or k=2)" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(engine::AddSqlCondition(c.sql, condition), c.result);
    EXPECT_EQ(engine::AddSqlCondition(QStringLiteral("select * from t"), QStringLiteral(" ")),
        QStringLiteral("select * from t"));
}

TEST(NormalizeOrderBy, OrderTermsNamingAGroupFieldLeadTheGroupsWithTheirDirection)
{
    const struct {
        const char* name;
        QStringList groups;
        QString order;
        QStringList groupTerms;
        QString rest;
        QString orderBy;
    } cases[] = {
        { "a host term on a group field", { "t.y", "t.z" }, "t.z DESC,t.x", { "t.z DESC", "t.y" }, "t.x",
            "t.z DESC,t.y , t.x" },
        { "a name that contains a group field's name is another field", { "t.a" }, "t.ab,t.b", { "t.a" },
            "t.ab,t.b", "t.a , t.ab,t.b" },
        { "names holding ASC or DESC are whole", { "t.y" }, "t.basic_no,t.class_desc", { "t.y" },
            "t.basic_no,t.class_desc", "t.y , t.basic_no,t.class_desc" },
        { "a bare group field and a qualified term", { "folder_no" }, "wsda.folder_no desc",
            { "folder_no desc" }, "", "folder_no desc " },
        { "the same column of another table", { "a.id" }, "b.id", { "a.id" }, "b.id", "a.id , b.id" },
        { "the host's priority among moved fields", { "t.y", "t.z", "t.w" }, "t.z desc, t.w",
            { "t.z desc", "t.w", "t.y" }, "", "t.z desc,t.w,t.y " },
        { "a field sorted twice", { "t.z" }, "t.z,t.z desc,t.x", { "t.z" }, "t.x", "t.z , t.x" },
        { "an expression names no field", { "t.a" }, "Convert(float,t.a),t.b", { "t.a" },
            "Convert(float,t.a),t.b", "t.a , Convert(float,t.a),t.b" },
        { "no groups", {}, "t.a desc", {}, "t.a desc", "t.a desc " },
        { "no order", { "t.a", "t.b" }, "", { "t.a", "t.b" }, "", "t.a,t.b " },
        { "neither", {}, "", {}, "", "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const engine::DataSort sort = engine::NormalizeOrderBy(c.order, c.groups);
        EXPECT_EQ(sort.groupTerms, c.groupTerms);
        EXPECT_EQ(sort.groupFields.size(), c.groups.size());
        EXPECT_EQ(sort.order, c.rest);
        EXPECT_EQ(sort.orderByText(), c.orderBy);
    }
}

TEST(FieldValueToSql, ValuesBecomeLiteralsThatCannotEndEarly)
{
    using platform::db::FieldInfo;
    const auto record = platform::db::Recordset::fabricate({
        FieldInfo { "name", QMetaType::QString, 50 },
        FieldInfo { "count", QMetaType::LongLong },
        FieldInfo { "share", QMetaType::Double },
        FieldInfo { "filed", QMetaType::QDate },
        FieldInfo { "missing", QMetaType::QString, 10 },
        FieldInfo { "code", QMetaType::LongLong },
    });
    record->addNew();
    record->setValue(0, QStringLiteral("王's 复印件"));
    record->setValue(1, 42);
    record->setValue(2, 0.25);
    record->setValue(3, QDate(2024, 1, 31));
    record->setValue(5, QStringLiteral("1; drop table wsda"));
    const auto connection = platform::db::Connection::open(QStringLiteral(":memory:"));

    EXPECT_EQ(engine::FieldValueToSql(record->field(0), false, *connection), QStringLiteral("'王''s 复印件'"));
    EXPECT_EQ(engine::FieldValueToSql(record->field(0), true, *connection), QStringLiteral("rtrim('王''s 复印件 ')"));
    EXPECT_EQ(engine::FieldValueToSql(record->field(1), false, *connection), QStringLiteral("42"));
    EXPECT_EQ(engine::FieldValueToSql(record->field(2), false, *connection), QStringLiteral("0.25"));
    EXPECT_EQ(engine::FieldValueToSql(record->field(3), false, *connection), QStringLiteral("'2024-01-31'"));
    EXPECT_EQ(engine::FieldValueToSql(record->field(4), false, *connection), QStringLiteral("Null"));
    EXPECT_EQ(engine::FieldValueToSql(record->field(5), false, *connection), QStringLiteral("'1; drop table wsda'"));
}

// A list of the demo archive: select list, table, the report's own condition and order.
class DataSourceTest : public EngineTest
{
protected:
    void SetUp() override { useDatabase(Content::DemoArchive); }

    // The stored cells with the list's pieces and regions become the definition in use, changed by
    // `change`.
    void useSource(const std::function<void(store::ReportDefinition&)>& change = {})
    {
        useDefinition([&](store::ReportDefinition& definition) {
            definition.sql.SqlSelect = QStringLiteral("wsda.*");
            definition.sql.TablesName = QStringLiteral("wsda");
            definition.sql.SqlOrder = QStringLiteral("wsda.piece_no");
            definition.groupId = QStringLiteral("wsda");
            definition.regions[store::RegionEntry::GroupHead1] = { true, 2, 2 };
            definition.regions[store::RegionEntry::GroupHead2] = { true, 3, 3 };
            definition.regions[store::RegionEntry::GroupHead3] = { true, 4, 4 };
            definition.regions[store::RegionEntry::DataDetail] = { true, 5, 5 };
            if (change)
                change(definition);
        });
    }

    void useCondition(const QString& condition)
    {
        useSource([&](store::ReportDefinition& definition) { definition.sql.SqlWhere = condition; });
    }

    void useOrder(const QString& order)
    {
        useSource([&](store::ReportDefinition& definition) { definition.sql.SqlOrder = order; });
    }

    int count(const QString& condition) const
    {
        return scalar(QStringLiteral("select count(*) from wsda where ") + condition).toInt();
    }

    int dataRecords() const { return run.ReportDataRs->recordCount(); }
};

ENGINE_TEST_SUITE(DataSourceTest);

TEST_P(DataSourceTest, GroupFieldsAreTheDescribedFieldCellsOfTheGroupHeadsInTemplateOrder)
{
    cell(4, 4, QStringLiteral("@B|wsda.no_such_column"));
    cell(4, 3, QStringLiteral("@B|wsda.folder_no"));
    cell(5, 3, QStringLiteral("@B|wsda.title"));
    cell(2, 5, QStringLiteral("@B|wsda.filing_year&F&"));
    cell(3, 3, QStringLiteral("@B|retention&2-1&B&"));
    cell(2, 3, QStringLiteral("@B|wsda.filing_year"));
    cell(2, 2, QStringLiteral("@A|归档年度"));
    cell(1, 3, QStringLiteral("@B|wsda.responsible"));
    useSource();

    EXPECT_EQ(engine::GetGroupFields(run),
        (QStringList { "wsda.filing_year", "retention&2-1&B&", "wsda.folder_no" }));
    EXPECT_EQ(engine::ExpressionToFieldList(engine::GetGroupFields(run)),
        (QStringList { "wsda.filing_year", "retention", "wsda.folder_no" }));
}

TEST_P(DataSourceTest, TheQuerySortsByTheGroupsThenTheHostsOrderAndLeavesTheStateAsItWas)
{
    cell(2, 3, QStringLiteral("@B|wsda.filing_year"));
    cell(3, 3, QStringLiteral("@B|wsda.retention"));
    useCondition(QStringLiteral("wsda.archive_flag='已组卷'"));
    store::ReportState& state = store::reportState();
    state.SelectWhere = QStringLiteral("wsda.retention='永久' or wsda.retention='长期'");
    state.SelectOrder = QStringLiteral("wsda.retention desc,wsda.piece_no");

    EXPECT_EQ(engine::BuildDataSourceSql(run, QStringLiteral("wsda.*")),
        QStringLiteral(
            "select wsda.* from wsda where ( wsda.archive_flag='已组卷')  and  (wsda.retention='永久' or "
            "wsda.retention='长期')  order by wsda.retention desc,wsda.filing_year , wsda.piece_no"));
    EXPECT_EQ(state.SelectOrder, QStringLiteral("wsda.retention desc,wsda.piece_no"));

    state.SelectOrder.clear();
    state.SelectWhere.clear();
    EXPECT_EQ(engine::BuildDataSourceSql(run, QStringLiteral("wsda.title")),
        QStringLiteral("select wsda.title from wsda where (wsda.archive_flag='已组卷')  order by "
                       "wsda.filing_year,wsda.retention , wsda.piece_no"));
}

TEST_P(DataSourceTest, TheHostsFilterKeepsItsMeaningBesideTheReportsCondition)
{
    useCondition(QStringLiteral("wsda.filing_year>=2004"));
    store::reportState().SelectWhere = QStringLiteral("wsda.retention='永久' or wsda.filing_year=2003");

    engine::GetDataRecord(run);
    const int expected
        = count(QStringLiteral("filing_year>=2004 and (retention='永久' or filing_year=2003)"));
    ASSERT_GT(expected, 0);
    EXPECT_LT(expected, count(QStringLiteral("filing_year>=2004 and retention='永久' or filing_year=2003")));
    EXPECT_EQ(dataRecords(), expected);
    EXPECT_FALSE(run.usesHostRecordset());
    EXPECT_EQ(run.SourceSqlTail.left(6), QStringLiteral(" wsda "));
}

TEST_P(DataSourceTest, TheHostsRecordSetIsReadAsItIsAndNeverWritten)
{
    auto host = std::make_shared<platform::db::Recordset>();
    host->open(
        QStringLiteral("select recid, title, filing_year from wsda where filing_year=2004 order by recid"),
        *database->connection());
    host->moveNext();
    host->moveNext();
    const int position = host->absolutePosition();
    const QString title = host->text(QStringLiteral("title"));
    store::reportState().DataRecordSet = host;
    store::reportState().SelectWhere = QStringLiteral("wsda.filing_year=2009");
    useSource();

    engine::GetDataRecord(run);
    EXPECT_EQ(run.ReportDataRs, host);
    EXPECT_FALSE(run.ReportDataRsIsOwned);
    EXPECT_TRUE(run.usesHostRecordset());
    EXPECT_EQ(run.RecordBufferRs->fieldCount(), 3);

    // What is written into the buffer stays there.
    run.RecordBufferRs->addNew();
    run.RecordBufferRs->setValue(QStringLiteral("title"), QStringLiteral("改写"));
    EXPECT_TRUE(host->isOpen());
    EXPECT_EQ(host->absolutePosition(), position);
    EXPECT_EQ(host->text(QStringLiteral("title")), title);
    EXPECT_EQ(host->recordCount(), count(QStringLiteral("filing_year=2004")));
    host->updateBatch(); // nothing pending: the table is unchanged
    EXPECT_EQ(count(QStringLiteral("title='改写'")), 0);
}

TEST_P(DataSourceTest, AKCellReplacesTheQueryAndTakesTheHostsConditions)
{
    execute(
        QStringLiteral("insert into report_parameter (report_id, name, default_value) values (%1, 'p', %2)")
            .arg(text(TestReportId), text(QStringLiteral("x) order by recid"))));
    cell(1, 9,
        QStringLiteral("@K|select * from @Table@ where filing_year=2004 or filing_year=2005 order by recid"));
    store::reportState().SelectWhere = QStringLiteral("wsda.retention='永久' or wsda.retention='长期'");
    useSource();

    engine::GetDataRecord(run);
    EXPECT_EQ(run.SourceSql,
        QStringLiteral(
            "select * from wsda where (filing_year=2004 or filing_year=2005) and (wsda.retention='永久' or "
            "wsda.retention='长期') order by recid"));
    EXPECT_FALSE(run.DistinctSource);
    EXPECT_EQ(dataRecords(),
        count(QStringLiteral(
            "(filing_year=2004 or filing_year=2005) and (retention='永久' or retention='长期')")));
    EXPECT_EQ(run.SourceSqlTail, run.SourceSql.mid(13));

    // A parameter's value inside a dollar-quoted text holds no clause of the statement: the host's
    // condition still goes into its own WHERE.
    if (GetParam() == orvtest::Backend::SQLite)
        return;
    execute(QStringLiteral("delete from report_data"));
    cell(1, 9, QStringLiteral("@K|select * from @Table@ where (title <> $$&p&$$) order by recid"));
    run = engine::DataReportRun {};
    useSource();
    engine::GetDataRecord(run);
    EXPECT_EQ(dataRecords(), count(QStringLiteral("retention='永久' or retention='长期'")));
}

TEST_P(DataSourceTest, AnICellRunsAsWrittenWithTheReportsParametersAsLiteralsOrGivesWayToTheBuiltQuery)
{
    for (const auto& [name, value] :
        { std::pair { "年度", "2004" }, std::pair { "期限", "永久" }, std::pair { "标签", "x from y" } }) {
        execute(QStringLiteral(
            "insert into report_parameter (report_id, name, default_value) values (%1, %2, %3)")
                    .arg(text(TestReportId), text(QString::fromUtf8(name)), text(QString::fromUtf8(value))));
    }
    const struct {
        QString source; // the I cell; a K cell beside it is not read
        QString counted;
        QString sourceSql; // "" where the built query takes over
    } cases[] = {
        { "select * from wsda where filing_year=2006", "filing_year=2006",
            "select * from wsda where filing_year=2006" },
        { "select * from wsda where filing_year=&年度& and retention=&期限&",
            "filing_year=2004 and retention='永久'",
            "select * from wsda where filing_year=2004 and retention='永久'" },
        { "select &标签& as 标签, wsda.* from wsda where filing_year=&年度&", "filing_year=2004",
            "select 'x from y' as 标签, wsda.* from wsda where filing_year=2004" },
        { "select * from no_such_table", "filing_year=2007", "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source.toStdString());
        run = engine::DataReportRun {};
        execute(QStringLiteral("delete from report_data"));
        cell(1, 9, QStringLiteral("@I|") + c.source);
        cell(1, 10, QStringLiteral("@K|select * from wsda"));
        store::reportState().SelectWhere = QStringLiteral("wsda.filing_year=2007");
        useSource();
        engine::GetDataRecord(run);
        EXPECT_EQ(dataRecords(), count(c.counted));
        if (!c.sourceSql.isEmpty()) {
            EXPECT_EQ(run.SourceSql, c.sourceSql);
            // The detail band's statements borrow what follows the statement's own "from".
            EXPECT_EQ(run.SourceSqlTail, c.sourceSql.mid(c.sourceSql.indexOf(" from wsda") + 5));
        }
    }
}

TEST_P(DataSourceTest, ABrokenQueryReachesTheCaller)
{
    store::reportState().SelectWhere = QStringLiteral("no_such_column=1");
    useSource();
    EXPECT_THROW(engine::GetDataRecord(run), platform::Error);
}

TEST_P(DataSourceTest, ANumericSortRunsAsWritten)
{
    useOrder(QStringLiteral("Convert(float,wsda.folder_no) desc"));
    engine::GetDataRecord(run);
    platform::db::Recordset& data = *run.ReportDataRs;
    EXPECT_EQ(data.recordCount(), count(QStringLiteral("1=1")));
    EXPECT_EQ(
        data.text(QStringLiteral("folder_no")), scalar(QStringLiteral("select max(folder_no) from wsda")));
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_P(DataSourceTest, ANumericSortTheDatabaseRefusesFallsBackToThePlainFields)
{
    // A stored sort with one parenthesis too many: the query fails, and without the numeric wrappers
    // (and their parentheses) it runs. The user is told in a box, or through ErrorMessage when the report
    // is exported unattended.
    const QString told = QStringLiteral("当前数字方式排序字段中含有非数字的数据，不能按数字方式排序。");
    for (const bool webMode : { false, true }) {
        platform::ui::ScriptedUi boxes;
        store::ReportState& state = store::reportState();
        state.WebPrintMode = webMode;
        state.ErrorMessage.clear();
        useOrder(QStringLiteral("Convert(float,wsda.title) desc)"));
        engine::GetDataRecord(run);
        platform::db::Recordset& data = *run.ReportDataRs;
        EXPECT_EQ(data.recordCount(), count(QStringLiteral("1=1")));
        EXPECT_EQ(data.text(QStringLiteral("title")), scalar(QStringLiteral("select max(title) from wsda")));
        // ErrorMessage carries the notice only where no box can; outside that it tells of refusals.
        EXPECT_EQ(state.ErrorMessage, webMode ? told : QString());
        if (webMode) {
            EXPECT_TRUE(boxes.boxes().empty());
            continue;
        }
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].text, told);
        EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("报表打印"));
        EXPECT_EQ(boxes.boxes()[0].icon, platform::ui::Icon::Information);
    }
}

} // namespace

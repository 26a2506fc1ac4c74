#include "EngineFixture.h"

#include "engine/CellQueries.h"
#include "engine/CellTextFit.h"
#include "engine/CellValues.h"
#include "engine/EngineState.h"
#include "engine/FieldMarks.h"
#include "platform/db/ReadOnlyReads.h"
#include "platform/Error.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/TextMeasure.h"
#include "platform/outside/SqlAdapterObject.h"
#include "platform/outside/StatExpressionObject.h"

#include <QDate>
#include <QDir>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace enginetest;
using engine::CellContext;
using engine::ReportCellItem;
using platform::grid::Sheet;

namespace
{

ReportCellItem item(const QString& letter, const QString& text, int fieldIndex = -1,
    const QString& option1 = {}, const QString& option2 = {})
{
    ReportCellItem cell;
    cell.letter = letter;
    cell.text = text;
    cell.fieldIndex = fieldIndex;
    cell.option1 = option1;
    cell.option2 = option2;
    return cell;
}

// ---- values that need no database -------------------------------------------------------------------

TEST(RoundValue, HalvesGoUpAlsoBelowZero)
{
    const struct {
        double value;
        int digits;
        double rounded;
    } cases[] = {
        { 2.5, 0, 3 },
        { -2.5, 0, -2 },
        { 1.0 / 3.0, 6, 0.333333 },
        { 2.0 / 3.0, 6, 0.666667 },
        { 0.1234565, 6, 0.123457 },
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(engine::RoundValue(c.value, c.digits), c.rounded) << c.value;
}

TEST(WithReportConditions, TheStatementReadsTheReportsTablesUnderBothConditionsKeptWhole)
{
    store::ReportState& state = store::reportState();
    store::ReportDefinition definition;
    definition.sql.TablesName = QStringLiteral("t1,t2");
    engine::DataReportRun run(std::make_shared<const store::ReportDefinition>(definition));
    const struct {
        QString filter;
        QString sql;
        QString rewritten;
    } cases[] = {
        { "y=2 or z=3", "select sum(n) from x where k=1",
            "select sum(n)  from t1,t2 where ( k=1)  and  (y=2 or z=3) " },
        { "", "select sum(n) from x where k=1 or k=2", "select sum(n)  from t1,t2 where (k=1 or k=2) " },
        { "y=2", "select count(*) FROM x", "select count(*)  from t1,t2 where (y=2) " },
        { "", "select count(*) from x", "select count(*)  from t1,t2" },
        { "y=2", "select 1", "select 1" },
        // a field's value in a literal holds none of the statement's words
        { "y=2", "select 'a from b where c' as x from t where k=1",
            "select 'a from b where c' as x  from t1,t2 where ( k=1)  and  (y=2) " },
    };
    for (const auto& c : cases) {
        state.SelectWhere = c.filter;
        EXPECT_EQ(engine::WithReportConditions(run, c.sql), c.rewritten) << c.sql.toStdString();
    }
    state = store::ReportState {};
}

// ---- cells written into a grid ----------------------------------------------------------------------

class CellValues : public EngineTest
{
protected:
    void SetUp() override
    {
        useDatabase(Content::DemoArchive, 300);
        changeDefinition([](store::ReportDefinition& definition) {
            definition.groupId = QStringLiteral("wsda");
            definition.sql.TablesName = QStringLiteral("wsda");
        });
        // The first record of the archive in recid order is the current record.
        record = openSql(QStringLiteral("select * from wsda order by recid"));
        grid.setColWidth(2, 3000);
        grid.select(5, 2, 5, 2);
    }

    std::unique_ptr<platform::db::Recordset> openSql(const QString& sql)
    {
        return platform::outside::sharedSqlAdapter()->open(sql, *database->connection());
    }

    // Makes the current record the buffered record that field marks read.
    void bufferRecord() { run.RecordBufferRs = openSql(QStringLiteral("select * from wsda order by recid")); }

    QString write(const ReportCellItem& cell, int recordPosition = 1)
    {
        engine::SetCellDataValue(run, grid, cell, CellContext { record.get(), 0, recordPosition });
        return grid.text(5, 2);
    }

    // Changes the current record and reads it again.
    void updateRecord(const QString& assignments)
    {
        execute(QStringLiteral("update wsda set %1 where recid = %2")
                    .arg(assignments, text(recordText("recid"))));
        record = openSql(QStringLiteral("select * from wsda order by recid"));
    }

    int fieldOf(const QString& name) const { return record->fieldIndex(name); }
    QString recordText(const QString& name) const { return record->text(name); }

    QString loggedDescription(const QString& procedure) const
    {
        return scalar(QStringLiteral("select description from orv_error_log where procedure_name = ")
            + text(procedure));
    }

    std::unique_ptr<platform::db::Recordset> record;
    Sheet grid;
};

TEST_P(CellValues, TextsWithParametersSystemVariablesAndFormulasOfTheActiveRow)
{
    EXPECT_EQ(write(item("A", "  文书档案目录 ")), QStringLiteral("文书档案目录"));
    execute(QStringLiteral(
        "insert into report_parameter (report_id, name, default_value) values (%1, '单位', '档案馆')")
                .arg(text(TestReportId)));
    EXPECT_EQ(write(item("A", "制表单位：&单位& & 其他")), QStringLiteral("制表单位：档案馆 & 其他"));
    run.PageNumber = 3;
    run.TotalPages = 12;
    changeDefinition([](store::ReportDefinition& definition) { definition.page.PageRecount = false; });
    EXPECT_EQ(write(item("C", "第%p页 共%P页")), QStringLiteral("第3页 共12页"));
    write(item("F", "SUM(C&:D&)"));
    EXPECT_EQ(grid.formula(5, 2), QStringLiteral("SUM(C5:D5)"));
}

// A counter alone in its cell is stored as the number its digits show, as any whole-number text would be.
TEST_P(CellValues, ACounterAloneIsStoredAsItsNumber)
{
    run.PageNumber = 4;
    run.TotalPages = 30;
    run.GroupPageTotal = 6;
    run.RecordCounter = 0;
    changeDefinition([](store::ReportDefinition& definition) { definition.page.PageRecount = true; });
    const struct {
        QString text;
        platform::grid::CellValue stored;
    } cases[] = {
        { "%p", 4.0 },
        { "%P", 6.0 },
        { "%N", 0.0 },
        { " %p ", 4.0 },
        { "%p%N", 40.0 },
        { "%x", std::monostate {} },
    };
    for (const auto& c : cases) {
        write(item("C", c.text));
        EXPECT_EQ(grid.value(5, 2), c.stored) << c.text.toStdString();
    }
}

TEST_P(CellValues, FieldValuesWithTheirOptions)
{
    // The title of the first record, cut and added to as the options say.
    const int title = fieldOf("title");
    const QString value = recordText("title");
    ASSERT_GE(value.size(), 6);
    const struct {
        QString option1;
        QString option2;
        QString shown;
    } cases[] = {
        { "", "", value },
        { "X", "", value },
        { "", "BI", value },
        { "X", "BI", "X" + value },
        { "X", "FI", value + "X" },
        { "X", "bi", "X" + value },
        { "3-2", "F", value.mid(0, 2) },
        { "3-2", "B", value.mid(2, 2) },
        // A take before the start that would begin before the first character takes what there is.
        { "2-5", "F", value.left(1) },
        { "1-3", "F", "" },
        { "0-2", "B", value },
        { "x-2", "B", value },
    };
    for (const auto& c : cases) {
        grid.clearCell(5, 2);
        EXPECT_EQ(write(item("B", "title", title, c.option1, c.option2)), c.shown)
            << c.option1.toStdString() << " " << c.option2.toStdString();
    }
}

TEST_P(CellValues, NumbersStayNumbersCodesKeepTheirZerosANullKeepsTheCellAndAMissingFieldEmptiesIt)
{
    write(item("B", "page_no", fieldOf("page_no")));
    EXPECT_EQ(grid.value(5, 2), platform::grid::CellValue(record->value("page_no").toDouble()));
    updateRecord(QStringLiteral("folder_no = '0012', note = null"));
    write(item("B", "folder_no", fieldOf("folder_no")));
    EXPECT_EQ(grid.value(5, 2), platform::grid::CellValue(QStringLiteral("0012")));
    EXPECT_EQ(write(item("B", "note", fieldOf("note"))), QStringLiteral("0012"));
    EXPECT_EQ(write(item("B", "no_such_field", -1)), QString());
}

TEST_P(CellValues, DatesUnderADateFormat)
{
    platform::grid::CellFormat dateFormat;
    dateFormat.numberFormat = QStringLiteral("yyyy-mm-dd");
    grid.applyFormat(platform::grid::CellRange::cell(5, 2), dateFormat);
    const int note = fieldOf("note");
    const struct {
        QString stored;
        QString shown;
    } cases[] = {
        { "1999", "1999-01-01" },
        { "200305", "2003-05-01" },
        { "20030517", "2003-05-17" },
        { "2003-05-17", "2003-05-17" },
        { "2003/5/7", "2003-05-07" },
        // What is no date keeps its text: a date format laid over a row must not blank its other columns.
        { "abc", "abc" },
        { "20031317", "20031317" },
        { "12", "12" },
    };
    for (const auto& c : cases) {
        updateRecord(QStringLiteral("note = ") + text(c.stored));
        EXPECT_EQ(write(item("B", "note", note)), c.shown) << c.stored.toStdString();
    }

    // A time format is no date format: the number stays the number.
    dateFormat.numberFormat = QStringLiteral("hh:mm");
    grid.applyFormat(platform::grid::CellRange::cell(5, 2), dateFormat);
    updateRecord(QStringLiteral("note = '1999'"));
    write(item("B", "note", note));
    EXPECT_EQ(grid.value(5, 2), platform::grid::CellValue(1999.0));
}

TEST_P(CellValues, WidthFittedPiecesContinueWithinOneRecordAndRestartForTheNext)
{
    const QString value = QStringLiteral("第一卷第二卷第三卷第四卷第五卷第六卷第七卷第八卷");
    updateRecord(QStringLiteral("note = ") + text(value));
    const ReportCellItem cell = item("B", "note", fieldOf("note"), "1-3", "W");

    run.AbsolutePage = 1;
    const QString first = write(cell, 1);
    grid.select(6, 2, 6, 2);
    engine::SetCellDataValue(run, grid, cell, CellContext { record.get(), 0, 1 });
    const QString second = grid.text(6, 2);
    // Three wide characters and a "T" need four characters of the same kind.
    EXPECT_EQ(first, value.left(4));
    EXPECT_EQ(second, value.mid(4, 4));

    // The next record starts again at its own start position.
    grid.select(5, 2, 5, 2);
    EXPECT_EQ(write(cell, 2), value.left(4));
}

TEST_P(CellValues, SpecialFormulasSeeTheRecordAndItsFlag)
{
    run.RowPositionFlag = 8;
    EXPECT_EQ(write(item("E", "#page_no# * 2")), QString::number(record->value("page_no").toInt() * 2));
    EXPECT_EQ(write(item("E", "#@flag#")), QStringLiteral("8"));
    EXPECT_EQ(write(item("E", "select count(*) from wsda where folder_no = #folder_no#")),
        scalar(
            QStringLiteral("select count(*) from wsda where folder_no = ") + text(recordText("folder_no"))));
}

TEST_P(CellValues, SubQueryCellsShowOneRowAfterTheOther)
{
    auto& recordsets = run.CellRecordsets;
    recordsets.push_back(
        openSql(QStringLiteral("select retention from wsda group by retention order by retention")));
    const QList<QStringList> expected
        = database->rows(QStringLiteral("select retention from wsda group by retention order by retention"));
    ASSERT_GE(expected.size(), 2);
    for (const QStringList& row : expected)
        EXPECT_EQ(write(item("K", "select ...", 1)), row.value(0));
    // At the end the cell keeps what it shows.
    EXPECT_EQ(write(item("I", "select ...", 1)), expected.last().value(0));
    EXPECT_EQ(write(item("I", "select ...", -1)), QString());
}

TEST_P(CellValues, SingleValuesAndRatiosOfStatements)
{
    EXPECT_EQ(write(item("J", "select count(*) from @table@ where retention='永久'")),
        scalar(QStringLiteral("select count(*) from wsda where retention='永久'")));
    EXPECT_EQ(write(item("J", "select sum(page_no) from wsda where 1=0")), QStringLiteral("0"));
    EXPECT_EQ(write(item("J", "select max(title) from wsda where 1=0")), QString());

    const double part = scalar(QStringLiteral("select count(*) from wsda where filing_year=2003")).toDouble();
    const double whole = scalar(QStringLiteral("select count(*) from wsda")).toDouble();
    ASSERT_GT(part, 0);
    const QString ratio
        = write(item("J", "select count(*) from wsda where filing_year=2003/select count(*) from wsda"));
    EXPECT_DOUBLE_EQ(ratio.toDouble(), std::floor(part / whole * 1e6 + 0.5) / 1e6);
    EXPECT_LE(ratio.size(), 8); // "0.xxxxxx": six decimals at most

    // "L" reads from the report's tables under the host's filter.
    store::reportState().SelectWhere = QStringLiteral("filing_year=2004 or filing_year=2005");
    EXPECT_EQ(write(item("L", "select count(*) from anything where retention='长期'")),
        scalar(QStringLiteral("select count(*) from wsda where retention='长期' and (filing_year=2004 or "
                              "filing_year=2005)")));
}

TEST_P(CellValues, ACellThatCannotBeEvaluatedIsLoggedShowsNothingAndTheNextCellIsWritten)
{
    bufferRecord();
    const struct {
        QString text;
        QString procedure;
        QString logged;
    } cases[] = {
        { "select count(*) from wsda/select count(*) from wsda where 1=0", "SetCellDataValue", "除数为零" },
        { "select count(*) from wsda/select max(title) from wsda where 1=0", "SetCellDataValue", "没有数值" },
        { "select count(*) from wsda/select '第一'", "SetCellDataValue", "没有数值" },
        { "select count(*) from wsda/", "SetCellDataValue", "没有数值" },
        { "select count(*) from wsda where x = '#no_such_field#'", "SetCellDataValue", "no_such_field" },
        { "select count(*) from no_such_table", "GetSQLValue", "no_such_table" },
        { "select count(*) from no_such_table where x = '" + QString(20000, u'长') + "' -- its end",
            "GetSQLValue", "' -- its end" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        execute(QStringLiteral("delete from orv_error_log"));
        grid.setText(5, 2, QStringLiteral("之前"));
        EXPECT_EQ(write(item("J", c.text)), QString());
        EXPECT_TRUE(loggedDescription(c.procedure).contains(c.logged));
        EXPECT_LE(loggedDescription(c.procedure).size(), 8000);
        if (c.procedure == QStringLiteral("SetCellDataValue")) {
            EXPECT_TRUE(loggedDescription(c.procedure).contains(QStringLiteral("第5行第2列")));
        }
        EXPECT_EQ(write(item("A", "下一格")), QStringLiteral("下一格"));
    }
}

TEST_P(CellValues, FieldMarksEnterStatementsAsLiterals)
{
    bufferRecord();
    // The first field of the record (recid) can be a mark.
    EXPECT_EQ(write(item("J", "select title from wsda where recid = '#recid#'")), recordText("title"));
    EXPECT_EQ(write(item("J", "select title from wsda where recid = #wsda.recid#")), recordText("title"));

    // A quote in the value cannot end the literal; a NULL compares as "is null", and is NULL elsewhere.
    updateRecord(QStringLiteral("note = null, responsible = 'a''b'"));
    bufferRecord();
    EXPECT_EQ(write(item("J", "select count(*) from wsda where responsible = '#responsible#'")),
        QStringLiteral("1"));
    EXPECT_EQ(write(item("J", "select count(*) from wsda where note = '#note#'")),
        scalar(QStringLiteral("select count(*) from wsda where note is null")));
    EXPECT_EQ(write(item("J", "select count(*) from wsda where coalesce(#note#, 'x') = 'x'")),
        scalar(QStringLiteral("select count(*) from wsda")));
    const struct {
        QString sql;
        QString replaced;
    } cases[] = {
        { "select n from t where code = '#note#'", "select n from t where code  is null " },
        { "select n from t where code = #note# and x=1", "select n from t where code  is null  and x=1" },
        { "select n from t where code <> '#note#'", "select n from t where code <> NULL" },
        { "select n from t where code >= #note#", "select n from t where code >= NULL" },
        { "select n from t where r = '#responsible#' or s = #RESPONSIBLE#",
            "select n from t where r = 'a''b' or s = 'a''b'" },
        { "select '[#note#]', '#note#%', '[#responsible#]'", "select '[]', '%', '[a''b]'" },
        { "where #x", "where #x" },
        { "#x", "" },
    };
    int row = 5;
    for (const auto& c : cases)
        EXPECT_EQ(engine::ReplaceFieldMarks(run, grid, c.sql, row, 0, 1), c.replaced) << c.sql.toStdString();
}

TEST_P(CellValues, CellMarksReadThePageAndTheRecordsBlock)
{
    // One page of 40 rows; the detail cell of column C stands at template row 5 (sheet row 6).
    run.PageSheetRows = 40;
    changeDefinition([](store::ReportDefinition& definition) {
        definition.regions[store::RegionEntry::DataDetail] = { true, 5, 6 };
    });
    ReportCellItem detail = item("B", "title");
    detail.row = 6;
    detail.col = 3;
    run.DetailCells = { detail };
    grid.setText(40 + 4, 2, QStringLiteral("页上的值"));
    grid.setText(40 + (3 - 1) * 2 + 6, 3, QStringLiteral(" 第三条 "));
    int row = 5;
    EXPECT_EQ(engine::ReplaceFieldMarks(run, grid, "select '#B3$#'", row, 1, 3),
        QStringLiteral("select '页上的值'"));
    EXPECT_EQ(
        engine::ReplaceFieldMarks(run, grid, "select '#C&#'", row, 1, 3), QStringLiteral("select '第三条'"));
    EXPECT_EQ(row, 40 + (3 - 1) * 2 + 6);
    EXPECT_THROW(engine::ReplaceFieldMarks(run, grid, "select '#B$#'", row, 1, 3), platform::Error);
}

ENGINE_TEST_SUITE(CellValues);

class CellValuesReadOnly : public CellValues
{
};

// A record's title in a special formula ("E") or a statement cell ("J") and a report parameter in a
// statistics cell ("G") stay values wherever the statement has its mark, as SQLite and PostgreSQL (reading
// backslashes as escapes or not) read the statement: an ordinary value gives the cell it always gave, a
// hostile one is shown as it is, and the canary is never read. Inside a dollar-quoted text a value holding
// "$" is refused; a mark after a backslash that would escape it, or in a comment, stays as written.
TEST_P(CellValuesReadOnly, AValueSplicedIntoAStatementStaysAValue)
{
    execute(QStringLiteral("create table canary (secret varchar(20))"));
    execute(QStringLiteral("insert into canary values ('TOPSECRET-42')"));
    execute(
        QStringLiteral("insert into report_parameter (report_id, name, default_value) values (%1, 'p', '')")
            .arg(text(TestReportId)));
    const QString values[] = { "普通题名", "it's", "2004", "C:\\temp\\new", "abc\\",
        "(select max(secret) from canary)", "x' || (select max(secret) from canary) || '",
        "\\' || (select max(secret) from canary) --", "$$ || (select max(secret) from canary) || $$",
        "|| (select max(secret) from canary) --\\", "select top ((select secret::int from canary)) x",
        "x\\' or 1=1) || (select max(secret) from canary)--", "\\0041 and !0041", "inf", "nan" };
    const struct {
        const char* letter;
        QString sql;
        QString cell; // %1 is the value
        bool postgresOnly;
    } cases[] = {
        { "E", "select count(*) from wsda where title = #title#", "1", false },
        { "E", "#title#", "%1", false },
        { "E", "select '[#title#]'", "[%1]", false },
        { "E", "select /* the clerk's total */ 'C:' || #title#", "C:%1", false },
        { "E", "select '编号#' || #title#", "编号#%1", false },
        { "J", "select '[#title#]'", "[%1]", false },
        { "J", "select count(*) from wsda where title = '#title#'", "1", false },
        { "G", "select 'C:' || &p&", "C:%1", false },
        { "G", "select /* the clerk's total */ 'C:' || &p&", "C:%1", false },
        { "G", "select 'C:' ||/*c*/&p&", "C:%1", false },
        { "G", "select 'A&B&p&'", "A&B%1", false },
        { "G", "select 'D:&p&' -- &p& isn't here", "D:%1", false },
        { "G", "select \"it's\".c || &p& from (select 'C:' as c) \"it's\"", "C:%1", false },
        { "G", "select [it's].c || &p& from (select 'C:' as c) [it's]", "C:%1", false },
        { "E", "select E'D:#title#'", "D:%1", true },
        { "G", "select E'D:&p&'", "D:%1", true },
        { "G", "select E'it\\'s &p&'", "it's %1", true },
        { "G", "select E'D:\\&p&'", "D:&p&", true },
        { "G", "select E'C:\\\\&p&'", "C:\\%1", true },
        { "G", "select $$D:&p&$$", "D:%1", true },
        { "G", "select $q$it's $q$ || &p&", "it's %1", true },
        { "G", "select $q$ $&p&$ $q$", "", true }, // a "$" of the text's own could make a tag with the value
        { "G", "select /* a /* it's */ b */ 'C:' || &p&", "C:%1", true },
        { "G", "select 'C:' -- it's\r || &p&", "C:%1", true },
        { "G", "select U&'U:&p&'", "U:%1", true },
        { "G", "select U&'V:&p&' /* it's */ UESCAPE '!'", "V:%1", true },
        { "E", "select u&'[#title#]'\n'!'", "[%1]!", true },
        { "J", "select U&'[#title#]' uescape '!'", "[%1]", true },
    };
    const auto expressions = platform::outside::sharedStatExpression();
    // A server reading backslashes as escapes refuses every U&'...' literal.
    const bool refusesUnicodeEscapes = database->connection()->backslashEscapesIn(QStringLiteral("\\"));
    for (const QString& value : values) {
        database->connection()->execute(
            QStringLiteral("update wsda set title = ? where recid = ?"), { value, recordText("recid") });
        database->connection()->execute(
            QStringLiteral("update report_parameter set default_value = ?"), { value });
        record = openSql(QStringLiteral("select * from wsda order by recid"));
        bufferRecord();
        expressions->setConnection(database->connection());
        expressions->setReportId(TestReportId);
        expressions->initialise(platform::outside::ParameterPrompt::Never);
        for (const auto& c : cases) {
            if (c.postgresOnly && GetParam() == orvtest::Backend::SQLite)
                continue;
            const bool refused = (c.sql.contains("$$") && value.contains(u'$'))
                || (c.sql.contains("u&'", Qt::CaseInsensitive) && refusesUnicodeEscapes);
            const QString cell
                = c.letter == QLatin1String("G") ? engine::GetSQLValue(c.sql) : write(item(c.letter, c.sql));
            EXPECT_EQ(cell, refused ? QString() : QString(c.cell).replace(QLatin1String("%1"), value))
                << c.sql.toStdString() << " with " << value.toStdString();
        }
    }
}

// The host's filter and a cell's statement read only: what would write fails, is logged, and changes
// nothing: on SQLite no journal mode or setting of the archive's file, no file made elsewhere; on
// PostgreSQL no large object gone, no sequence moved. Among the reads of a build, which share one
// transaction, a write that PostgreSQL lets through fails the build at its end instead, undone.
TEST_P(CellValuesReadOnly, StatementsWithSideEffectsFailAndChangeNothing)
{
    // A cell's statement holding a "/" is a ratio of two: the files are named in the current folder.
    const QTemporaryDir elsewhere;
    const QString before = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    const auto back = qScopeGuard([&] { QDir::setCurrent(before); });
    const QString attached = QStringLiteral("attached.db");
    const QString copy = QStringLiteral("copy.db");
    struct Case {
        QString letter;
        QString statement;
        QString filter {};
    };
    QList<Case> cases;
    QString largeObject;
    if (GetParam() == orvtest::Backend::SQLite) {
        cases = { { "J", "pragma journal_mode = wal" }, { "J", "pragma user_version = 7" },
            { "J", "select hex(fts3_tokenizer('simple'))" },
            { "J", "attach database '" + attached + "' as other" }, { "J", "vacuum into '" + copy + "'" } };
    } else {
        execute(QStringLiteral("create sequence s"));
        QSqlQuery created = database->connection()->run(QStringLiteral("select lo_create(0)"));
        largeObject = created.next() ? created.value(0).toString() : QString();
        cases = { { "J", "select lo_unlink(" + largeObject + ")" },
            { "L", "select count(*) from wsda", "nextval('s') > 0" } };
    }
    for (const Case& c : cases) {
        store::reportState().SelectWhere = c.filter;
        EXPECT_EQ(write(item(c.letter, c.statement)), QString()) << c.statement.toStdString();
    }
    EXPECT_EQ(loggedProcedures(), QStringList(cases.size(), QStringLiteral("GetSQLValue")));
    if (GetParam() == orvtest::Backend::SQLite) {
        QSqlQuery settings(database->connection()->database());
        EXPECT_TRUE(settings.exec(QStringLiteral("pragma journal_mode")) && settings.next());
        EXPECT_EQ(settings.value(0).toString(), QStringLiteral("delete"));
        EXPECT_TRUE(settings.exec(QStringLiteral("pragma user_version")) && settings.next());
        EXPECT_EQ(settings.value(0).toInt(), 0);
        EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        return;
    }
    store::reportState().SelectWhere.clear();
    {
        platform::db::ReadOnlyReads reads(database->connection().get());
        EXPECT_EQ(write(item("J", "select lo_unlink(" + largeObject + ") as gone")), QStringLiteral("1"));
        EXPECT_THROW(reads.finish(), platform::Error);
    }
    EXPECT_EQ(scalar("select count(*) from pg_largeobject_metadata where oid = " + largeObject), "1");
    EXPECT_EQ(scalar(QStringLiteral("select is_called from s")), QStringLiteral("False"));
}

INSTANTIATE_TEST_SUITE_P(
    Backends, CellValuesReadOnly, testing::ValuesIn(orvtest::literalBackends()), orvtest::BackendTestName());

// ---- fitting texts into their cells -----------------------------------------------------------------

double fontSizeAt(const Sheet& grid, int row, int col)
{
    return grid.format(row, col).fontSize.value_or(platform::grid::kDefaultFontSize);
}

TEST(ShrinkToFit, ATextWiderThanItsCellShrinksUntilItFitsOrToTheSmallestSize)
{
    Sheet grid;
    const QString text = QStringLiteral("一段比单元格宽得多的文字");
    const int designed = platform::grid::measureTextTwips(text, {}).width();
    grid.setColWidth(2, designed / 2);
    grid.setText(3, 2, text);
    grid.select(3, 2, 3, 2);
    engine::ShrinkToFit(grid);
    const double size = fontSizeAt(grid, 3, 2);
    EXPECT_LT(size, platform::grid::kDefaultFontSize);
    platform::grid::TextFont font;
    font.size = size;
    EXPECT_LE(platform::grid::measureTextTwips(text, font).width(), designed / 2);
    font.size = size + 1;
    EXPECT_GT(platform::grid::measureTextTwips(text, font).width(), designed / 2);

    grid.setColWidth(4, 0);
    grid.setText(3, 4, QStringLiteral("文字"));
    grid.select(3, 4, 3, 4);
    engine::ShrinkToFit(grid);
    EXPECT_EQ(fontSizeAt(grid, 3, 4), engine::MinShrinkFontPoints);
}

TEST(ShrinkToFit, FittingWrappedAndMergedTextsKeepTheirSize)
{
    Sheet grid;
    const QString text = QStringLiteral("合并单元格中的文字");
    const int width = platform::grid::measureTextTwips(text, {}).width();
    grid.setColWidth(2, width / 2 + 10);
    grid.setColWidth(3, width / 2 + 10);
    grid.merge({ 3, 2, 3, 3 });
    grid.setText(3, 2, text);
    grid.select(3, 2, 3, 2);
    engine::ShrinkToFit(grid);
    EXPECT_EQ(fontSizeAt(grid, 3, 2), platform::grid::kDefaultFontSize);

    platform::grid::CellFormat wrap;
    wrap.wrapText = true;
    grid.applyFormat(platform::grid::CellRange::cell(5, 2), wrap);
    grid.setText(5, 2, text);
    grid.select(5, 2, 5, 2);
    engine::ShrinkToFit(grid);
    EXPECT_EQ(fontSizeAt(grid, 5, 2), platform::grid::kDefaultFontSize);
}

// A sheet made where another one was can hold another format under the same style id: each fits by its
// own formats, whatever the one before decided.
TEST(ShrinkToFit, ASheetFitsByItsOwnFormatsWhereAnotherSheetWasBefore)
{
    const QString text = QStringLiteral("档案目录");
    const int width = platform::grid::measureTextTwips(text, {}).width() * 2;
    for (const double size : { 9.0, 42.0 }) {
        Sheet grid;
        platform::grid::CellFormat font;
        font.fontSize = size;
        grid.applyFormat(platform::grid::CellRange::cell(3, 2), font);
        grid.setColWidth(2, width);
        grid.setText(3, 2, text);
        grid.select(3, 2, 3, 2);
        engine::ShrinkToFit(grid);
        EXPECT_EQ(fontSizeAt(grid, 3, 2) < size, size > 2 * platform::grid::kDefaultFontSize) << size;
    }
}

} // namespace

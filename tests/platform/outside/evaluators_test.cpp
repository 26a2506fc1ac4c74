#include "demo/DemoFormulas.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "platform/Error.h"
#include "platform/outside/ChoiceListDialog.h"
#include "platform/outside/ReportParameterDialog.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SpecialFormulaObject.h"
#include "platform/outside/SqlAdapterObject.h"
#include "platform/outside/SqlFormulaObject.h"
#include "platform/outside/StatExpressionObject.h"
#include "platform/ui/ScriptedUi.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace orvtest;
using platform::outside::ParameterPrompt;
using platform::outside::ReportParameterDialog;
using platform::outside::SpecialFormulaObject;
using platform::outside::SqlFormulaObject;
using platform::outside::StatExpressionObject;

namespace
{

const QString ReportA = QStringLiteral("20240101090000000002");
const QString ReportB = QStringLiteral("20240101090000000009");

class Evaluators : public orvtest::BackendTest
{
protected:
    Evaluators()
        : database(GetParam(), TestDatabase::Content::DemoArchive, 200)
    {
    }
    void SetUp() override
    {
        addParameter(ReportA, QStringLiteral("年度"), QStringLiteral("2004"));
        addParameter(ReportA, QStringLiteral("期限"), QStringLiteral("长期"));
        addParameter(ReportB, QStringLiteral("年度"), QStringLiteral("2009"));
    }
    ~Evaluators() override { platform::outside::releaseShared(); }

    void addParameter(const QString& report, const QString& name, const QString& value)
    {
        database.connection()->execute(
            QStringLiteral("insert into report_parameter (report_id, name, default_value) values (?, ?, ?)"),
            { report, name, value });
    }

    StatExpressionObject parametersOf(const QString& report)
    {
        StatExpressionObject expressions;
        expressions.setConnection(database.connection());
        expressions.setReportId(report);
        return expressions;
    }

    std::unique_ptr<platform::db::Recordset> firstArchiveRecord()
    {
        return platform::outside::sharedSqlAdapter()->open(
            QStringLiteral("select * from wsda order by recid"), *database.connection());
    }

    std::vector<platform::db::Field> fieldsOf(const platform::db::Recordset& record)
    {
        std::vector<platform::db::Field> fields;
        for (int i = 0; i < record.fieldCount(); ++i)
            fields.push_back(record.field(i));
        return fields;
    }

    TestDatabase database;
};

TEST_P(Evaluators, SqlFormulasOfTheDemoArchive)
{
    SqlFormulaObject formula;
    formula.setConnection(database.connection());
    formula.setFormula(demo::DocumentCountFormula);
    EXPECT_EQ(formula.result(), database.scalar(QStringLiteral("select count(*) from wsda")));
    formula.setFormula(QStringLiteral(" ") + demo::PageCountFormula + QStringLiteral(" "));
    EXPECT_EQ(formula.result(), database.scalar(QStringLiteral("select sum(page_no) from wsda")));

    formula.setFormula(QStringLiteral("没有的公式"));
    EXPECT_THROW(formula.result(), platform::Error);
    SqlFormulaObject unconnected;
    unconnected.setFormula(demo::DocumentCountFormula);
    EXPECT_THROW(unconnected.result(), platform::Error);
}

// Field marks become SQL literals of the current record's values, NULL included, so that a quote in a value
// cannot change a statement.
TEST_P(Evaluators, SpecialFormulasOverTheCurrentRecord)
{
    const QString recid = firstArchiveRecord()->text(QStringLiteral("recid"));
    database.connection()->execute(QStringLiteral("update wsda set title = ?, note = null where recid = ?"),
        { QStringLiteral("x' or '1'='1"), recid });
    const auto record = firstArchiveRecord();
    SpecialFormulaObject formula;
    formula.setConnection(database.connection());
    formula.setFields(fieldsOf(*record));
    formula.setRecordFlag(platform::outside::recordflags::LastOfPage);
    const QString folder = record->text(QStringLiteral("folder_no"));
    const struct {
        QString formula;
        QString value;
    } cases[] = {
        { "#page_no# + 1", QString::number(record->value(QStringLiteral("page_no")).toInt() + 1) },
        { "#wsda.TITLE#", "x' or '1'='1" },
        { "#@flag#", "8" },
        { "select count(*) from wsda where folder_no = #folder_no#",
            database.scalar(QStringLiteral("select count(*) from wsda where folder_no = ")
                + platform::db::sqlText(folder)) },
        { "  SELECT max(piece_no) from wsda where folder_no = #folder_no#",
            database.scalar(QStringLiteral("select max(piece_no) from wsda where folder_no = ")
                + platform::db::sqlText(folder)) },
        { "select count(*) from wsda where title = #title#", "1" },
        { "case when #note# is null then '空' else '有' end", "空" },
    };
    for (const auto& c : cases) {
        formula.setFormula(c.formula);
        EXPECT_EQ(formula.result(), c.value) << c.formula.toStdString();
    }
    formula.setFormula(QStringLiteral("#no_such_field#"));
    EXPECT_THROW(formula.result(), platform::Error);
}

TEST_P(Evaluators, ParametersInTextsAndStatements)
{
    StatExpressionObject expressions = parametersOf(ReportA);
    EXPECT_EQ(expressions.evaluate(QStringLiteral("&年度&年度 &期限& & &其他& &")),
        QStringLiteral("2004年度 长期 & &其他& &"));
    EXPECT_EQ(expressions.evaluateSql(QStringLiteral("select count(*) from wsda where filing_year=&年度& and "
                                                     "retention=&期限& and title like '%&期限&%'")),
        QStringLiteral(
            "select count(*) from wsda where filing_year=2004 and retention='长期' and title like '%长期%'"));
    EXPECT_EQ(database.scalar(expressions.evaluateSql(
                  QStringLiteral("select count(*) from wsda where filing_year=&年度& and retention=&期限&"))),
        database.scalar(
            QStringLiteral("select count(*) from wsda where filing_year=2004 and retention='长期'")));

    // Another report has its own parameters.
    expressions.setReportId(ReportB);
    EXPECT_EQ(expressions.evaluate(QStringLiteral("&年度&/&期限&")), QStringLiteral("2009/&期限&"));
}

TEST_P(Evaluators, AParameterValueCannotChangeAStatement)
{
    database.connection()->execute(
        QStringLiteral("update report_parameter set default_value = ? where name = ?"),
        { QStringLiteral("长期' or '1'='1"), QStringLiteral("期限") });
    StatExpressionObject expressions = parametersOf(ReportA);
    const QString sql
        = expressions.evaluateSql(QStringLiteral("select count(*) from wsda where retention=&期限&"));
    EXPECT_EQ(sql, QStringLiteral("select count(*) from wsda where retention='长期'' or ''1''=''1'"));
    EXPECT_EQ(database.scalar(sql), QStringLiteral("0"));
    EXPECT_EQ(database.scalar(expressions.evaluateSql(
                  QStringLiteral("select count(*) from wsda where retention='&期限&'"))),
        QStringLiteral("0"));

    // A negative number stays a number in code: "1-&年度&" becomes no "--" comment; inside a literal it
    // stays as typed.
    database.connection()->execute(QStringLiteral("update report_parameter set default_value = ' -5 '"));
    StatExpressionObject negative = parametersOf(ReportA);
    EXPECT_EQ(database.scalar(negative.evaluateSql(QStringLiteral("select (1-&年度& + 1) || '[&年度&]'"))),
        QStringLiteral("7[ -5 ]"));
}

TEST_P(Evaluators, TheValuesOfABuildAreAskedOnceThroughTheDialogAndCancelKeepsTheDefaults)
{
    platform::ui::ScriptedUi ui;
    int asked = 0;
    bool cancel = false;
    ui.onDialog(QStringLiteral("ReportParameterDialog"), [&](QDialog& dialog) {
        ++asked;
        auto& parameters = static_cast<ReportParameterDialog&>(dialog);
        EXPECT_TRUE(parameters.setValue(QStringLiteral("年度"), QStringLiteral("2007")));
        EXPECT_FALSE(parameters.setValue(QStringLiteral("没有"), QStringLiteral("1")));
        cancel ? dialog.reject() : dialog.accept();
    });
    StatExpressionObject expressions = parametersOf(ReportA);
    expressions.initialise();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(expressions.evaluate(QStringLiteral("&年度&-&期限&")), QStringLiteral("2007-长期"));
    EXPECT_EQ(expressions.evaluate(QStringLiteral("&年度&")), QStringLiteral("2007"));
    EXPECT_EQ(asked, 1);

    // Silent builds and reports without parameters ask nothing; the defaults serve.
    expressions.initialise(ParameterPrompt::Never);
    EXPECT_EQ(expressions.evaluate(QStringLiteral("&年度&")), QStringLiteral("2004"));
    expressions.setReportId(QStringLiteral("20240101090000000001"));
    expressions.initialise();
    EXPECT_EQ(asked, 1);

    cancel = true;
    StatExpressionObject cancelled = parametersOf(ReportA);
    cancelled.initialise();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(cancelled.evaluate(QStringLiteral("&年度&")), QStringLiteral("2004"));
}

TEST_P(Evaluators, TheDesignerPicksAParameterByItsMark)
{
    platform::ui::ScriptedUi ui;
    ui.onDialog(QStringLiteral("ChoiceListDialog"), [](QDialog& dialog) {
        EXPECT_TRUE(static_cast<platform::outside::ChoiceListDialog&>(dialog).choose(QStringLiteral("期限")));
        dialog.accept();
    });
    StatExpressionObject expressions = parametersOf(ReportA);
    expressions.showParameterDialog();
    EXPECT_EQ(expressions.chosenParameter(), QStringLiteral("&期限&"));

    StatExpressionObject none = parametersOf(QStringLiteral("20240101090000000001"));
    none.showParameterDialog();
    EXPECT_TRUE(none.chosenParameter().isEmpty());
    EXPECT_EQ(ui.boxTexts(), QStringList { QStringLiteral("没有定义统计参数。") });
}

TEST_P(Evaluators, TheDataSourceDialogPicksAStoredSqlFormula)
{
    platform::ui::ScriptedUi ui;
    QString answer = demo::PageCountFormula;
    ui.onDialog(QStringLiteral("ChoiceListDialog"), [&](QDialog& dialog) {
        if (static_cast<platform::outside::ChoiceListDialog&>(dialog).choose(answer))
            dialog.accept();
        else
            dialog.reject();
    });
    SqlFormulaObject picker;
    picker.setConnection(database.connection());
    EXPECT_EQ(picker.chosenFormulaName(), demo::PageCountFormula);
    EXPECT_EQ(picker.chosenFormulaDescription(), QStringLiteral("文书档案的全部页数"));

    answer = QStringLiteral("不在列表中");
    EXPECT_TRUE(picker.chosenFormulaName().isEmpty());
    EXPECT_TRUE(picker.chosenFormulaDescription().isEmpty());

    database.connection()->execute(QStringLiteral("delete from sql_formula"));
    EXPECT_TRUE(picker.chosenFormulaName().isEmpty());
    EXPECT_EQ(ui.boxTexts(), QStringList { QStringLiteral("没有定义SQL公式。") });
}

INSTANTIATE_TEST_SUITE_P(Backends, Evaluators, testing::ValuesIn(allBackends()), BackendTestName());

} // namespace

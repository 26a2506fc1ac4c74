#include "platform/Error.h"
#include "platform/grid/formula/Formula.h"

#include <cmath>
#include <gtest/gtest.h>
#include <QHash>

using namespace platform::grid;
using namespace platform::grid::formula;

namespace
{

CellError err(const char* code)
{
    return CellError { QString::fromLatin1(code) };
}

// A small sheet: column A holds one value of every kind, B and C a few numbers and a text.
CellValue sampleCell(int row, int col)
{
    static const QHash<QPair<int, int>, CellValue> cells {
        { { 1, 1 }, 1.0 },
        { { 2, 1 }, 2.0 },
        { { 3, 1 }, 3.0 },
        { { 4, 1 }, QStringLiteral("text") },
        // A5 is empty
        { { 6, 1 }, true },
        { { 7, 1 }, QStringLiteral("12") },
        { { 8, 1 }, err("#DIV/0!") },
        { { 1, 2 }, 10.0 },
        { { 2, 2 }, -4.5 },
        { { 1, 3 }, QStringLiteral("abc") },
    };
    return cells.value({ row, col });
}

std::string describe(const CellValue& value)
{
    struct Visitor {
        std::string operator()(std::monostate) const { return "<empty>"; }
        std::string operator()(double number) const { return std::to_string(number); }
        std::string operator()(const QString& text) const { return "\"" + text.toStdString() + "\""; }
        std::string operator()(bool logical) const { return logical ? "TRUE" : "FALSE"; }
        std::string operator()(const CellError& error) const { return error.code.toStdString(); }
    };
    return std::visit(Visitor {}, value);
}

bool sameValue(const CellValue& actual, const CellValue& expected)
{
    const auto* a = std::get_if<double>(&actual);
    const auto* e = std::get_if<double>(&expected);
    if (a && e)
        return std::fabs(*a - *e) <= 1e-12 * std::max(1.0, std::fabs(*e));
    return actual == expected;
}

struct EvaluationCase {
    const char* formula;
    CellValue expected;
};

const EvaluationCase kEvaluationCases[] = {
    // precedence and associativity
    { "1+2*3", 7.0 },
    { "(1+2)*3", 9.0 },
    { "10-4-3", 3.0 },
    { "12/4/3", 1.0 },
    { "2^3^2", 64.0 },
    { "-2^2", 4.0 },
    { "2^-1", 0.5 },
    { "50%", 0.5 },
    { "10%*A2", 0.2 },
    { "1+2=3", true },
    { "\"a\"&1+2", QStringLiteral("a3") },
    // references and conversions
    { "A1+A2*A3", 7.0 },
    { "$A$1+A$2+$A3", 6.0 },
    { "a1+b1", 11.0 },
    { "A5", 0.0 },
    { "A7+1", 13.0 },
    { "\"1,000\"+1", 1001.0 },
    { "A6+1", 2.0 },
    { "TRUE+TRUE", 2.0 },
    { "+A4", QStringLiteral("text") },
    { "A4+1", err("#VALUE!") },
    { "A1:A3", err("#VALUE!") },
    // errors
    { "1/0", err("#DIV/0!") },
    { "A1/A5", err("#DIV/0!") },
    { "A8+1", err("#DIV/0!") },
    { "A4+A8", err("#DIV/0!") },
    { "0^0", err("#NUM!") },
    { "(-8)^(1/3)", err("#NUM!") },
    { "1E+308*10", err("#NUM!") },
    { "#REF!+1", err("#REF!") },
    { "SUM(#REF!)", err("#REF!") },
    { "FOO(1)", err("#NAME?") },
    { "foo", err("#NAME?") },
    // texts
    { "\"a\"&\"b\"", QStringLiteral("ab") },
    { "A1&A4", QStringLiteral("1text") },
    { "A5&\"x\"", QStringLiteral("x") },
    { "A6&\"\"", QStringLiteral("TRUE") },
    { "1/3&\"\"", QStringLiteral("0.333333333333333") },
    { "\"say \"\"hi\"\"\"", QStringLiteral("say \"hi\"") },
    // comparisons
    { "1=1", true },
    { "1<>1", false },
    { "2<10", true },
    { "\"2\"<\"10\"", false },
    { "\"abc\"=\"ABC\"", true },
    { "1<\"a\"", true },
    { "\"z\"<TRUE", true },
    { "A5=0", true },
    { "A5=\"\"", true },
    { "0.1+0.2=0.3", true },
    { "A1>=1", true },
    { "A1<=0", false },
    // aggregates skip texts, logical values and empties of ranges, but not errors
    { "SUM(A1:A7)", 6.0 },
    { "SUM(A1:A8)", err("#DIV/0!") },
    { "SUM(A1,A7)", 1.0 },
    { "SUM((A1:A3))", 6.0 },
    { "SUM(1,\"2\",TRUE)", 4.0 },
    { "SUM(\"x\")", err("#VALUE!") },
    { "AVERAGE(A1:A3)", 2.0 },
    { "AVERAGE(A4:A5)", err("#DIV/0!") },
    { "MIN(A1:B2)", -4.5 },
    { "MAX(A1:B2)", 10.0 },
    { "MIN(A4)", 0.0 },
    { "COUNT(A1:A8)", 3.0 },
    { "COUNT(1,\"x\",\"2\",A8)", 2.0 },
    { "ROUND(2.5,0)", 3.0 },
    { "ROUND(-2.5,0)", -3.0 },
    { "ROUND(1.005,2)", 1.01 },
    { "ROUND(1234.5,-2)", 1200.0 },
    { "ROUND(A4,1)", err("#VALUE!") },
    { "ABS(B2)", 4.5 },
    { "IF(A1>0,\"pos\",\"neg\")", QStringLiteral("pos") },
    { "IF(A1>5,\"big\")", false },
    { "IF(A1,1/0,2)", err("#DIV/0!") },
    { "IF(0,1/0,2)", 2.0 },
    { "IF(\"true\",1,2)", 1.0 },
    { "IF(\"maybe\",1,2)", err("#VALUE!") },
    { "IF(A8,1,2)", err("#DIV/0!") },
    { "IF(1,A5)", 0.0 },
    { "SUM(A1:A3)*2-ROUND(AVERAGE(B1:B2),1)", 9.2 },
};

} // namespace

TEST(FormulaEvaluate, ValuesOfTheTable)
{
    for (const EvaluationCase& c : kEvaluationCases) {
        const CellValue actual = Formula::parse(QString::fromUtf8(c.formula)).evaluate(sampleCell);
        EXPECT_TRUE(sameValue(actual, c.expected))
            << c.formula << " gave " << describe(actual) << ", expected " << describe(c.expected);
    }
    const Formula empty; // what a cell without a formula holds
    EXPECT_EQ(empty.evaluate(sampleCell), CellValue());
    EXPECT_TRUE(empty.text().isEmpty() && empty.references().isEmpty());
}

TEST(FormulaEvaluate, EachCellNeededIsLookedUpOnceAndNoOther)
{
    QList<QPair<int, int>> visited;
    const auto recording = [&](int row, int col) -> CellValue {
        visited << qMakePair(row, col);
        return double(row * 10 + col);
    };
    EXPECT_EQ(Formula::parse("SUM(B2:C4)").evaluate(recording), CellValue(22.0 + 23 + 32 + 33 + 42 + 43));
    EXPECT_EQ(visited.size(), 6);
    visited.clear();
    Formula::parse("IF(TRUE,1,SUM(A1:A100))").evaluate(recording); // only the chosen branch is computed
    EXPECT_TRUE(visited.isEmpty());
}

TEST(FormulaEvaluate, RangesAreVisitedOnlyWhereTheSheetHoldsData)
{
    int lookups = 0;
    const auto counting = [&](int row, int col) -> CellValue {
        ++lookups;
        return row <= 3 && col <= 2 ? CellValue(1.0) : CellValue();
    };
    const Formula whole = Formula::parse("SUM(A1:XFD1048576)+COUNT($B$2:C9)+A1");
    EXPECT_EQ(whole.evaluate(counting, CellRange { 1, 1, 3, 2 }), CellValue(6.0 + 2 + 1));
    EXPECT_EQ(lookups, 6 + 2 + 1);
}

TEST(FormulaEvaluate, SyntaxErrorsThrowInvalidArgument)
{
    const QString deeplyNested = QString(200, u'(') + u'1' + QString(200, u')');
    const QString tooLong = QStringLiteral("1") + QStringLiteral("+1").repeated(5000);
    const QString texts[]
        = { "", "1+", "(1", "1)", "SUM(1,", "\"abc", "A1:", "A1:foo", "1 2", "ROUND(1)", "ABS(1,2)", "IF(1)",
              "#FOO!", "@", "SUM(1,)", "1+*2", "A1:#REF!", "SUM(A1 B1)", deeplyNested, tooLong };
    for (const QString& text : texts) {
        try {
            Formula::parse(text);
            ADD_FAILURE() << "parsed: " << text.left(40).toStdString();
        } catch (const platform::Error& error) {
            EXPECT_EQ(error.number(), platform::errors::InvalidArgument) << text.left(40).toStdString();
            EXPECT_FALSE(error.description().isEmpty());
        }
    }
}

#include "platform/grid/formula/Formula.h"

#include <gtest/gtest.h>

using namespace platform::grid;
using namespace platform::grid::formula;

namespace
{

struct TextCase {
    const char* typed;
    const char* canonical;
};

const TextCase kTextCases[] = {
    { " 1 + 2 * 3 ", "1+2*3" },
    { "sum( a1 : b2 , $c$3 )", "SUM(A1:B2,$C$3)" },
    { "B3:A1", "A1:B3" },
    { "$B3:A$1", "A$1:$B3" },
    { "\"say \"\"hi\"\"\"", "\"say \"\"hi\"\"\"" },
    { "\"中文\"&A1", "\"中文\"&A1" },
    { "1e3", "1000" },
    { "0.50", "0.5" },
    { "1E+20", "1E+20" },
    { "123456789", "123456789" },
    { "0.000001", "0.000001" },
    { "1.5e-7", "1.5E-07" },
    { "-(-1)", "-(-1)" },
    { "+1", "+1" },
    { "50%", "50%" },
    { "a1<>b1", "A1<>B1" },
    { "if(true,1,false)", "IF(TRUE,1,FALSE)" },
    { "#ref!+1", "#REF!+1" },
    { "foo(1)", "FOO(1)" },
    { "SUM(A1:A3)*2-ROUND(AVERAGE(B1:B2),1)", "SUM(A1:A3)*2-ROUND(AVERAGE(B1:B2),1)" },
    { "2^-1", "2^-1" },
    { "$XFD$1048576", "$XFD$1048576" },
};

} // namespace

TEST(FormulaText, CanonicalTextRoundTrips)
{
    for (const TextCase& c : kTextCases) {
        const QString text = Formula::parse(QString::fromUtf8(c.typed)).text();
        EXPECT_EQ(text, QString::fromUtf8(c.canonical)) << c.typed;
        EXPECT_EQ(Formula::parse(text).text(), text) << c.typed;
    }
}

TEST(FormulaText, ReferencesListEveryCellAndRangeInOrder)
{
    const QList<CellRange> expected { { 1, 1, 2, 2 }, { 3, 3, 3, 3 }, { 4, 4, 4, 4 }, { 1, 1, 3, 2 } };
    EXPECT_EQ(Formula::parse("SUM(A1:B2)+C3*$D$4-MAX(B3:A1)").references(), expected);
    EXPECT_TRUE(Formula::parse("1+#REF!").references().isEmpty());
}

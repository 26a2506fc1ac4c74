#include "store/clsPropertyHandle.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QLabel>
#include <QRandomGenerator>

using store::clsPropertyHandle;
using store::PropertyDataType;

namespace
{

struct Split {
    bool ok = false;
    QString name = QStringLiteral("<unset>");
    int dataType = -7;
    QString value = QStringLiteral("<unset>");
};

Split byName(const QString& text, const QString& name)
{
    Split s;
    s.name = name;
    s.ok = clsPropertyHandle::GetPropertyByName(text, s.name, s.dataType, s.value);
    return s;
}

Split byNo(const QString& text, int no)
{
    Split s;
    s.ok = clsPropertyHandle::GetPropertyByNo(text, no, s.name, s.dataType, s.value);
    return s;
}

Split separate(const QString& item)
{
    Split s;
    s.ok = clsPropertyHandle::SeparateString(item, s.name, s.dataType, s.value);
    return s;
}

QString item(const char* name, PropertyDataType type, const QString& value)
{
    return clsPropertyHandle::GetPropertyString(QString::fromUtf8(name), type, value);
}

} // namespace

TEST(PropertyString, WritesItemsWithEscapedValues)
{
    struct Case {
        const char* name;
        PropertyDataType type;
        const char* value;
        const char* expected;
    };
    const Case cases[] = {
        { "", PropertyDataType::String, "anything", "" },
        { "A", PropertyDataType::String, "   ", "@A|1|" },
        { "INPUTFORMAT", PropertyDataType::String, "@", "@INPUTFORMAT|1|\\@" },
        { "X", PropertyDataType::String, "a|b\\c", "@X|1|a\\|b\\\\c" },
        { "FONTBOLD", PropertyDataType::Boolean, "TRUE", "@FONTBOLD|4|TRUE" },
        { "N", PropertyDataType::String, " lead and trail ", "@N|1| lead and trail " },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(item(c.name, c.type, QString::fromUtf8(c.value)), QString::fromUtf8(c.expected)) << c.name;
    }
}

// Every datatype and every character that needs escaping survives writing, searching by name and by number.
TEST(PropertyString, RoundTripsEveryDatatypeAndEscapedCharacter)
{
    struct Value {
        const char* name;
        PropertyDataType type;
        const char* text;
    };
    const Value values[] = {
        { "FONTNAME", PropertyDataType::String, "宋体" },
        { "FONTSIZE", PropertyDataType::Integer, "-12" },
        { "SCALE", PropertyDataType::Double, "0.39375" },
        { "FONTBOLD", PropertyDataType::Boolean, "FALSE" },
        { "WHEN", PropertyDataType::Date, "2024-01-31" },
        { "FONTCOLOR", PropertyDataType::Long, "2147483647" },
        { "BACKSLASH", PropertyDataType::String, "\\" },
        { "AT", PropertyDataType::String, "@" },
        { "BAR", PropertyDataType::String, "|" },
        { "MIXED", PropertyDataType::String, "a\\@b|c@@d\\\\|e\\" },
        { "ESCAPELIKE", PropertyDataType::String, "\\@\\|\\\\" },
        { "INNER", PropertyDataType::String, "x @FONTNAME|1|fake y" },
        { "BLANKS", PropertyDataType::String, "  inner  blanks  " },
    };
    QString text;
    for (const auto& v : values)
        text += item(v.name, v.type, QString::fromUtf8(v.text));

    for (const auto& v : values) {
        const Split found = byName(text, QString::fromUtf8(v.name));
        ASSERT_TRUE(found.ok) << v.name;
        EXPECT_EQ(found.name, QString::fromUtf8(v.name));
        EXPECT_EQ(found.dataType, static_cast<int>(v.type)) << v.name;
        EXPECT_EQ(found.value, QString::fromUtf8(v.text)) << v.name;

        // Counting every "@" (also the escaped ones) finds the item at the position of its own "@".
        const QString prefix = text.left(text.indexOf(item(v.name, v.type, QString::fromUtf8(v.text))));
        const int at = static_cast<int>(prefix.count(QLatin1Char('@'))) + 1;
        const Split numbered = byNo(text, at);
        ASSERT_TRUE(numbered.ok) << v.name;
        EXPECT_EQ(numbered.value, QString::fromUtf8(v.text)) << v.name;
    }
}

TEST(PropertyString, RandomValuesOfEscapeCharactersRoundTrip)
{
    QRandomGenerator random(20240101);
    const QString alphabet = QStringLiteral("\\@|a 字");
    for (int i = 0; i < 2000; ++i) {
        QString value;
        const int length = 1 + random.bounded(10);
        for (int k = 0; k < length; ++k)
            value += alphabet.at(random.bounded(static_cast<int>(alphabet.size())));
        if (value.trimmed().isEmpty())
            continue;
        const QString text
            = item("P", PropertyDataType::String, value) + item("Q", PropertyDataType::String, value);
        const Split p = byName(text, QStringLiteral("P"));
        const Split q = byName(text, QStringLiteral("Q"));
        ASSERT_TRUE(p.ok && q.ok) << value.toStdString();
        ASSERT_EQ(p.value, value);
        ASSERT_EQ(q.value, value);
    }
}

TEST(PropertyString, SearchEdgeCases)
{
    struct Case {
        const char* label;
        Split actual;
        bool ok;
        const char* name;
        int dataType;
        const char* value;
    };
    const Case cases[] = {
        { "escaped at sign", byName("@INPUTFORMAT|1|\\@", "INPUTFORMAT"), true, "INPUTFORMAT", 1, "@" },
        { "longer name first", byName("@FONTNAMEX|1|a@FONTNAME|1|b", "FONTNAME"), true, "FONTNAME", 1, "b" },
        { "name inside a value", byName("@X|1|\\@FONTNAME\\|1\\|z", "FONTNAME"), false, "FONTNAME", -7,
            "<unset>" },
        { "name at start", byName("FONTNAME|1|a@FONTNAME|1|b", "FONTNAME"), false, "FONTNAME", -7,
            "<unset>" },
        { "absent name", byName("@A|2|5", "B"), false, "B", -7, "<unset>" },
        { "blank text", byName("   ", "A"), false, "A", -7, "<unset>" },
        { "second of two", byNo("@A|2|5@B|2|6", 2), true, "B", 2, "6" },
        { "third of two", byNo("@A|2|5@B|2|6", 3), false, "<unset>", -7, "<unset>" },
        { "escaped at counts", byNo("@INPUTFORMAT|1|\\@", 2), false, "<unset>", -7, "<unset>" },
        { "several escaped at signs", byNo("@N|1|a\\@b\\@c@M|1|d", 1), true, "N", 1, "a@b@c" },
        { "after escaped at signs", byNo("@N|1|a\\@b\\@c@M|1|d", 4), true, "M", 1, "d" },
        { "one bar", separate("@A|5"), false, "A", -7, "<unset>" },
        { "datatype not a number", separate("@A|x|5"), true, "A", -7, "5" },
        { "value keeps bars", separate("@A|1|b|c"), true, "A", 1, "b|c" },
        { "no bar", separate("@A"), false, "<unset>", -7, "<unset>" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.actual.ok, c.ok) << c.label;
        EXPECT_EQ(c.actual.name, QString::fromUtf8(c.name)) << c.label;
        EXPECT_EQ(c.actual.dataType, c.dataType) << c.label;
        EXPECT_EQ(c.actual.value, QString::fromUtf8(c.value)) << c.label;
    }
}

TEST(PropertyString, TransValueConvertsByDatatype)
{
    struct Case {
        int type;
        const char* text;
        QVariant expected;
    };
    const QVariant empty = QString(QLatin1String(""));
    const Case cases[] = {
        { 1, " keep ", QString(QLatin1String(" keep ")) },
        { 2, "42", 42 },
        { 2, "2.5", 2 },
        { 2, "3.5", 4 },
        { 2, "abc", empty },
        { 2, "40000", empty },
        { 3, "0.7875", 0.7875 },
        { 3, "x", empty },
        { 4, " true ", true },
        { 4, "FALSE", false },
        { 4, "no", empty },
        { 5, "2024-01-31", QDateTime(QDate(2024, 1, 31), QTime(0, 0)) },
        { 5, "2024-01-31 08:05:09", QDateTime(QDate(2024, 1, 31), QTime(8, 5, 9)) },
        { 5, "never", empty },
        { 6, "16777215", 16777215 },
        { 6, "3000000000", empty },
        { 9, "1", empty },
    };
    for (const auto& c : cases) {
        QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(clsPropertyHandle::TransValue(c.type, text), c.expected) << c.type << " " << c.text;
    }
    QString lower = QStringLiteral(" true ");
    clsPropertyHandle::TransValue(4, lower);
    EXPECT_EQ(lower, QStringLiteral(" TRUE "));
}

TEST(PropertyString, SetObjectPropertyAppliesItemsAndConsumesText)
{
    QLabel label;
    QString text
        = QStringLiteral("@CAPTION|1|Hi@fontbold|4|TRUE@FONTSIZE|2|15@NOSUCH|1|x@FORECOLOR|6|16711680"
                         "@LEFT|2|7@WIDTH|2|120");
    EXPECT_TRUE(clsPropertyHandle::SetObjectProperty(&label, text));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(label.text(), QStringLiteral("Hi"));
    EXPECT_TRUE(label.font().bold());
    EXPECT_EQ(label.font().pointSize(), 15);
    EXPECT_FALSE(label.property("NOSUCH").isValid());
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(label.geometry().left(), 7);
    EXPECT_EQ(label.geometry().width(), 120);

    QString noItem = QStringLiteral("CAPTION|1|Ho");
    EXPECT_FALSE(clsPropertyHandle::SetObjectProperty(&label, noItem));
    EXPECT_TRUE(noItem.isEmpty());
    EXPECT_EQ(label.text(), QStringLiteral("Hi"));

    QString escaped = QStringLiteral("ignored@TEXT|1|a\\@b\\|c");
    EXPECT_TRUE(clsPropertyHandle::SetObjectProperty(&label, escaped));
    EXPECT_EQ(label.text(), QStringLiteral("a@b|c"));
}

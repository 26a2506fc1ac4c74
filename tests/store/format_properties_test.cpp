#include "store/CellSourceText.h"
#include "store/FormatProperties.h"
#include "store/ReportKeywords.h"
#include "store/SizeLists.h"

#include <functional>
#include <gtest/gtest.h>
#include <tuple>

using platform::grid::Border;
using platform::grid::BorderSide;
using platform::grid::BorderStyle;
using platform::grid::CellFormat;
namespace k = store::keywords;

namespace
{

CellFormat defaultLook()
{
    CellFormat f;
    f.fontName = QStringLiteral("宋体");
    f.fontSize = 10.5;
    f.fontBold = f.fontItalic = f.fontUnderline = f.fontStrikeOut = false;
    f.fontColor = 0;
    f.hAlign = platform::grid::HAlign::General;
    f.vAlign = platform::grid::VAlign::Bottom;
    f.numberFormat = QStringLiteral("General");
    f.wrapText = false;
    f.mergeCells = false;
    return f;
}

TEST(FormatString, WritesEachKindInItsStoredForm)
{
    CellFormat f = defaultLook();
    f.fontName = QStringLiteral("A@B|C\\D");
    f.fontSize = 10.5;
    f.fontItalic = true;
    f.fontColor = 0x0000FF; // blue
    f.numberFormat = QStringLiteral("@");
    f.border(BorderSide::Left) = Border { BorderStyle::Thin, 0xFF0000 };
    f.border(BorderSide::Right) = Border { BorderStyle::Double, 0 };
    f.border(BorderSide::Top) = Border { BorderStyle::None, 0 };
    f.wrapText = true;
    f.mergeCells = true;

    const struct {
        const QString& kind;
        QString text;
    } cases[] = {
        { k::Font,
            "@FONTNAME|1|A\\@B\\|C\\\\D@FONTSIZE|1|10.5@FONTBOLD|4|False@FONTITALIC|4|True@FONTCOLOR|6|"
            "16711680"
            "@FONTUNDERLINE|4|False@FONTSTRIKEOUT|4|False" },
        { k::Alignment, "@HALIGNMENT|2|1@VALIGNMENT|2|3" },
        { k::Border,
            "@WHICHBORDER|2|1@BORDERSTYLE|2|1@BORDERCOLOR|6|255@WHICHBORDER|2|3@BORDERSTYLE|2|6@BORDERCOLOR|"
            "6|0" },
        { k::InputFormat, "@INPUTFORMAT|1|\\@" },
        { k::WrapText, "@WRAPTEXT|4|True" },
        { k::Merge, "@MERGE|4|True" },
        { k::ShrinkToFit, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(store::GetFormatString(c.kind, f), c.text) << c.kind.toStdString();

    // Kinds with nothing to say.
    const CellFormat plain = defaultLook();
    EXPECT_EQ(store::GetFormatString(k::Border, plain), QString());
    EXPECT_EQ(store::GetFormatString(k::WrapText, plain), QString());
    EXPECT_EQ(store::GetFormatString(k::Merge, plain), QString());
    CellFormat dated = plain;
    dated.numberFormat = QStringLiteral("yyyy-mm-dd");
    EXPECT_EQ(store::GetFormatString(k::InputFormat, dated), QStringLiteral("@INPUTFORMAT|1|yyyy-mm-dd"));
}

TEST(FormatString, EveryKindReadsBackToTheSameLook)
{
    CellFormat f = defaultLook();
    f.fontName = QStringLiteral("楷体@|\\");
    f.fontSize = 13.25;
    f.fontBold = f.fontUnderline = true;
    f.fontColor = 0x336699;
    f.hAlign = platform::grid::HAlign::Right;
    f.vAlign = platform::grid::VAlign::Top;
    f.numberFormat = QStringLiteral("#,##0.00\\元|@");
    f.border(BorderSide::Top) = Border { BorderStyle::Medium, 0x00FF00 };
    f.border(BorderSide::Bottom) = Border { BorderStyle::Dotted, 0x0000FF };
    f.wrapText = true;

    CellFormat read;
    for (const QString* kind : { &k::Font, &k::Alignment, &k::Border, &k::InputFormat, &k::WrapText })
        store::ApplyFormatProperties(read, *kind, store::GetFormatString(*kind, f));
    read.mergeCells = f.mergeCells;
    read.border(BorderSide::InnerHorizontal).reset(); // top and bottom set the inner lines of a range
    EXPECT_TRUE(read == f);
}

TEST(FormatRow, ReadsOlderAndMalformedRows)
{
    const struct {
        const char* label;
        const QString& kind;
        QString text;
        std::function<void(CellFormat&)> expected; // from an empty format
    } cases[] = {
        { "whole-number size with datatype 2", k::Font, "@FONTNAME|1|宋体@FONTSIZE|2|20@FONTBOLD|4|TRUE",
            [](CellFormat& f) {
                f.fontName = QStringLiteral("宋体");
                f.fontSize = 20;
                f.fontBold = true;
            } },
        { "a value that does not convert ends the row", k::Font,
            "@FONTNAME|1|黑体@FONTSIZE|1|big@FONTBOLD|4|TRUE",
            [](CellFormat& f) { f.fontName = QStringLiteral("黑体"); } },
        { "escaped text format", k::InputFormat, "@INPUTFORMAT|1|\\@",
            [](CellFormat& f) { f.numberFormat = QStringLiteral("@"); } },
        { "missing number format means text", k::InputFormat, "@OTHER|1|x",
            [](CellFormat& f) { f.numberFormat = QStringLiteral("@"); } },
        { "blank number format means text", k::InputFormat, "@INPUTFORMAT|1|   ",
            [](CellFormat& f) { f.numberFormat = QStringLiteral("@"); } },
        { "alignment code out of range ends the row", k::Alignment, "@HALIGNMENT|2|3@VALIGNMENT|2|9",
            [](CellFormat& f) { f.hAlign = platform::grid::HAlign::Center; } },
        { "unknown kind sets nothing", k::ShrinkToFit, "@SHRINKTOFIT|4|TRUE", [](CellFormat&) {} },
        { "merge flag", k::Merge, "@MERGE|4|TRUE", [](CellFormat& f) { f.mergeCells = true; } },
    };
    for (const auto& c : cases) {
        CellFormat read, expected;
        store::ApplyFormatProperties(read, c.kind, c.text);
        c.expected(expected);
        EXPECT_TRUE(read == expected) << c.label;
    }
}

TEST(BorderRow, GroupsCarryTheirValuesAndSetInnerLines)
{
    // The wizard's form: sides 0 to 3 without colours; all four set the inner lines too.
    CellFormat read;
    store::ApplyBorderProperties(read,
        "@WHICHBORDER|2|0@BORDERSTYLE|2|1@WHICHBORDER|2|1@BORDERSTYLE|2|2@WHICHBORDER|2|2@WHICHBORDER|2|3"
        "@BORDERSTYLE|2|5@BORDERCOLOR|6|255");
    EXPECT_EQ(read.border(BorderSide::Top), (Border { BorderStyle::Thin, 0 }));
    EXPECT_EQ(read.border(BorderSide::Left), (Border { BorderStyle::Medium, 0 }));
    EXPECT_EQ(read.border(BorderSide::Bottom), (Border { BorderStyle::Medium, 0 })); // style carried over
    EXPECT_EQ(read.border(BorderSide::Right), (Border { BorderStyle::Thick, 0xFF0000 }));
    // Once a pair is complete, every later group sets its inner lines again.
    EXPECT_EQ(read.border(BorderSide::InnerHorizontal), (Border { BorderStyle::Thick, 0xFF0000 }));
    EXPECT_EQ(read.border(BorderSide::InnerVertical), (Border { BorderStyle::Thick, 0xFF0000 }));

    // Sides 1 and 3 only: inner vertical lines, no horizontal ones.
    CellFormat sides;
    store::ApplyBorderProperties(sides, "@WHICHBORDER|2|1@BORDERSTYLE|2|1@WHICHBORDER|2|3@BORDERSTYLE|2|1");
    EXPECT_TRUE(sides.border(BorderSide::InnerVertical).has_value());
    EXPECT_FALSE(sides.border(BorderSide::InnerHorizontal).has_value());
    EXPECT_FALSE(sides.border(BorderSide::Top).has_value());
}

TEST(BorderRow, MalformedTextsEndAndDrawNoLine)
{
    const char* texts[] = {
        "@WHICHBORDER|2|1@BORDERSTYLE", // an item without its bars
        "@WHICHBORDER|2|x@BORDERSTYLE|2|1", // a side that is no number
        "WHICHBORDER|2|1", // no "@" at all
        "@@@|||",
        "@WHICHBORDER|2|7@BORDERSTYLE|2|1", // a side outside 0 to 3
        "@BORDERSTYLE|2|1@BORDERCOLOR|6|0", // no side named
        "\\@WHICHBORDER|2|1",
    };
    for (const char* text : texts) {
        CellFormat read;
        store::ApplyBorderProperties(read, QString::fromUtf8(text));
        for (const auto& border : read.borders)
            EXPECT_EQ(border.value_or(Border {}).style, BorderStyle::None) << text;
    }
}

TEST(SizeLists, SplitBeforeTheItemThatPassesTheLimit)
{
    // Columns 10 to 40 at 1000 twips: "@10|2|1000" takes 10 characters, so 25 items fill 250.
    const auto columns = store::sizeListChunks(10, 40, [](int) { return 1000; });
    ASSERT_EQ(columns.size(), 2);
    EXPECT_EQ(columns[0].first, 10);
    EXPECT_EQ(columns[0].last, 34);
    EXPECT_EQ(columns[0].list.size(), 250);
    EXPECT_EQ(columns[1].first, 35);
    EXPECT_EQ(columns[1].last, 40);
    EXPECT_TRUE(columns[1].list.startsWith(QStringLiteral("@35|2|1000@36|2|1000")));

    // Rows 5 to 40 at 270 twips: items of 8 (rows 5-9) and 9 characters split after row 32.
    const auto rows = store::sizeListChunks(5, 40, [](int) { return 270; });
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ((QList<int> { rows[0].first, rows[0].last, rows[1].first, rows[1].last }),
        (QList<int> { 5, 32, 33, 40 }));
    for (const auto& chunk : rows)
        EXPECT_LE(chunk.list.size(), store::MaxSizeListLength);

    // An empty band still gives one empty list.
    const auto empty = store::sizeListChunks(6, 5, [](int) { return 270; });
    ASSERT_EQ(empty.size(), 1);
    EXPECT_EQ((QList<int> { empty[0].first, empty[0].last }), (QList<int> { 6, 5 }));
    EXPECT_TRUE(empty[0].list.isEmpty());
}

TEST(CellSourceText, ReadsLetterBodyAndFieldOptions)
{
    const auto body = store::CellSourceText::parse(QStringLiteral("@G|&x|y@z"));
    ASSERT_TRUE(body);
    EXPECT_EQ(body->letter, QLatin1Char('G'));
    EXPECT_EQ(body->body, QStringLiteral("&x|y@z"));
    EXPECT_EQ(store::CellSourceText::parse(QStringLiteral("@A|"))->body, QString());
    for (const char* text : { "ABC公司", "@M|x", "@B", "@Bx", "x@B|y", "" })
        EXPECT_FALSE(store::CellSourceText::parse(QString::fromUtf8(text)).has_value()) << text;
    EXPECT_TRUE(store::isFieldCellText(QStringLiteral("@B|题名")));
    EXPECT_FALSE(store::isFieldCellText(QStringLiteral("ABC公司")));
    EXPECT_EQ(store::storedDataType(QStringLiteral("ABC公司")), QStringLiteral("B"));
    EXPECT_EQ(store::storedDataType(QStringLiteral("x")), QString());

    const auto field = store::FieldBody::split(QStringLiteral("题名(文书档案)&2-3&B&"));
    EXPECT_EQ(field.name + '|' + field.options, QStringLiteral("题名(文书档案)|&2-3&B&"));
    using Mode = store::FieldOption::Mode;
    const auto take = store::FieldOption::parse(QStringLiteral("&2-3&B&"));
    ASSERT_TRUE(take);
    EXPECT_EQ(std::tuple(take->mode, take->start, take->count), std::tuple(Mode::TakeBack, 2, 3));
    const auto insert = store::FieldOption::parse(QStringLiteral("&第-号&FI&"));
    ASSERT_TRUE(insert);
    EXPECT_EQ(insert->mode, Mode::InsertFront);
    EXPECT_EQ(insert->characters, QStringLiteral("第-号"));
    EXPECT_EQ(store::FieldOption::parse(QStringLiteral("&x&BI&"))->mode, Mode::InsertBack);
    EXPECT_EQ(store::FieldOption::parse(QStringLiteral("&1-2&F&"))->mode, Mode::TakeFront);
    for (const char* options : { "", "&", "&a-b&B&", "&1-2&Q&", "&12&B&" })
        EXPECT_FALSE(store::FieldOption::parse(QString::fromUtf8(options)).has_value()) << options;
}

} // namespace

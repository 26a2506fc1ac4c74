#include "DialogDatabase.h"

#include "dialogs/CellFormatModel.h"
#include "dialogs/FontChooserModel.h"
#include "platform/db/Connection.h"
#include "platform/grid/GridTypes.h"

#include <gtest/gtest.h>

using namespace dialogs;
using platform::grid::Border;
using platform::grid::BorderSide;
using platform::grid::BorderStyle;
using platform::grid::CellFormat;
using platform::grid::CellRange;

namespace
{

TEST(CellFormatModel, GridBorderStylesShowOnThePreviewAndComeBackAsTheStylesItKnows)
{
    const QRgb red = 0xFF0000;
    const struct {
        BorderStyle style;
        PreviewLine line;
        BorderStyle written; // after OK with the border flag set
    } cases[] = {
        { BorderStyle::None, {}, BorderStyle::None },
        { BorderStyle::Thin, { true, LineLook::Solid, 1, false, red }, BorderStyle::Thin },
        { BorderStyle::Medium, { true, LineLook::Solid, 2, false, red }, BorderStyle::Medium },
        { BorderStyle::Dashed, { true, LineLook::Dashed, 1, false, red }, BorderStyle::Dashed },
        { BorderStyle::Dotted, { true, LineLook::Dotted, 1, false, red }, BorderStyle::Dotted },
        { BorderStyle::Thick, { true, LineLook::Solid, 4, false, red }, BorderStyle::Thick },
        { BorderStyle::Double, { true, LineLook::Solid, 1, true, red }, BorderStyle::Double },
        { BorderStyle::DashDotDot, { true, LineLook::DashDot, 1, false, red }, BorderStyle::DashDotDot },
        // Looks the preview lacks come back changed.
        { BorderStyle::DashDot, { true, LineLook::DashDot, 1, false, red }, BorderStyle::DashDotDot },
        { BorderStyle::Hair, { true, LineLook::Solid, 1, false, red }, BorderStyle::Thin },
        { BorderStyle::MediumDashed, { true, LineLook::Solid, 1, false, red }, BorderStyle::Thin },
        { BorderStyle::MediumDashDot, { true, LineLook::Solid, 1, false, red }, BorderStyle::Thin },
        { BorderStyle::MediumDashDotDot, { true, LineLook::Solid, 1, false, red }, BorderStyle::Thin },
        { BorderStyle::SlantedDashDot, { true, LineLook::Solid, 1, false, red }, BorderStyle::Thin },
    };
    for (const auto& c : cases) {
        const PreviewLine line = LineOfBorder(Border { c.style, red });
        EXPECT_EQ(line, c.line) << int(c.style);
        const Border written = BorderOfLine(line);
        EXPECT_EQ(written.style, c.written) << int(c.style);
        EXPECT_EQ(written.color, c.style == BorderStyle::None ? 0U : red) << int(c.style);
    }
    EXPECT_EQ(LineOfBorder(std::nullopt), PreviewLine {});
}

TEST(CellFormatModel, PickerEntriesDrawTheirLinesAndWriteTheirGridStyles)
{
    const BorderStyle written[LineStyleCount] = { BorderStyle::Thin, BorderStyle::Medium, BorderStyle::Dashed,
        BorderStyle::Dotted, BorderStyle::Double, BorderStyle::DashDotDot, BorderStyle::Thick };
    for (int entry = 0; entry < LineStyleCount; ++entry) {
        PreviewSides sides;
        DrawSide(sides, 3, entry, 0x00FF00);
        EXPECT_EQ(BorderOfLine(sides[3]), (Border { written[entry], 0x00FF00 })) << entry;
        ClearSide(sides, 3);
        EXPECT_EQ(BorderOfLine(sides[3]), Border {}) << entry;
    }

    // The presets: outer sides, inner lines, none.
    PreviewSides sides;
    ApplyPreset(sides, OuterBorders, 4, 0);
    ApplyPreset(sides, InnerBorders, 2, 0);
    QList<BorderStyle> styles;
    for (const PreviewLine& line : sides)
        styles.append(BorderOfLine(line).style);
    EXPECT_EQ(styles,
        (QList<BorderStyle> { BorderStyle::Double, BorderStyle::Dashed, BorderStyle::Double,
            BorderStyle::Double, BorderStyle::Dashed, BorderStyle::Double }));
    ApplyPreset(sides, NoBorders, 0, 0);
    for (const PreviewLine& line : sides)
        EXPECT_EQ(BorderOfLine(line), Border {});
    EXPECT_EQ(SideButtons()[InnerVerticalSide].gridSide, BorderSide::InnerVertical);
    EXPECT_EQ(SideButtons()[InnerHorizontalSide].gridSide, BorderSide::InnerHorizontal);
}

TEST(CellFormatModel, InnerLinesServeOnlySelectionsThatHaveThem)
{
    const struct {
        const char* name;
        CellRange selection;
        bool oneMergedBlock;
        BorderEnabling enabling;
    } cases[] = {
        { "one cell", { 2, 2, 2, 2 }, false, { false, false, false, false, false } },
        { "one row", { 2, 2, 2, 5 }, false, { true, false, true, true, false } },
        { "one column", { 2, 2, 6, 2 }, false, { false, true, true, false, true } },
        { "block of cells", { 2, 2, 6, 5 }, false, { true, true, true, true, true } },
        { "one merged block", { 2, 2, 6, 5 }, true, { false, false, false, false, false } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(BorderEnablingFor(c.selection, c.oneMergedBlock), c.enabling) << c.name;
}

TEST(CellFormatModel, OkWritesOnlyTheGroupsTheUserChanged)
{
    CellFormat shown;
    shown.numberFormat = QStringLiteral("0.00");
    shown.hAlign = platform::grid::HAlign::Right;
    shown.vAlign = platform::grid::VAlign::Center;
    shown.wrapText = true;
    shown.mergeCells = false;
    shown.fontName = QStringLiteral("黑体");
    shown.fontSize = 12;
    shown.fontBold = true;
    shown.border(BorderSide::Top) = Border { BorderStyle::Medium, 0x0000FF };
    CellFormatForm form = FormOfFormat(shown, false);
    EXPECT_EQ(form.hAlign, QStringLiteral("靠右"));
    EXPECT_EQ(form.vAlign, QStringLiteral("居中"));
    EXPECT_EQ(form.fontSize, QStringLiteral("12"));
    EXPECT_EQ(BuildCellFormat(form), std::nullopt);

    form.fontChanged = true;
    form.fontSize = QStringLiteral("10.5");
    CellFormat font;
    font.fontName = QStringLiteral("黑体");
    font.fontSize = 10; // halves go to the even neighbour
    font.fontBold = true;
    font.fontItalic = font.fontUnderline = font.fontStrikeOut = false;
    font.fontColor = 0;
    EXPECT_EQ(BuildCellFormat(form), font);

    form = FormOfFormat(shown, false);
    form.bordersChanged = true;
    const auto borders = BuildCellFormat(form);
    ASSERT_TRUE(borders);
    EXPECT_EQ(borders->border(BorderSide::Top), (Border { BorderStyle::Medium, 0x0000FF }));
    EXPECT_EQ(borders->border(BorderSide::Left), Border {});
    EXPECT_FALSE(borders->numberFormat || borders->hAlign || borders->fontName);

    form = FormOfFormat(shown, false);
    form.numberChanged = form.alignmentChanged = true;
    const auto alignment = BuildCellFormat(form);
    ASSERT_TRUE(alignment);
    EXPECT_EQ(alignment->numberFormat, QStringLiteral("0.00"));
    EXPECT_EQ(alignment->hAlign, platform::grid::HAlign::Right);
    EXPECT_EQ(alignment->wrapText, true);
    EXPECT_EQ(alignment->mergeCells, false);
    EXPECT_FALSE(alignment->fontName || alignment->border(BorderSide::Top));
}

// What the selected cells do not share is shown undetermined and, when OK writes the group, left as it
// is in every cell.
TEST(CellFormatModel, PropertiesTheCellsDoNotShareAreLeftAlone)
{
    CellFormat mixed; // a range format: nothing shared
    CellFormatForm form = FormOfFormat(mixed, false);
    EXPECT_EQ(form.hAlign, QString());
    EXPECT_EQ(form.wrap, Qt::PartiallyChecked);
    EXPECT_EQ(form.merge, Qt::PartiallyChecked);
    form.numberChanged = form.alignmentChanged = form.bordersChanged = true;
    form.hAlign = QStringLiteral("不对齐");
    const auto written = BuildCellFormat(form);
    ASSERT_TRUE(written);
    EXPECT_FALSE(written->numberFormat || written->hAlign || written->vAlign || written->wrapText
        || written->mergeCells);

    // Merging shows checked only for exactly one merged block.
    CellFormat merged;
    merged.mergeCells = true;
    EXPECT_EQ(FormOfFormat(merged, true).merge, Qt::Checked);
    EXPECT_EQ(FormOfFormat(merged, false).merge, Qt::PartiallyChecked);
}

TEST(CellFormatModel, TheFontChooserListsTheReportFamiliesAndACellsOwnOnceAtTheEnd)
{
    const QStringList windows { "宋体", "新宋体", "仿宋_GB2312", "仿宋", "黑体", "微软雅黑", "楷体_GB2312",
        "楷体", "Arial", "Courier New", "Times New Roman" };
    const struct {
        const char* cell;
        QStringList listed;
    } cases[] = {
        { "宋体", windows },
        { "arial", windows }, // Windows names families in any case
        { "", windows }, // cells of several fonts
        { "方正小标宋简体", windows + QStringList { "方正小标宋简体" } },
        { " DejaVu Sans ", windows + QStringList { "DejaVu Sans" } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooserFamilies(QString::fromUtf8(c.cell)), c.listed) << c.cell;
    EXPECT_EQ(ChooserStyles(), (QStringList { "规则", "斜体", "粗体", "粗斜体" }));
    EXPECT_EQ(ChooserStyles().at(StyleEntry(true, true)), "粗斜体");
    EXPECT_EQ(ChooserStyles().at(StyleEntry(true, false)), "粗体");
}

TEST(CellFormatModel, TheFontChooserTakesSizesInPointsAndChineseSizeNames)
{
    const struct {
        const char* text;
        std::optional<double> points;
    } cases[] = {
        { "12", 12 },
        { " 10.5 ", 10.5 },
        { "五号", 10.5 },
        { "小四", 12 },
        { "初号", 42 },
        { "八号", 5 },
        { "1", 1 },
        { "1638", 1638 },
        { "0.5", std::nullopt },
        { "1639", std::nullopt },
        { "", std::nullopt },
        { "十二", std::nullopt },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooserSize(QString::fromUtf8(c.text)), c.points) << c.text;
    for (const QString& listed : ChooserSizeTexts())
        EXPECT_TRUE(ChooserSize(listed)) << listed.toStdString();
}

class NumberFormatTable : public dialogtest::DialogDatabaseTest
{
};
DIALOG_DATABASE_SUITE(NumberFormatTable);

TEST_P(NumberFormatTable, ClassesTypesAndFormatsOfTheTable)
{
    database->connection()->execute(QStringLiteral("insert into report_cell_num_ftm (s_class, s_description, "
                                                   "s_format_string) values ('自定义', '带引号', "
                                                   "'0\"''\"')"));
    const QStringList classes = NumberClasses();
    ASSERT_GE(classes.size(), 3);
    EXPECT_EQ(classes.mid(0, 2), (QStringList { QStringLiteral("文本"), QStringLiteral("常规") }));
    EXPECT_TRUE(classes.contains(QStringLiteral("自定义")));
    EXPECT_EQ(NumberTypes(QStringLiteral("数值")).first(), QStringLiteral("整数"));
    EXPECT_EQ(FormatStringOf(QStringLiteral("数值"), QStringLiteral("两位小数")), QStringLiteral("0.00"));
    EXPECT_EQ(FormatStringOf(QStringLiteral("数值"), QStringLiteral("无此类型")), std::nullopt);

    const struct {
        QString format;
        std::optional<NumberEntry> entry;
    } cases[] = {
        { "@", NumberEntry { "文本", "文本" } },
        { " @ ", NumberEntry { "文本", "文本" } },
        { "0.00", NumberEntry { "数值", "两位小数" } },
        // A format holding a quote is looked up as a value, not as part of the statement.
        { "0\"'\"", NumberEntry { "自定义", "带引号" } },
        { "0.000'", std::nullopt },
        { "", std::nullopt },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindNumberFormat(c.format), c.entry) << c.format.toStdString();
}

} // namespace

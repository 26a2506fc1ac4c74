#include "dialogs/PageSetupModel.h"
#include "store/ReportState.h"

#include <functional>
#include <gtest/gtest.h>

using namespace dialogs;

namespace
{

TEST(PageSetupUnits, MarginsShowInCentimetresAndStoreInInches)
{
    store::ReportState state;
    state.LeftMarge = 0.7875;
    state.RightMarge = state.TopMarge = state.BottomMarge = 0.39375;
    const PageSetupForm shown = FormFromState(state);
    EXPECT_EQ(shown.leftMarge, QStringLiteral("2"));
    EXPECT_EQ(shown.rightMarge, QStringLiteral("1"));
    EXPECT_EQ(shown.topMarge, QStringLiteral("1"));
    EXPECT_EQ(shown.bottomMarge, QStringLiteral("1"));
    EXPECT_DOUBLE_EQ(InchesFromCentimetres(1.5), 0.590625);
    EXPECT_DOUBLE_EQ(CentimetresFromInches(1), 1440.0 / 567);

    state.LeftMarge = 0.5;
    const PageSetupForm half = FormFromState(state);
    EXPECT_EQ(half.leftMarge, QStringLiteral("1.26984126984127"));
    PageSetupForm typed = half;
    typed.rows = QStringLiteral("10");
    WritePageSetup(typed, 9, state);
    EXPECT_NEAR(state.LeftMarge, 0.5, 1e-14); // shown and written back, the margin stays
}

TEST(PageSetupRows, EachStoredModeSelectsItsOption)
{
    const std::tuple<int, RowsMode, QString> cases[] = {
        { 12, RowsMode::FixedCount, QStringLiteral("12") },
        { -1, RowsMode::FixedHeight, QString() },
        { -2, RowsMode::AutoHeight, QString() },
    };
    for (const auto& [dataRows, mode, rowsText] : cases) {
        store::ReportState state;
        state.DataRows = dataRows;
        const PageSetupForm form = FormFromState(state);
        EXPECT_EQ(form.rowsMode, mode) << dataRows;
        EXPECT_EQ(form.rows, rowsText) << dataRows;
        PageSetupForm written = DefaultForm();
        written.rowsMode = mode;
        written.rows = rowsText;
        store::ReportState back;
        WritePageSetup(written, 9, back);
        EXPECT_EQ(back.DataRows, dataRows);
    }
}

TEST(PageSetupWrite, EveryFieldReachesTheState)
{
    PageSetupForm form = DefaultForm();
    form.leftMarge = QStringLiteral("1.5");
    form.rightMarge = QStringLiteral(" 0 ");
    form.topMarge = QStringLiteral("10");
    form.bottomMarge = QStringLiteral("2.54");
    form.landscape = true;
    form.rows = QStringLiteral("2.5");
    form.selfFit = false;
    form.pageRecount = false;
    store::ReportState state;
    WritePageSetup(form, 256, state);
    EXPECT_EQ(state.PageSize, 256);
    EXPECT_DOUBLE_EQ(state.LeftMarge, 0.590625);
    EXPECT_DOUBLE_EQ(state.RightMarge, 0);
    EXPECT_DOUBLE_EQ(state.TopMarge, 3.9375);
    EXPECT_DOUBLE_EQ(state.BottomMarge, 2.54 * 567 / 1440);
    EXPECT_TRUE(state.PageLandscape);
    EXPECT_EQ(state.DataRows, 2); // halves go to the even neighbour
    EXPECT_FALSE(state.SelfFit);
    EXPECT_FALSE(state.PageRecount);
}

struct ValidationCase {
    const char* what;
    std::function<void(PageSetupForm&)> edit;
    CheckedParts parts;
    std::optional<SetupRefusal> fault;
};

TEST(PageSetupValidation, FirstFaultInOrderIsReported)
{
    const QString wrongType = QStringLiteral("数据类型错误！请重新输入！");
    const QString between = QStringLiteral("输入数字必须在1 与 50 之间，请重新输入上述区域之间的数字。");
    const auto margins = [](const QString& message, SetupField focus) {
        return RefuseSetup(message, focus, SetupTab::Margins);
    };
    const auto rows = [](const QString& message) {
        return RefuseSetup(message, SetupField::Rows, SetupTab::ReportParameters);
    };
    const auto paper
        = [](const QString& message, SetupField focus) { return RefuseSetup(message, focus, std::nullopt); };
    const CheckedParts custom { true, true };
    const CheckedParts standard { true, false };
    const ValidationCase cases[] = {
        { "defaults", [](auto&) {}, custom, std::nullopt },
        { "margins 0 and 10",
            [](auto& f) {
                f.leftMarge = QStringLiteral("0");
                f.bottomMarge = QStringLiteral("10");
            },
            standard, std::nullopt },
        { "negative margin", [](auto& f) { f.topMarge = QStringLiteral("-0.1"); }, standard,
            margins(QStringLiteral("页边距不能为负数，请重新设置！"), SetupField::LeftMarge) },
        { "margin too large", [](auto& f) { f.rightMarge = QStringLiteral("10.01"); }, standard,
            margins(QStringLiteral("页边距设置过大，请重新设置！"), SetupField::LeftMarge) },
        { "letters in top and bottom",
            [](auto& f) {
                f.topMarge = QStringLiteral("a");
                f.bottomMarge = QStringLiteral("b");
                f.leftMarge = QStringLiteral("-1");
            },
            standard, margins(wrongType, SetupField::BottomMarge) },
        { "empty margin", [](auto& f) { f.leftMarge.clear(); }, standard,
            margins(wrongType, SetupField::LeftMarge) },
        { "rows 1", [](auto& f) { f.rows = QStringLiteral("1"); }, standard, std::nullopt },
        { "rows 50", [](auto& f) { f.rows = QStringLiteral("50"); }, standard, std::nullopt },
        { "rows 2.5", [](auto& f) { f.rows = QStringLiteral("2.5"); }, standard, std::nullopt },
        { "rows 0.5 round to 0", [](auto& f) { f.rows = QStringLiteral("0.5"); }, standard,
            rows(QStringLiteral("报表行数只能为正整数，请重新设置行数！")) },
        { "rows 51", [](auto& f) { f.rows = QStringLiteral("51"); }, standard,
            rows(QStringLiteral("报表行数不允许超过50行，请重新设置行数！")) },
        { "rows letters", [](auto& f) { f.rows = QStringLiteral("x"); }, standard, rows(wrongType) },
        { "rows unchecked under fixed height",
            [](auto& f) {
                f.rows = QStringLiteral("x");
                f.rowsMode = RowsMode::FixedHeight;
            },
            standard, std::nullopt },
        { "rows unchecked under self-fitting height",
            [](auto& f) {
                f.rows = QStringLiteral("0");
                f.rowsMode = RowsMode::AutoHeight;
            },
            standard, std::nullopt },
        { "rows of a statistics report", [](auto& f) { f.rows = QStringLiteral("60"); },
            CheckedParts { false, false }, std::nullopt },
        { "margins before rows",
            [](auto& f) {
                f.rows = QStringLiteral("x");
                f.leftMarge = QStringLiteral("11");
            },
            standard, margins(QStringLiteral("页边距设置过大，请重新设置！"), SetupField::LeftMarge) },
        { "custom 25 x 30",
            [](auto& f) {
                f.paperWidth = QStringLiteral("25");
                f.paperHeight = QStringLiteral(" 30 ");
            },
            custom, std::nullopt },
        { "custom 1 x 50",
            [](auto& f) {
                f.paperWidth = QStringLiteral("1");
                f.paperHeight = QStringLiteral("50");
            },
            custom, std::nullopt },
        { "custom empty width",
            [](auto& f) {
                f.paperWidth = QStringLiteral("  ");
                f.paperHeight.clear();
            },
            custom, paper(QStringLiteral("请输入自定义纸张宽度值！"), SetupField::PaperWidth) },
        { "custom empty height", [](auto& f) { f.paperHeight.clear(); }, custom,
            paper(QStringLiteral("请输入自定义纸张高度值！"), SetupField::PaperHeight) },
        { "custom height no number", [](auto& f) { f.paperHeight = QStringLiteral("3o"); }, custom,
            paper(QStringLiteral("输入不正确！要求输入为小数或整数。"), SetupField::PaperHeight) },
        { "custom width beyond 50, height below 1",
            [](auto& f) {
                f.paperWidth = QStringLiteral("50.5");
                f.paperHeight = QStringLiteral("0.5");
            },
            custom, paper(between, SetupField::PaperWidth) },
        { "custom height below 1", [](auto& f) { f.paperHeight = QStringLiteral("0.99"); }, custom,
            paper(between, SetupField::PaperHeight) },
        { "standard paper larger than 50 cm",
            [](auto& f) {
                f.paperWidth = QStringLiteral("84.1");
                f.paperHeight = QStringLiteral("118.9");
            },
            standard, std::nullopt },
    };
    for (const ValidationCase& c : cases) {
        PageSetupForm form = DefaultForm();
        c.edit(form);
        EXPECT_EQ(ValidatePageSetup(form, c.parts), c.fault) << c.what;
    }
}

} // namespace

#include "dialogs/DataSourceModel.h"
#include "store/ReportState.h"

#include <gtest/gtest.h>

using namespace dialogs;
using platform::ui::Icon;

namespace
{

constexpr int Data = store::DataReport;
constexpr int Stat = store::StatisticsReport;

QString confirmed(const DataSourceForm& form, int type, bool severalTables, const QString& soFar = {})
{
    const auto result = ConfirmSource(form, soFar, type, severalTables);
    return std::holds_alternative<QString>(result) ? std::get<QString>(result) : QStringLiteral("<refused>");
}

using Refusal = platform::ui::Refusal<SourceFocus>;

// A refusal's fields; an accepted form gives an empty one.
Refusal refusal(const DataSourceForm& form, int type = Data)
{
    const auto result = ConfirmSource(form, {}, type, false);
    return std::holds_alternative<Refusal>(result) ? std::get<Refusal>(result) : Refusal { "<accepted>" };
}

// Every kind read back into its panel gives the panel state listed, and OK on that state writes the
// text again (the live kinds from what their boxes built).
TEST(DataSourceModel, EveryKindReadsBackIntoItsPanelAndIsWrittenAgainUnchanged)
{
    const struct {
        int type;
        bool severalTables;
        QString text;
        DataSourceForm panel;
    } cases[] = {
        { Data, false, "@A|  共 &年度& 年  ", { .kind = SourceKind::Text, .text = "  共 &年度& 年  " } },
        { Stat, false, "@A|", { .kind = SourceKind::Text } },
        { Data, false, "@B|题名", { .kind = SourceKind::Fields, .fieldColumn = "题名" } },
        { Data, true, "@B|题名(文书档案)", { .kind = SourceKind::Fields, .fieldColumn = "题名(文书档案)" } },
        { Data, false, "@B|题名&3-2&B&",
            { .kind = SourceKind::Fields,
                .fieldColumn = "题名",
                .fieldOption = true,
                .optionChars = "3",
                .optionCount = "2" } },
        // A take option is split at its first "-".
        { Data, false, "@B|题名&1-2-3&B&",
            { .kind = SourceKind::Fields,
                .fieldColumn = "题名",
                .fieldOption = true,
                .optionChars = "1",
                .optionCount = "2-3" } },
        { Data, false, "@B|年度&1-4&F&",
            { .kind = SourceKind::Fields,
                .fieldColumn = "年度",
                .fieldOption = true,
                .front = true,
                .optionChars = "1",
                .optionCount = "4" } },
        { Data, true, "@B|件号(文件)&a-b&BI&",
            { .kind = SourceKind::Fields,
                .fieldColumn = "件号(文件)",
                .fieldOption = true,
                .insertMode = true,
                .optionChars = "a-b" } },
        { Data, false, "@B|页数&页&FI&",
            { .kind = SourceKind::Fields,
                .fieldColumn = "页数",
                .fieldOption = true,
                .insertMode = true,
                .front = true,
                .optionChars = "页" } },
        { Data, false, "@C|第%p页 共%P页", { .kind = SourceKind::SysArg, .sysArg = "第%p页 共%P页" } },
        { Stat, false, "@D|/srv/图片/logo.wmf",
            { .kind = SourceKind::Pic, .picture = "/srv/图片/logo.wmf" } },
        { Data, false, "@E|#page_no# * 2",
            { .kind = SourceKind::SpecFormu, .specFormula = "#page_no# * 2" } },
        { Stat, false, "@F|SUM(C3:C9)",
            { .kind = SourceKind::InFormu, .function = "SUM", .region = "C3:C9" } },
        { Stat, false, "@F|(A1+B1)", { .kind = SourceKind::InFormu, .region = "A1+B1" } },
        { Stat, false, "@G|select count(*) from wsda",
            { .kind = SourceKind::Sql, .sql = "select count(*) from wsda" } },
        { Stat, false, "@H|文书档案件数",
            { .kind = SourceKind::SqlFormu,
                .sqlFormula = "文书档案件数",
                .sqlFormulaDesc = "文书档案件数" } },
        { Data, false, "@I|select title from docs",
            { .kind = SourceKind::Sql, .sql = "select title from docs", .dataSource = true } },
        { Data, false, "@J|select count(*) from docs",
            { .kind = SourceKind::Sql, .sql = "select count(*) from docs" } },
        { Data, false, "@K|select * from docs",
            { .kind = SourceKind::Sql,
                .sql = "select * from docs",
                .autoCondition = true,
                .dataSource = true } },
        { Data, false, "@L|&条件语句&",
            { .kind = SourceKind::Sql, .sql = "=&条件语句&", .autoCondition = true } },
        { Data, false, "@R|AB&", { .kind = SourceKind::SumCol, .sumColumn = "AB" } },
    };
    for (const auto& c : cases) {
        DataSourceForm form;
        ShowCellContent(c.text, c.type, form);
        EXPECT_EQ(form, c.panel) << c.text.toStdString();
        const QString live = PanelSourceText(form, c.type, c.severalTables).value_or(QString());
        EXPECT_EQ(confirmed(form, c.type, c.severalTables, live), c.text) << c.text.toStdString();
    }
}

TEST(DataSourceModel, TextsThatAreNoContentOrWhoseKindTheTreeLacksLeaveThePanelsAlone)
{
    for (const auto& [type, text] :
        std::initializer_list<std::pair<int, QString>> { { Data, "普通文字" }, { Data, "@Z|x" },
            { Data, "@A" }, { Data, "@H|公式" }, { Stat, "@B|题名" }, { Stat, "@R|C&" }, { 0, "@A|x" } }) {
        DataSourceForm form;
        ShowCellContent(text, type, form);
        EXPECT_EQ(form, DataSourceForm {}) << text.toStdString();
    }
}

// A "." inside a table's or a column's Chinese name never splits the field: a chosen column keeps its
// table apart, and a typed field is split at its last ".".
TEST(DataSourceModel, FieldNamesHoldingAPointKeepTheirParts)
{
    DataSourceForm chosen { .kind = SourceKind::Fields, .fieldTable = "文书.档案", .fieldColumn = "No.号" };
    EXPECT_EQ(confirmed(chosen, Data, true), "@B|No.号(文书.档案)");
    EXPECT_EQ(confirmed(chosen, Data, false), "@B|No.号");
    EXPECT_EQ(FieldBoxText(chosen), "文书.档案.No.号");

    DataSourceForm typed { .kind = SourceKind::Fields };
    SetFieldFromBox(typed, " 文件.题名 ");
    EXPECT_EQ(confirmed(typed, Data, true), "@B|题名(文件)");
    SetFieldFromBox(typed, "题名");
    EXPECT_EQ(confirmed(typed, Data, true), "@B|题名");

    DataSourceForm read;
    ShowCellContent("@B|No.号(文书.档案)&2-3&B&", Data, read);
    EXPECT_EQ(read.fieldColumn, "No.号(文书.档案)");
    EXPECT_EQ(confirmed(read, Data, true), "@B|No.号(文书.档案)&2-3&B&");
}

TEST(DataSourceModel, OkRefusesWhatCannotBeStoredWithItsMessage)
{
    const QString caption = QStringLiteral("数据源设置");
    const QString notice = platform::ui::DefaultTitle;
    const struct {
        const char* name;
        DataSourceForm form;
        Refusal fault;
    } cases[] = {
        { "option without start", { .kind = SourceKind::Fields, .fieldColumn = "题名", .fieldOption = true },
            { "必须输入数字或插入的符号", SourceFocus::OptionChars, {}, caption, Icon::Information } },
        { "take without count",
            { .kind = SourceKind::Fields, .fieldColumn = "题名", .fieldOption = true, .optionChars = "2" },
            { "必须输入数字", SourceFocus::OptionCount, {}, caption, Icon::Information } },
        { "bad statement", { .kind = SourceKind::Sql, .sql = "update docs set x=1" },
            { "SQL语句输入错误，请重新输入", SourceFocus::Sql, {}, notice } },
        { "empty statement", { .kind = SourceKind::Sql, .sql = "   " }, {} },
        { "formula without region", { .kind = SourceKind::InFormu, .function = "SUM" },
            { "请输入区域值!", SourceFocus::Region, {}, notice } },
        { "single-cell region", { .kind = SourceKind::InFormu, .function = "SUM", .region = "A1" },
            { "区域值输入错误，请重新输入！", SourceFocus::Region, {}, notice } },
        { "empty formula", { .kind = SourceKind::InFormu }, {} },
        { "column sum without column", { .kind = SourceKind::SumCol },
            { "请选择求和列！", SourceFocus::SumColumn, {}, notice } },
        { "column sum of a point", { .kind = SourceKind::SumCol, .sumColumn = "." },
            { "请选择求和列！", SourceFocus::SumColumn, {}, notice } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(refusal(c.form), c.fault) << c.name;
}

TEST(DataSourceModel, OkWritesTheKindsThatBuildOnOkAndKeepsTheLastTextForTheOthers)
{
    EXPECT_EQ(
        confirmed({ .kind = SourceKind::InFormu, .function = " SUM ", .region = " A1:A9 " }, Stat, false),
        "@F|SUM(A1:A9)");
    EXPECT_EQ(confirmed({ .kind = SourceKind::Sql, .sql = "=&年度语句&" }, Stat, false), "@G|&年度语句&");
    EXPECT_EQ(confirmed({ .kind = SourceKind::Sql, .sql = " select sum from t " }, Data, false),
        "@J|select sum from t");
    // Typing a text, then choosing the picture panel and OK without a picture keeps the text.
    EXPECT_EQ(confirmed({ .kind = SourceKind::Pic }, Data, false, "@A|标题"), "@A|标题");
    EXPECT_EQ(confirmed({ .kind = SourceKind::None }, Data, false, "@C|%d"), "@C|%d");
    EXPECT_EQ(confirmed({ .kind = SourceKind::SumCol, .sumColumn = "c" }, Data, false), "@R|C&");
    // A field is written from the field boxes, whatever another panel built before.
    EXPECT_EQ(
        confirmed({ .kind = SourceKind::Fields, .fieldColumn = "题名" }, Data, false, "@C|%d"), "@B|题名");
}

TEST(DataSourceModel, CheckSqlStatement)
{
    const struct {
        const char* sql;
        bool dataSource;
        bool passes;
    } cases[] = {
        { "select title from docs", true, true },
        { "SELECT Title FROM docs", false, true },
        { "select sum from docs", true, false },
        { "select  count  from docs", true, false },
        { "select average from docs", true, false },
        { "select min from t", true, false },
        { "select max from t", true, false },
        { "select sum from docs", false, true },
        { "select sum(x) from docs", true, true },
        { "select 1", false, false },
        { "delete from docs", false, false },
        { "staticreport", true, true },
        { "exec StaticReport 5", false, true },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckSqlStatement(QString::fromUtf8(c.sql), c.dataSource), c.passes) << c.sql;
    for (const auto& [region, valid] : std::initializer_list<std::pair<const char*, bool>> {
             { "A1", false }, { "A1:A9", true }, { "A1+B1", true }, { "C3-C2", true }, { "C3/C2", true } })
        EXPECT_EQ(IsRegionValid(QString::fromUtf8(region)), valid) << region;
}

TEST(DataSourceModel, UpdateSelectButtonFollowsTheTextBeforeTheCaret)
{
    const struct {
        const char* sql;
        int caret;
        bool before;
        bool after;
    } cases[] = {
        { "", 0, true, true },
        { "a", 1, false, false },
        { "where x=", 8, false, true },
        { "where x =  ", 11, false, true },
        { "where x<", 8, false, true },
        { "where x>", 8, false, true },
        { "where x='", 9, false, true },
        { "where x= '", 10, false, true },
        { "where x'", 8, true, false },
        { "where x like '%", 15, false, true },
        { "where x LIKE'%", 14, false, true },
        { "where x= '%", 11, false, false },
        { "where x %", 9, true, true },
        { "where x %", 9, false, false },
        { "where x", 7, true, false },
        { "where x=1", 8, false, true },
        { "  where x='", 11, false, true },
        { "  where x", 9, true, false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(UpdateSelectButton(QString::fromUtf8(c.sql), c.caret, c.before), c.after) << c.sql;
}

TEST(DataSourceModel, KeyFilters)
{
    const struct {
        QChar key;
        bool takeMode;
        std::optional<QChar> put;
    } optionKeys[] = {
        { u'5', true, u'5' },
        { u'a', true, std::nullopt },
        { u'-', true, std::nullopt },
        { u'\t', false, std::nullopt },
        { u'@', false, std::nullopt },
        { u'&', false, std::nullopt },
        { u'&', true, std::nullopt },
        { u'页', false, u'页' },
        { u'-', false, u'-' },
    };
    for (const auto& c : optionKeys)
        EXPECT_EQ(FilterOptionChar(c.key, c.takeMode), c.put) << int(c.key.unicode());

    const struct {
        QChar key;
        const char* current;
        std::optional<QChar> put;
    } columnKeys[] = {
        { u'c', "", u'C' },
        { u'B', "A", u'B' },
        { u'c', "AB", std::nullopt },
        { u'1', "", std::nullopt },
        { u'中', "", std::nullopt },
        { u'\n', "", std::nullopt },
        { u'.', "AB", u'.' },
    };
    for (const auto& c : columnKeys)
        EXPECT_EQ(FilterColumnChar(c.key, QString::fromUtf8(c.current)), c.put) << int(c.key.unicode());

    // An edit is judged before the caret only, against the text around each character.
    const struct {
        const char* text;
        int caret;
        const char* kept;
        int keptCaret;
    } columnEdits[] = {
        { "cAB", 1, "AB", 0 }, // typed into a full box
        { "a1.b2cZ", 6, "A.Z", 2 }, // pasted before a letter kept
        { "A9", 2, "A", 1 },
    };
    for (const auto& c : columnEdits) {
        const FilteredEdit kept = FilterEdit(QString::fromUtf8(c.text), c.caret, FilterColumnChar);
        EXPECT_EQ(kept.text, QString::fromUtf8(c.kept)) << c.text;
        EXPECT_EQ(kept.caret, c.keptCaret) << c.text;
    }
}

} // namespace

#include "DataReportFixture.h"

#include "engine/DataReportBuilder.h"
#include "engine/PagePipeline.h"
#include "engine/StatisticsReport.h"
#include "engine/StatisticsRun.h"
#include "platform/grid/Sheet.h"
#include "store/ReportLoader.h"
#include "store/ReportState.h"

using namespace enginetest;

namespace
{

class DefinitionCheck : public DataReportTest
{
protected:
    void setInfo(const QString& type, const QString& value, int order = 1)
    {
        execute(
            QStringLiteral("update report_info set info_description=%1 where info_type=%2 and info_order=%3")
                .arg(text(value), text(type))
                .arg(order));
    }

    void setPaper(const QString& code, const QString& note)
    {
        execute(
            QStringLiteral("update report_info set info_description=%1, note=%2 where info_type='PAGE_SIZE'")
                .arg(text(code), text(note)));
    }

    // The stored report as `layout` defines it, in a database of its own, changed by `spoil`.
    void definedAnew(const DocsLayout& layout, const std::function<void()>& spoil)
    {
        freshDocs();
        defineReport(layout);
        spoil();
        useDefinition();
    }

    // The definition in use is refused before anything is built, and the user told `told`.
    void expectRefused(const QString& told)
    {
        EXPECT_FALSE(engine::CanPreviewDataReport(run));
        ASSERT_FALSE(ui.boxTexts().isEmpty());
        EXPECT_EQ(ui.boxTexts().last(), told);
        EXPECT_EQ(store::reportState().ErrorMessage, told);
    }

    QStringList loggedDescriptions() const
    {
        QStringList texts;
        for (const QStringList& row : database->rows(QStringLiteral(
                 "select description from orv_error_log where procedure_name='CheckReportDefinition'")))
            texts.append(row.value(0));
        return texts;
    }
};
ENGINE_TEST_SUITE(DefinitionCheck);

// What the engine cannot lay out is refused before anything is built, by the stored row, where it used to
// lose content silently or stop with a bare "除数为零", "溢出", "类型不匹配" or a cell off the sheet.
TEST_P(DefinitionCheck, ARefusalNamesTheStoredRowThatCannotBeBuilt)
{
    const DocsLayout layout;
    const QString totalWithoutDetail = QStringLiteral(
        "报表数据中第%1行第5列的列合计“@R|E&”无法计算（明细区DATA_DETAIL第%2到%3行中没有单元格），"
        "不能生成报表！")
                                           .arg(layout.reportTailRow())
                                           .arg(layout.bandBegin())
                                           .arg(layout.bandEnd());
    struct Case {
        const char* name;
        std::function<void()> spoil;
        QString told;
    };
    const Case cases[] = {
        { "report type", [this] { execute(QStringLiteral("update report_index set report_type=5")); },
            QStringLiteral(
                "报表类型（report_type）“5”不正确，只能是1（数据报表）或2（统计报表），不能生成报表！") },
        { "region end before its begin",
            [&] { setInfo(QStringLiteral("DATA_DETAIL"), QStringLiteral("5:2")); },
            QStringLiteral("报表信息中 DATA_DETAIL 的区域“5:2”无效（应为“开始行:结束行”，1 ≤ 开始行 ≤ 结束行 "
                           "≤ %1），不能生成报表！")
                .arg(layout.rowCount()) },
        { "region beyond the sheet", [&] { setInfo(QStringLiteral("PAGE_TAIL"), QStringLiteral("3:99")); },
            QStringLiteral("报表信息中 PAGE_TAIL 的区域“3:99”无效（应为“开始行:结束行”，1 ≤ 开始行 ≤ 结束行 "
                           "≤ %1），不能生成报表！")
                .arg(layout.rowCount()) },
        { "no row count", [this] { setInfo(QStringLiteral("ROW_COUNT"), QStringLiteral("0")); },
            QStringLiteral("报表信息中 ROW_COUNT 的值“0”无效（应为1到32767之间的整数），不能生成报表！") },
        { "column count no number", [this] { setInfo(QStringLiteral("COL_COUNT"), QStringLiteral("五")); },
            QStringLiteral("报表信息中 COL_COUNT 的值“五”无效（应为1到16383之间的整数），不能生成报表！") },
        { "records per page in lower case",
            [this] { setInfo(QStringLiteral("DATA_ROWS"), QStringLiteral("fix")); },
            QStringLiteral("报表信息中 DATA_ROWS 的值“fix”无效（应为FIX、AUTO或正整数），不能生成报表！") },
        { "no records per page", [this] { setInfo(QStringLiteral("DATA_ROWS"), QStringLiteral("-1")); },
            QStringLiteral("报表信息中 DATA_ROWS 的值“-1”无效（应为FIX、AUTO或正整数），不能生成报表！") },
        { "more rows per page than the layout numbers",
            [this] { setInfo(QStringLiteral("DATA_ROWS"), QStringLiteral("32767")); },
            QStringLiteral("报表信息中 DATA_ROWS 的值“32767”无效（每页的行数将超过32767），不能生成报表！") },
        { "margin beyond the page", [this] { setInfo(QStringLiteral("TOP_MARGE"), QStringLiteral("1e+08")); },
            QStringLiteral(
                "报表信息中 TOP_MARGE 的值“1e+08”无效（应为0到22.75英寸之间的数），不能生成报表！") },
        { "column width no number",
            [this] {
                execute(QStringLiteral("delete from report_format where format_type='COLWIDTH'"));
                colWidths(sizeList({ { 2, "800" }, { 3, "abc" } }));
            },
            QStringLiteral("报表格式第%1条（COLWIDTH）中的“3|"
                           "abc”无效（应为行号或列号及0到32767之间的缇数），不能生成报表！") },
        { "fitted without column widths",
            [this] {
                execute(QStringLiteral("delete from report_format where format_type='COLWIDTH'"));
                setInfo(QStringLiteral("SELF_FIT"), QStringLiteral("T"));
            },
            QStringLiteral("报表没有列宽（COLWIDTH），无法按纸张大小缩放（SELF_FIT），不能生成报表！") },
        { "records counted on a band without height",
            [&] {
                execute(QStringLiteral(
                    "delete from report_format where format_type='ROWHEIGHT' and begin_row_no=%1")
                            .arg(layout.bandBegin()));
                setInfo(QStringLiteral("DATA_ROWS"), QStringLiteral("FIX"));
            },
            QStringLiteral("报表明细区（DATA_"
                           "DETAIL）没有行高（ROWHEIGHT），无法计算每页记录数和缩放比例，不能生成报表！") },
        { "no detail band",
            [this] { execute(QStringLiteral("delete from report_info where info_type='DATA_DETAIL'")); },
            QStringLiteral("报表信息中没有明细区（DATA_DETAIL）的行，记录无处可放，不能生成报表！") },
        { "a column total over a detail band emptied",
            [&] {
                execute(QStringLiteral("delete from report_data where row_no between %1 and %2")
                            .arg(layout.bandBegin())
                            .arg(layout.bandEnd()));
            },
            totalWithoutDetail },
        { "a column total over detail cells stored at negative rows",
            [&] {
                execute(
                    QStringLiteral("update report_data set row_no = -row_no where row_no between %1 and %2")
                        .arg(layout.bandBegin())
                        .arg(layout.bandEnd()));
            },
            totalWithoutDetail },
        { "a custom paper beyond the layout",
            [this] { setPaper(QStringLiteral("256"), QStringLiteral("1e9|1e9|5.6e11|5.6e11")); },
            QStringLiteral("报表信息中 PAGE_SIZE 的自定义纸张大小“1e9|1e9|5.6e11|5.6e11”无效（应为“宽|高”，"
                           "宽和高为0到58.51厘米之间的数），不能生成报表！") },
        { "a custom paper that does not read",
            [this] { setPaper(QStringLiteral("256"), QStringLiteral("宽|高")); },
            QStringLiteral("报表信息中 PAGE_SIZE 的自定义纸张大小“宽|高”无效（应为“宽|高”，"
                           "宽和高为0到58.51厘米之间的数），不能生成报表！") },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        definedAnew(layout, c.spoil);
        expectRefused(QString(c.told).replace(QStringLiteral("%1"), QString::number(formatOrder)));
        // The statistics road refuses the same definition by the same check.
        if (QString::fromLatin1(c.name) == QLatin1String("report type")) {
            engine::StatisticsRun statistics;
            EXPECT_FALSE(engine::CanPrintReport(statistics, run));
        }
    }
}

// Each bound from both sides: its last accepted value lets the first page be built without a word to the
// user, the first value beyond it is refused by its row. The page rows count the margin rows, the design
// rows and a further band for every record after the first.
TEST_P(DefinitionCheck, EachBoundAcceptsItsLastValueAndRefusesTheNext)
{
    const DocsLayout layout;
    struct Case {
        QString name;
        std::function<void(const QString&)> set;
        QString accepted;
        QString refused;
        QString told;
    };
    const auto setting = [this](const QString& type) {
        return [this, type](const QString& value) { setInfo(type, value); };
    };
    const auto invalid = [](const QString& type, const QString& value, const QString& expected) {
        return QStringLiteral("报表信息中 %1 的值“%2”无效（%3），不能生成报表！").arg(type, value, expected);
    };
    const QString margins = QStringLiteral("应为0到22.75英寸之间的数");
    const auto paper = [](const QString& note) {
        return QStringLiteral(
            "报表信息中 PAGE_SIZE 的自定义纸张大小“%1”无效（应为“宽|高”，宽和高为0到58.51厘米之间的"
            "数），不能生成报表！")
            .arg(note);
    };
    std::vector<Case> cases;
    for (const char* margin : { "LEFT_MARGE", "RIGHT_MARGE", "TOP_MARGE", "BOTTOM_MARGE" }) {
        const QString type = QString::fromLatin1(margin);
        cases.push_back({ type + QStringLiteral(" below"), setting(type), QStringLiteral("0"),
            QStringLiteral("-0.01"), invalid(type, QStringLiteral("-0.01"), margins) });
    }
    // 32,767 twips are 22.75486 inches. Left and right margins so wide leave the columns no room on the
    // paper, which another check tells; the top and bottom ones take the page beyond the paper.
    for (const char* margin : { "TOP_MARGE", "BOTTOM_MARGE" }) {
        const QString type = QString::fromLatin1(margin);
        cases.push_back({ type + QStringLiteral(" above"), setting(type), QStringLiteral("22.7548"),
            QStringLiteral("22.7549"), invalid(type, QStringLiteral("22.7549"), margins) });
    }
    cases.push_back({ QStringLiteral("columns"), setting(QStringLiteral("COL_COUNT")),
        QStringLiteral("16383"), QStringLiteral("16384"),
        invalid(QStringLiteral("COL_COUNT"), QStringLiteral("16384"),
            QStringLiteral("应为1到16383之间的整数")) });
    cases.push_back({ QStringLiteral("records per page"), setting(QStringLiteral("DATA_ROWS")),
        QStringLiteral("1"), QStringLiteral("0"),
        invalid(QStringLiteral("DATA_ROWS"), QStringLiteral("0"), QStringLiteral("应为FIX、AUTO或正整数")) });
    // One band row: 32,760 further records, the 5 design rows and the 2 margin rows make 32,767.
    cases.push_back({ QStringLiteral("page rows"), setting(QStringLiteral("DATA_ROWS")),
        QStringLiteral("32761"), QStringLiteral("32762"),
        invalid(
            QStringLiteral("DATA_ROWS"), QStringLiteral("32762"), QStringLiteral("每页的行数将超过32767")) });
    // Two band rows (the page tail's row joins the band): 16,380 × 2 + 5 + 2.
    cases.push_back({ QStringLiteral("page rows of a taller band"),
        [this](const QString& value) {
            setInfo(QStringLiteral("DATA_DETAIL"), QStringLiteral("3:4"));
            setInfo(QStringLiteral("DATA_ROWS"), value);
        },
        QStringLiteral("16381"), QStringLiteral("16382"),
        invalid(
            QStringLiteral("DATA_ROWS"), QStringLiteral("16382"), QStringLiteral("每页的行数将超过32767")) });
    // A custom paper's sides in scaled units: 58.5125 cm are 32,767.
    for (const char* note : { "21|%1", "%1|21" }) {
        cases.push_back({ QString::fromLatin1(note),
            [this, note](const QString& size) {
                setPaper(QStringLiteral("256"), QString::fromLatin1(note).arg(size));
            },
            QStringLiteral("58.5125"), QStringLiteral("58.5126"),
            paper(QString::fromLatin1(note).arg(QStringLiteral("58.5126"))) });
    }
    cases.push_back({ QStringLiteral("stored row height"),
        [&](const QString& twips) {
            execute(
                QStringLiteral("delete from report_format where format_type='ROWHEIGHT' and begin_row_no=%1")
                    .arg(layout.bandEnd() + 1));
            rowHeights(layout.bandEnd() + 1, layout.rowCount(),
                sizeList({ { layout.pageTailRow(), "400" }, { layout.reportTailRow(), twips } }));
        },
        QStringLiteral("32767"), QStringLiteral("32768"),
        QStringLiteral("报表格式第%1条（ROWHEIGHT）中的“") + QString::number(layout.reportTailRow())
            + QStringLiteral("|32768”无效（应为行号或列号及0到32767之间的缇数），不能生成报表！") });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        definedAnew(layout, [&] { c.set(c.refused); });
        expectRefused(QString(c.told).replace(QStringLiteral("%1"), QString::number(formatOrder)));

        definedAnew(layout, [&] { c.set(c.accepted); });
        const qsizetype told = ui.boxTexts().size();
        ASSERT_TRUE(engine::CanPrintDataReport(run));
        engine::PrepareReportData(run);
        platform::grid::Sheet sheet;
        EXPECT_NO_THROW(engine::CreateDataReport(run, sheet, 1));
        EXPECT_EQ(sheet.maxRow(), run.PageSheetRows);
        EXPECT_EQ(ui.boxTexts().size(), told) << ui.boxTexts().last().toStdString();
        EXPECT_EQ(loggedProcedures(), QStringList {});
    }
}

// Cells and formats off the design sheet and group regions of a level that does not exist are left out by
// name in the error log, and sizes beyond it are logged as counted; the rest of the report is built as it
// stands.
TEST_P(DefinitionCheck, ItemsOffTheSheetAreLoggedAndLeftOutOfTheBuild)
{
    const DocsLayout layout;
    insertDocs(standardDocs());
    defineReport(layout);
    cell(0, 2, QStringLiteral("@A|第0行"));
    cell(layout.rowCount() + 1, 2, QStringLiteral("@A|表外行"));
    cell(2, 6, QStringLiteral("@A|表外列"));
    format(QStringLiteral("FONT"), 2, 2, 2, 9, QStringLiteral("@FONTITALIC|4|TRUE"));
    const int fontOrder = formatOrder;
    rowHeights(1, 1, QStringLiteral("@2147483647|3|300"));
    const int heightsOrder = formatOrder;
    colWidths(sizeList({ { 7, "900" } }));
    info(QStringLiteral("GROUP_HEAD"), QStringLiteral("2:2"), 4);
    // A level that is no number is named as stored (an integer column holds text on SQLite only).
    const QString wordLevel = GetParam() == orvtest::Backend::SQLite ? QStringLiteral("二") : QString();
    execute(QStringLiteral("insert into report_info (report_id, info_type, info_order, info_description) "
                           "values (%1, 'GROUP_TAIL', %2, '3:3')")
                .arg(text(TestReportId), wordLevel.isEmpty() ? QStringLiteral("null") : text(wordLevel)));
    const QStringList levels { QStringLiteral("报表信息中 GROUP_HEAD 的级别“4”不在1到3之间，已略过！"),
        QStringLiteral("报表信息中 GROUP_TAIL 的级别“%1”不在1到3之间，已略过！").arg(wordLevel) };

    platform::grid::Sheet sheet = build(100);
    ASSERT_TRUE(state().ReportFinished);
    const QStringList logged = loggedDescriptions();
    EXPECT_EQ(logged.size(), 8) << logged.join(QLatin1Char('\n')).toStdString();
    const QString counted = QStringLiteral("不在报表的%1行5列之内，仍计入报表的%2合计！").arg(layout.rowCount());
    for (const QString& expected : {
             levels[0],
             levels[1],
             QStringLiteral("报表格式第%1条（FONT）的区域（2,2）-（2,9）不在报表的%2行5列之内，已略过！")
                 .arg(fontOrder)
                 .arg(layout.rowCount()),
             QStringLiteral("报表格式第%1条（ROWHEIGHT）中的第2147483647行").arg(heightsOrder)
                 + counted.arg(QStringLiteral("行高")),
             QStringLiteral("报表格式第%1条（COLWIDTH）中的第7列").arg(formatOrder)
                 + counted.arg(QStringLiteral("列宽")),
             QStringLiteral("报表数据中第0行第2列的单元格不在报表的%1行5列之内，已略过！")
                 .arg(layout.rowCount()),
             QStringLiteral("报表数据中第%1行第2列的单元格不在报表的%2行5列之内，已略过！")
                 .arg(layout.rowCount() + 1)
                 .arg(layout.rowCount()),
             QStringLiteral("报表数据中第2行第6列的单元格不在报表的%1行5列之内，已略过！")
                 .arg(layout.rowCount()),
         })
        EXPECT_TRUE(logged.contains(expected)) << expected.toStdString();

    // Nothing of the left-out items reaches a page; the page head is there and not in italics.
    for (int row = 1; row <= sheet.maxRow(); ++row) {
        for (int col = 1; col <= sheet.maxCol(); ++col) {
            const QString shown = sheet.text(row, col);
            EXPECT_TRUE(shown != QStringLiteral("第0行") && shown != QStringLiteral("表外行")
                && shown != QStringLiteral("表外列"))
                << row << "," << col;
        }
    }
    EXPECT_EQ(sheet.text(layout.pageHeadRow() + 1, 3), QStringLiteral("件号"));
    EXPECT_FALSE(sheet.format(layout.pageHeadRow() + 1, 3).fontItalic.value_or(false));

    // The designer's load leaves the same rows out and logs them as well.
    execute(QStringLiteral("delete from orv_error_log"));
    platform::grid::Sheet design;
    store::OpenReportInDesigner(design);
    EXPECT_EQ(loggedDescriptions(), levels);
}

} // namespace

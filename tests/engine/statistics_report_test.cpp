#include "EngineFixture.h"

#include "demo/DemoReports.h"
#include "engine/OutputForm.h"
#include "engine/StatCells.h"
#include "engine/StatisticsReport.h"
#include "engine/StatisticsRun.h"
#include "platform/Error.h"
#include "platform/grid/io/SheetFile.h"
#include "platform/grid/io/XlsDump.h"
#include "platform/grid/Sheet.h"
#include "store/clsPropertyHandle.h"

#include <QFile>
#include <QJsonArray>
#include <QSqlQuery>

using namespace enginetest;
using platform::grid::Sheet;

namespace
{

constexpr int A4Width = A4WidthTwips;
constexpr int A4Height = A4HeightTwips;
// The stored margins of every report here: 0.7875 inches left, 0.39375 inches elsewhere.
constexpr int LeftMargin = 1134;
constexpr int OtherMargin = 567;
constexpr int LastPageSlack = 10;

const QString WiderThanDesign = QStringLiteral("报表列宽超过设计纸张大小，请到报表设计模块修改！");
const QString WiderThanPrinter = QStringLiteral("报表列宽超过打印纸张大小！");

double number(const Sheet& sheet, int row, int col)
{
    const platform::grid::CellValue value = sheet.value(row, col);
    const auto* number = std::get_if<double>(&value);
    return number ? *number : -1;
}

// The paper a report is designed for.
struct Paper {
    int code = 9;
    QString note; // the custom size of code 256
    bool landscape = false;
    bool selfFit = false;
};

class StatisticsReportTest : public EngineTest
{
protected:
    // The report rows apart from its cells: index, page settings, column widths.
    void statisticsReport(const QString& widths, const Paper& paper = {})
    {
        index();
        execute(QStringLiteral("update report_index set report_type = 2"));
        info(QStringLiteral("SELF_FIT"), paper.selfFit ? QStringLiteral("T") : QStringLiteral("F"));
        info(QStringLiteral("PAGE_SIZE"), QString::number(paper.code), 1, paper.note);
        info(QStringLiteral("PAGE_LANDSCAPE"), paper.landscape ? QStringLiteral("T") : QStringLiteral("F"));
        info(QStringLiteral("LEFT_MARGE"), QStringLiteral("0.7875"));
        info(QStringLiteral("RIGHT_MARGE"), QStringLiteral("0.39375"));
        info(QStringLiteral("TOP_MARGE"), QStringLiteral("0.39375"));
        info(QStringLiteral("BOTTOM_MARGE"), QStringLiteral("0.39375"));
        colWidths(widths);
    }

    // 40 design rows of 400 twips, stored as two lists with the lower rows first.
    void fortyRows()
    {
        QString lower;
        QString upper;
        for (int row = 1; row <= 40; ++row)
            (row > 20 ? lower : upper) += sizeList({ { row, QStringLiteral("400") } });
        rowHeights(21, 40, lower);
        rowHeights(1, 20, upper);
    }

    // A report of 40 rows on two pages with one cell of every kind; in the sheet the cells stand one row
    // down and one column right.
    void cellsOfEveryKind()
    {
        statisticsReport(sizeList({ { 1, "2000" }, { 2, "3000" }, { 3, "2500" } }));
        fortyRows();
        format(QStringLiteral("MERGE"), 1, 1, 1, 3,
            store::clsPropertyHandle::GetPropertyString(
                QStringLiteral("MERGE"), store::PropertyDataType::Boolean, QStringLiteral("TRUE")));
        execute(QStringLiteral(
            "insert into sql_formula (name, description, sql_text) values ('件数', '', 'select 42')"));
        cell(1, 1, QStringLiteral("@A|统计表"));
        cell(2, 1, QStringLiteral("@C|第%p页 共%P页"));
        cell(40, 1, QStringLiteral("@C|第%p页 共%P页"));
        cell(2, 2, QStringLiteral("@G|select count(*) from report_index"));
        cell(3, 2, QStringLiteral("@F|1+2"));
        cell(4, 2, QStringLiteral("@A|&无此参数&"));
        cell(5, 3, QStringLiteral("@D|") + picture());
        cell(6, 3, QStringLiteral("@D|") + files.filePath(QStringLiteral("missing.png")));
        cell(7, 2, QStringLiteral("@H|件数"));
        cell(8, 2, QStringLiteral("@E|1+1"));
        cell(9, 2, QStringLiteral("@G|select nothing from nowhere"));
        cell(10, 2, QStringLiteral("@G|select count(*) + 1 from report_index"));
        cell(0, 3, QStringLiteral("@A|不写"));
    }

    Sheet build()
    {
        useDefinition();
        EXPECT_TRUE(engine::CanPrintReport(stat, run));
        engine::PrepareStatisticsPrint(stat, run);
        Sheet sheet;
        engine::CreateStatisticsReport(stat, run, sheet);
        return sheet;
    }

    engine::StatisticsRun stat;
};

ENGINE_TEST_SUITE(StatisticsReportTest);

TEST_P(StatisticsReportTest, EveryCellKindLandsOneRowDownAndOneColumnRightInASheetFramedByMargins)
{
    cellsOfEveryKind();
    const Sheet sheet = build();

    EXPECT_EQ(sheet.text(2, 2), QStringLiteral("统计表"));
    EXPECT_EQ(sheet.mergedBlockAt(2, 3), (platform::grid::CellRange { 2, 2, 2, 4 }));
    EXPECT_EQ(sheet.text(3, 2), QStringLiteral("第1页 共2页"));
    EXPECT_EQ(sheet.text(41, 2), QStringLiteral("第2页 共2页"));
    EXPECT_EQ(number(sheet, 3, 3), 1); // the one report_index row
    EXPECT_TRUE(sheet.hasFormula(4, 3));
    EXPECT_EQ(number(sheet, 4, 3), 3);
    EXPECT_EQ(sheet.text(5, 3), QStringLiteral("&无此参数&"));
    EXPECT_EQ(number(sheet, 8, 3), 42);
    EXPECT_EQ(number(sheet, 9, 3), 2);
    EXPECT_TRUE(sheet.isEmpty(10, 3));
    EXPECT_EQ(number(sheet, 11, 3), 2); // a statement after one that failed reads as any other
    for (int row = 1; row <= sheet.maxRow(); ++row) {
        for (int col = 1; col <= sheet.maxCol(); ++col)
            EXPECT_NE(sheet.text(row, col), QStringLiteral("不写")) << row << "," << col;
    }

    // Two pictures counted; the one whose file is missing places nothing.
    EXPECT_EQ(stat.StatPictureCount, 2);
    ASSERT_EQ(stat.StatPictureIds.size(), 2);
    EXPECT_EQ(stat.StatPictureIds[1], 0);
    EXPECT_EQ(sheet.objectIds(), QList<int> { stat.StatPictureIds[0] });
    EXPECT_EQ(sheet.objectPosition(stat.StatPictureIds[0]), (platform::grid::CellRange { 6, 4, 6, 4 }));
    QStringList logged = loggedProcedures();
    logged.sort();
    // The cell at row 0 is left out by name.
    EXPECT_EQ(logged,
        (QStringList { QStringLiteral("CheckReportDefinition"), QStringLiteral("GetSQLValue"),
            QStringLiteral("InsertStatPicture") }));

    // Rows: the top margin, 40 design rows (both lists, whatever their stored order), the closing row.
    EXPECT_EQ(stat.StatRowCount, 42);
    EXPECT_EQ(sheet.maxRow(), 42);
    EXPECT_EQ(sheet.rowHeight(1), OtherMargin);
    for (int row = 2; row <= 41; ++row)
        EXPECT_EQ(sheet.rowHeight(row), 400) << "row " << row;
    // Page 1: 567 + 39 × 400 = 16167 fit into 16838 - 567 = 16271, the 40th row would not; the last row
    // that fitted (sheet row 40) opens page 2.
    EXPECT_EQ(stat.PageStartArray, (QVector<int> { 1, 40 }));
    EXPECT_EQ(sheet.rowPageBreaks(), (QList<int> { 1, 40 })); // the pages a spreadsheet program prints
    EXPECT_EQ(stat.StatPageCount, 2);
    EXPECT_EQ(sheet.rowHeight(42), A4Height - 2 * 400 - OtherMargin - LastPageSlack);
    // Columns: the left margin, the three stored widths, the filler up to the paper's width.
    EXPECT_EQ(stat.StatColCount, 5);
    EXPECT_EQ(sheet.maxCol(), 5);
    const int widths[] = { LeftMargin, 2000, 3000, 2500, A4Width - LeftMargin - 7500 };
    for (int col = 1; col <= 5; ++col)
        EXPECT_EQ(sheet.colWidth(col), widths[col - 1]) << "column " << col;

    engine::UnloadStatPictures(stat);
    EXPECT_TRUE(stat.StatPictures.isEmpty());
    EXPECT_EQ(stat.StatPictureCount, 2);
}

TEST_P(StatisticsReportTest, ARebuildGivesTheSameSheetAndCellsThatCannotBeReadLeaveNoneOfTheLastReport)
{
    cellsOfEveryKind();
    // The print window prepares once and may build again into its working grid.
    Sheet sheet = build();
    engine::CreateStatisticsReport(stat, run, sheet);
    EXPECT_EQ(sheet.maxRow(), 42);
    EXPECT_EQ(sheet.maxCol(), 5);
    EXPECT_EQ(sheet.text(2, 2), QStringLiteral("统计表"));
    EXPECT_EQ(stat.PageStartArray, (QVector<int> { 1, 40 }));
    ASSERT_EQ(stat.StatPictureIds.size(), 2);
    EXPECT_EQ(sheet.objectIds(), QList<int> { stat.StatPictureIds[0] });

    // The same definition prepared again gives the same cells; a definition saved without cells leaves
    // none of the last report.
    const auto cellCount = stat.StatCells.size();
    ASSERT_GT(cellCount, 0);
    execute(QStringLiteral("delete from report_data"));
    engine::PrepareStatisticsPrint(stat, run);
    EXPECT_EQ(stat.StatCells.size(), cellCount);
    useDefinition();
    engine::PrepareStatisticsPrint(stat, run);
    EXPECT_TRUE(stat.StatCells.isEmpty());
}

TEST_P(StatisticsReportTest, PreviewWritesTextsAndPicturesOnly)
{
    cellsOfEveryKind();
    useDefinition();
    ASSERT_TRUE(engine::CanPrintReport(stat, run));
    Sheet sheet;
    engine::PreviewStatisticsReport(stat, run, sheet);

    EXPECT_EQ(sheet.text(2, 2), QStringLiteral("统计表"));
    EXPECT_EQ(sheet.text(5, 3), QStringLiteral("&无此参数&"));
    EXPECT_TRUE(sheet.isEmpty(3, 2)); // page numbers
    EXPECT_TRUE(sheet.isEmpty(3, 3)); // statement
    EXPECT_TRUE(sheet.isEmpty(8, 3)); // named formula
    EXPECT_EQ(sheet.objectIds().size(), 1);
    EXPECT_EQ(stat.PageStartArray, (QVector<int> { 1, 40 }));
    EXPECT_EQ(sheet.maxRow(), 42);
}

struct RecordingForm : engine::OutputForm {
    void picturesLoaded(const QVector<QImage>& pictures) override { told.append(int(pictures.size())); }
    QList<int> told;
};

TEST_P(StatisticsReportTest, EachBuildTellsItsPicturesToItsOwnRunsWindowOnly)
{
    cellsOfEveryKind();
    RecordingForm form;
    stat.Output = &form;
    build();
    EXPECT_EQ(form.told, QList<int> { 2 });

    // A second build of its own beside the first tells nobody, and releasing its pictures keeps the first's.
    engine::StatisticsRun other;
    Sheet sheet;
    engine::PrepareStatisticsPrint(other, run);
    engine::CreateStatisticsReport(other, run, sheet);
    EXPECT_EQ(form.told, QList<int> { 2 });
    EXPECT_EQ(other.PageStartArray, stat.PageStartArray);
    engine::UnloadStatPictures(other);
    EXPECT_TRUE(other.StatPictures.isEmpty());
    EXPECT_EQ(stat.StatPictures.size(), 2);
}

TEST_P(StatisticsReportTest, ParametersAreAskedOnceExceptInSilentWebPrinting)
{
    statisticsReport(sizeList({ { 1, "2000" } }));
    rowHeights(1, 1, sizeList({ { 1, "400" } }));
    cell(1, 1, QStringLiteral("@A|&单位&统计"));
    execute(QStringLiteral(
        "insert into report_parameter (report_id, name, default_value) values (%1, '单位', '档案馆')")
                .arg(text(TestReportId)));

    for (const bool web : { false, true }) {
        platform::ui::ScriptedUi script;
        store::reportState().WebPrintMode = web;
        const Sheet sheet = build();
        EXPECT_EQ(sheet.text(2, 2), QStringLiteral("档案馆统计")) << "web " << web;
        EXPECT_EQ(script.shownDialogs().size(), web ? 0 : 1) << "web " << web;
    }
}

// On PostgreSQL the cells of one build read in one transaction: they see the archive at one moment, and
// one that still writes (a large object unlinked) fails the build, undone.
TEST_P(StatisticsReportTest, TheCellsOfABuildReadOneMomentAndOneThatWritesFailsTheBuild)
{
    if (GetParam() == orvtest::Backend::SQLite)
        GTEST_SKIP() << "SQLite refuses every write as the statement is prepared";
    statisticsReport(sizeList({ { 1, "2000" }, { 2, "2000" } }));
    rowHeights(1, 1, sizeList({ { 1, "400" } }));
    cell(1, 1, QStringLiteral("@G|select extract(microseconds from now())::int + 1"));
    cell(1, 2, QStringLiteral("@G|select extract(microseconds from now())::int + 1 as again"));
    const Sheet sheet = build();
    EXPECT_GT(number(sheet, 2, 2), 0);
    EXPECT_EQ(number(sheet, 2, 3), number(sheet, 2, 2));

    QSqlQuery created = database->connection()->run(QStringLiteral("select lo_create(0)"));
    const QString largeObject = created.next() ? created.value(0).toString() : QString();
    cell(2, 1, "@G|select lo_unlink(" + largeObject + ")");
    try {
        build();
        ADD_FAILURE() << "a build that wrote passed";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.description(), QStringLiteral("读取数据的语句修改了数据库，修改已撤销。"));
    }
    EXPECT_EQ(scalar("select count(*) from pg_largeobject_metadata where oid = " + largeObject), "1");
}

TEST_P(StatisticsReportTest, ColumnsAreCheckedAgainstTheDesignedPaperAndThePrinter)
{
    // A custom paper of 20000 × 30000 twips, which the printer (A4) does not take.
    const QString customNote = QStringLiteral("35.27|52.92|20000|30000");
    const QString fitsA4 = sizeList({ { 1, "2000" }, { 2, "3000" }, { 3, "2500" } }); // + 1701 = 9201
    const QString widerThanA4 = sizeList({ { 1, "5000" }, { 2, "5000" }, { 3, "1000" } }); // + 1701 = 12701
    const QString widerThanA4High = sizeList({ { 1, "15200" } }); // + 1701 = 16901
    const struct {
        const char* name;
        QString widths;
        Paper paper;
        QString message; // ErrorMessage and, outside web printing, the one box shown; "" when it prints
    } cases[] = {
        { "columns within A4", fitsA4, {}, {} },
        { "wider than the designed paper", widerThanA4, {}, WiderThanDesign },
        { "wider than the printer", widerThanA4, { 256, customNote }, WiderThanPrinter },
        { "wider than the printer but fitted", widerThanA4, { 256, customNote, false, true }, {} },
        { "landscape measures the paper's height", widerThanA4, { 9, {}, true }, {} },
        { "wider than landscape A4", widerThanA4High, { 9, {}, true }, WiderThanDesign },
    };
    for (const bool web : { false, true }) {
        for (const auto& c : cases) {
            SCOPED_TRACE(QStringLiteral("%1%2").arg(c.name, web ? " (web)" : "").toStdString());
            useDatabase(Content::Schema);
            statisticsReport(c.widths, c.paper);
            cell(1, 1, QStringLiteral("@A|x"));
            store::reportState().WebPrintMode = web;
            platform::ui::ScriptedUi script;

            useDefinition();
            EXPECT_EQ(engine::CanPrintReport(stat, run), c.message.isEmpty());
            EXPECT_EQ(store::reportState().ErrorMessage, c.message);
            EXPECT_EQ(
                script.boxTexts(), c.message.isEmpty() || web ? QStringList {} : QStringList { c.message });
        }
    }
}

// The sheet of a report on a custom paper is set up with the size the designed paper has.
TEST_P(StatisticsReportTest, ACustomPaperSetsUpTheSheetWithItsDesignedSize)
{
    statisticsReport(
        sizeList({ { 1, "2000" } }), { 256, QStringLiteral("35.27|52.92|20000|30000"), false, true });
    cell(1, 1, QStringLiteral("@A|x"));
    const platform::grid::PageSetup setup = build().pageSetup();
    EXPECT_EQ(setup.paperSize, 256);
    // The paper's centimetres as the printer measures them, to the printer's twip.
    EXPECT_NEAR(setup.customWidthCm, 35.27, 0.01);
    EXPECT_NEAR(setup.customHeightCm, 52.92, 0.01);
}

TEST_P(StatisticsReportTest, ReportWithoutIdOrRowsIsNotBuilt)
{
    store::reportState().ReportId.clear();
    useDefinition();
    EXPECT_FALSE(engine::CanPrintReport(stat, run));
    EXPECT_TRUE(ui.boxTexts().isEmpty());

    store::reportState().ReportId = TestReportId;
    useDefinition();
    EXPECT_FALSE(engine::CanPrintReport(stat, run));
    EXPECT_EQ(ui.boxTexts(), QStringList { QStringLiteral("报表索引信息不存在,不能生成报表!") });
}

// The value of each cell that the independent reader finds in an .xls file, by 1-based row and column.
QMap<std::pair<int, int>, QJsonValue> xlsCells(const QString& path)
{
    QMap<std::pair<int, int>, QJsonValue> cells;
    for (const QJsonValue& cell : xlsDump(path)[u"sheets"].toArray().at(0)[u"cells"].toArray())
        cells[{ cell[u"row"].toInt() + 1, cell[u"col"].toInt() + 1 }] = cell[u"value"];
    return cells;
}

TEST_P(StatisticsReportTest, DemoReportCountsTheArchiveAndExports)
{
    useDatabase(Content::DemoArchive, 400);
    store::reportState().ReportId = demo::StatisticsReportId;
    store::reportState().WebPrintMode = true;
    Sheet sheet = build();
    engine::ApplyPageSetup(run.definition(), sheet);

    // Design rows 4 to 8 count the documents and pages of one retention period each, row 9 all of them.
    struct Expected {
        int row;
        QString label;
        QString count;
        QString pages;
    };
    QList<Expected> expected;
    int row = 5;
    for (const QString retention : { "永久", "长期", "短期", "30年", "10年" }) {
        const QString where = QStringLiteral(" from wsda where retention=") + text(retention);
        expected.append({ row++, retention, scalar(QStringLiteral("select count(*)") + where),
            scalar(QStringLiteral("select coalesce(sum(page_no), 0)") + where) });
    }
    expected.append({ 10, QStringLiteral("合计"), scalar(QStringLiteral("select count(*) from wsda")),
        scalar(QStringLiteral("select sum(page_no) from wsda")) });
    EXPECT_EQ(expected.last().count, QStringLiteral("400"));
    EXPECT_EQ(sheet.text(3, 2),
        QStringLiteral("统计日期：") + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));

    // Fitted to the paper: the stored widths (6200 in all) take the page's width inside the margins.
    const double factor = double(A4Width - LeftMargin - OtherMargin) / 6200;
    EXPECT_EQ(sheet.colWidth(2), qRound(2200 * factor));
    EXPECT_EQ(sheet.colWidth(3), qRound(2000 * factor));
    EXPECT_EQ(stat.PageStartArray, QVector<int> { 1 });
    EXPECT_EQ(sheet.rowHeight(sheet.maxRow()),
        A4Height - OtherMargin - 720 - 8 * 400 - OtherMargin - LastPageSlack);
    const platform::grid::PageSetup setup = sheet.pageSetup();
    EXPECT_EQ(setup.paperSize, 9);
    EXPECT_FALSE(setup.landscape);
    EXPECT_TRUE(setup.header.isEmpty() && setup.footer.isEmpty());
    EXPECT_EQ(setup.leftMargin, 0.7875);
    EXPECT_EQ(setup.topMargin, 0.39375);
    EXPECT_FALSE(setup.printGridLines);
    EXPECT_TRUE(ui.boxTexts().isEmpty());

    // Written as a workbook and a web page, read back: the counts as the archive holds them.
    const QString xls = files.filePath(QStringLiteral("统计.xls"));
    const QString htm = files.filePath(QStringLiteral("统计.htm"));
    platform::grid::io::writeSheet(sheet, xls, platform::grid::io::FileType::Xls);
    platform::grid::io::writeSheet(sheet, htm, platform::grid::io::FileType::Html);

    const auto cells = xlsCells(xls);
    EXPECT_EQ(cells.value({ 2, 2 }).toString(), demo::StatisticsReportName);
    QFile page(htm);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(html.contains(demo::StatisticsReportName));
    for (const Expected& e : expected) {
        EXPECT_EQ(cells.value({ e.row, 2 }).toString(), e.label);
        EXPECT_EQ(cells.value({ e.row, 3 }).toDouble(), e.count.toDouble()) << e.label.toStdString();
        EXPECT_EQ(cells.value({ e.row, 4 }).toDouble(), e.pages.toDouble()) << e.label.toStdString();
        EXPECT_TRUE(html.contains(QStringLiteral(">%1<").arg(e.count))) << e.label.toStdString();
    }
}

} // namespace

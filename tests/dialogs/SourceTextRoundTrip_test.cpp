#include "engine/DataReportFixture.h"

#include "dialogs/DataSourceModel.h"
#include "engine/StatisticsReport.h"
#include "engine/StatisticsRun.h"
#include "store/ReportLoader.h"
#include "store/ReportSaver.h"
#include "support/Metafile.h"

using namespace enginetest;
using dialogs::DataSourceForm;
using dialogs::SourceKind;
using platform::grid::Sheet;

namespace
{

// A content text written by the data-source dialog into a design cell.
struct WrittenCell {
    int row;
    int col;
    DataSourceForm form;
    QString text;
};

// Texts written by the dialog into design grids, saved through the store, opened again and built by the
// engine, on every database.
class SourceTextRoundTrip : public DataReportTest
{
protected:
    // Writes every cell as the designer writes the dialog's result, saves, opens the report again and
    // compares the cells' texts.
    void writeSaveAndReopen(const QList<WrittenCell>& cells)
    {
        const store::ReportState& state = store::reportState();
        Sheet design;
        store::OpenReportInDesigner(design);
        for (const WrittenCell& cell : cells) {
            // The kinds whose panels build the text as their boxes change hand it to OK.
            const QString built
                = dialogs::PanelSourceText(cell.form, state.ReportType, false).value_or(QString());
            const auto written = dialogs::ConfirmSource(cell.form, built, state.ReportType, false);
            ASSERT_TRUE(std::holds_alternative<QString>(written)) << cell.text.toStdString();
            EXPECT_EQ(std::get<QString>(written), cell.text);
            design.select(cell.row, cell.col, cell.row, cell.col);
            design.setActiveCellText(std::get<QString>(written));
        }
        const int firstCol = state.ReportType == store::DataReport ? 2 : 1;
        ASSERT_TRUE(state.ReportType == store::DataReport
                ? store::SaveDataReport(design, 1, firstCol, state.RowCount, state.ColCount)
                : store::SaveStatReport(design, 1, firstCol, state.RowCount, state.ColCount));
        Sheet reopened;
        store::OpenReportInDesigner(reopened);
        for (const WrittenCell& cell : cells)
            EXPECT_EQ(reopened.text(cell.row, cell.col), cell.text);
    }

    QString metafile()
    {
        const QString path = files.filePath(QStringLiteral("印章.wmf"));
        EXPECT_TRUE(orvtest::writeRedBlueMetafile(path));
        return path;
    }

    static bool redAndBlue(const QImage& image)
    {
        return !image.isNull()
            && QColor(image.pixel(image.width() / 4, image.height() / 2)) == QColor(Qt::red)
            && QColor(image.pixel(image.width() * 3 / 4, image.height() / 2)) == QColor(Qt::blue);
    }
};
ENGINE_TEST_SUITE(SourceTextRoundTrip);

TEST_P(SourceTextRoundTrip, DataReportKindsAreStoredReopenedAndBuilt)
{
    const DocsLayout layout;
    defineReport(layout);
    const std::vector<Doc> docs = standardDocs();
    insertDocs(docs);
    const int head = layout.reportHeadRow();
    const int band = layout.bandBegin();
    const QString picture = metafile();
    writeSaveAndReopen({
        { head, 2, { .kind = SourceKind::Text, .text = "卷内目录" }, "@A|卷内目录" },
        { head, 3, { .kind = SourceKind::SysArg, .sysArg = " 第%p页 " }, "@C|第%p页" },
        { head, 4, { .kind = SourceKind::Sql, .sql = "select count(*) from docs" },
            "@J|select count(*) from docs" },
        { head, 5, { .kind = SourceKind::Pic, .picture = picture }, "@D|" + picture },
        { layout.pageHeadRow(), 2,
            { .kind = SourceKind::Sql,
                .sql = "select count(*) from docs where piece_no > 12",
                .autoCondition = true },
            "@L|select count(*) from docs where piece_no > 12" },
        { layout.pageHeadRow(), 3, { .kind = SourceKind::InFormu, .function = "SUM", .region = "7+8" },
            "@F|SUM(7+8)" },
        { band, 2,
            { .kind = SourceKind::Fields,
                .fieldTable = "文件",
                .fieldColumn = "title",
                .fieldOption = true,
                .optionChars = "1",
                .optionCount = "2" },
            "@B|title&1-2&B&" },
        { band, 4, { .kind = SourceKind::SpecFormu, .specFormula = "#page_no# * 2" }, "@E|#page_no# * 2" },
        { layout.reportTailRow(), 5, { .kind = SourceKind::SumCol, .sumColumn = "e" }, "@R|E&" },
    });
    EXPECT_EQ(
        scalar(QStringLiteral("select data_description1 from report_data where data_type='B' and col_no=2")),
        QStringLiteral("@B|title&1-2&B&"));

    const Sheet sheet = build(10);
    ASSERT_EQ(state().PageRowRanges.size(), 5);
    EXPECT_TRUE(loggedProcedures().isEmpty()) << loggedProcedures().join(u',').toStdString();
    const PageView first = readPage(sheet, state().PageRowRanges[0]);
    for (const char* shown : { "卷内目录", "第1页", "23", "11", "15", "文件", "32" })
        EXPECT_TRUE(first.shows(QString::fromUtf8(shown))) << shown;
    int pages = 0;
    for (const Doc& doc : docs)
        pages += doc.pages;
    EXPECT_TRUE(readPage(sheet, state().PageRowRanges.last()).shows(QString::number(pages)));
    // The picture stands on every page built.
    EXPECT_EQ(sheet.objectIds().size(), 5);
    for (const int object : sheet.objectIds())
        EXPECT_TRUE(redAndBlue(sheet.object(object).image));
}

// A statement serving as data source gives the report its records and its band cell the statement's
// rows, one a record; with the automatic condition the host's condition applies.
TEST_P(SourceTextRoundTrip, DataSourceStatementsAreStoredReopenedAndBuilt)
{
    const DocsLayout layout;
    defineReport(layout);
    insertDocs(standardDocs());
    const auto bandRows = [&](const Sheet& sheet) {
        QStringList shown;
        for (const QString& row : readPage(sheet, state().PageRowRanges[0]).texts) {
            if (row.contains(QLatin1String("|R00")))
                shown.append(row.section(u'|', 1, 1));
        }
        return shown;
    };
    writeSaveAndReopen({ { layout.bandBegin(), 2,
        { .kind = SourceKind::Sql,
            .sql = "select recid from docs where piece_no > 20 order by piece_no desc",
            .dataSource = true },
        "@I|select recid from docs where piece_no > 20 order by piece_no desc" } });
    EXPECT_EQ(bandRows(build(10)), (QStringList { "R0023", "R0022", "R0021" }));

    store::reportState().SelectWhere = QStringLiteral("docs.piece_no <= 2");
    writeSaveAndReopen({ { layout.bandBegin(), 2,
        { .kind = SourceKind::Sql, .sql = "=&语句&", .autoCondition = true, .dataSource = true },
        "@K|&语句&" } });
    writeSaveAndReopen({ { layout.bandBegin(), 2,
        { .kind = SourceKind::Sql,
            .sql = "select recid from docs order by piece_no desc",
            .autoCondition = true,
            .dataSource = true },
        "@K|select recid from docs order by piece_no desc" } });
    EXPECT_EQ(bandRows(build(10)), (QStringList { "R0002", "R0001" }));
    EXPECT_TRUE(loggedProcedures().isEmpty()) << loggedProcedures().join(u',').toStdString();
}

TEST_P(SourceTextRoundTrip, StatisticsReportKindsAreStoredReopenedAndBuilt)
{
    execute(QStringLiteral("insert into report_index (report_id, report_name, report_type, report_group_id) "
                           "values (%1, '统计', 2, 'docs')")
                .arg(text(TestReportId)));
    for (const auto& [type, value] : std::initializer_list<std::pair<const char*, const char*>> {
             { "PAGE_SIZE", "9" }, { "PAGE_LANDSCAPE", "F" }, { "SELF_FIT", "F" }, { "LEFT_MARGE", "0.7875" },
             { "RIGHT_MARGE", "0.39375" }, { "TOP_MARGE", "0.39375" }, { "BOTTOM_MARGE", "0.39375" },
             { "ROW_COUNT", "8" }, { "COL_COUNT", "3" } })
        info(QString::fromLatin1(type), QString::fromLatin1(value));
    colWidths(sizeList({ { 1, "2000" }, { 2, "2000" }, { 3, "3000" } }));
    rowHeights(1, 8, sizeList({ { 1, "400" }, { 8, "400" } }));
    cell(1, 1, QStringLiteral("@A|旧"));
    insertDocs(standardDocs());
    execute(QStringLiteral("insert into sql_formula (name, description, sql_text) "
                           "values ('前十件', '', 'select count(*) from docs where piece_no <= 10')"));
    const QString picture = metafile();
    writeSaveAndReopen({
        { 1, 1, { .kind = SourceKind::Text, .text = "统计表" }, "@A|统计表" },
        { 2, 1, { .kind = SourceKind::SysArg, .sysArg = "第%p页" }, "@C|第%p页" },
        { 3, 1, { .kind = SourceKind::Sql, .sql = "select count(*) from docs" },
            "@G|select count(*) from docs" },
        { 4, 1, { .kind = SourceKind::SqlFormu, .sqlFormula = "前十件" }, "@H|前十件" },
        { 5, 1, { .kind = SourceKind::SpecFormu, .specFormula = "20 + 22" }, "@E|20 + 22" },
        { 6, 1, { .kind = SourceKind::InFormu, .function = "SUM", .region = "7+8" }, "@F|SUM(7+8)" },
        { 7, 3, { .kind = SourceKind::Pic, .picture = picture }, "@D|" + picture },
    });

    useDefinition();
    engine::StatisticsRun stat;
    ASSERT_TRUE(engine::CanPrintReport(stat, run));
    engine::PrepareStatisticsPrint(stat, run);
    Sheet sheet;
    engine::CreateStatisticsReport(stat, run, sheet);
    EXPECT_TRUE(loggedProcedures().isEmpty()) << loggedProcedures().join(u',').toStdString();
    // Cells stand one row down and one column right of their design cells.
    EXPECT_EQ(sheet.text(2, 2), QStringLiteral("统计表"));
    EXPECT_EQ(sheet.text(3, 2), QStringLiteral("第1页"));
    EXPECT_EQ(sheet.text(4, 2), QStringLiteral("23"));
    EXPECT_EQ(sheet.text(5, 2), QStringLiteral("10"));
    EXPECT_EQ(sheet.text(6, 2), QStringLiteral("42"));
    EXPECT_EQ(sheet.text(7, 2), QStringLiteral("15"));
    const QList<int> objects = sheet.objectIds();
    ASSERT_EQ(objects.size(), 1);
    EXPECT_EQ(sheet.objectPosition(objects[0]), platform::grid::CellRange::cell(8, 4));
    EXPECT_TRUE(redAndBlue(sheet.object(objects[0]).image));
}

} // namespace

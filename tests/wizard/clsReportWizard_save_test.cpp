#include "WizardFixture.h"

#include "designer/RegionMarkers.h"
#include "engine/DataReportBuilder.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "platform/grid/Sheet.h"
#include "store/DefinitionReader.h"
#include "store/ReportDefinition.h"
#include "store/ReportLoader.h"
#include "wizard/modCreateReport.h"

#include <algorithm>

using namespace wizardtest;
using store::RegionEntry;

namespace
{

class WizardSave : public WizardTest
{
protected:
    struct Built {
        long long pages = 0;
        int pageRanges = 0;
        QStringList marked; // column-2 texts of the detail rows, sorted
    };

    // Builds the whole report as the web export does; collects the texts of column `col` that begin with
    // `prefix` (the values of the detail field there).
    Built build(const QString& id, const QString& prefix, int col = 2)
    {
        store::reportState().ReportId = id;
        store::reportState().WebPrintMode = true;
        Built built;
        engine::DataReportRun run(store::ReadReportDefinition(id));
        EXPECT_TRUE(engine::CanPrintDataReport(run));
        engine::PrepareReportData(run);
        platform::grid::Sheet sheet;
        engine::CreateDataReport(run, sheet, engine::AllRemainingPages);
        built.pages = run.TotalPages;
        built.pageRanges = int(run.PageRowRanges.size());
        for (const engine::PageRowRange& page : run.PageRowRanges) {
            for (int row = page.firstRow; row <= page.lastRow; ++row) {
                if (sheet.text(row, col).startsWith(prefix))
                    built.marked.append(sheet.text(row, col));
            }
        }
        built.marked.sort();
        return built;
    }

    QStringList column(const QString& sql)
    {
        QStringList values;
        for (const QStringList& row : rows(sql))
            values.append(row.value(0));
        values.sort();
        return values;
    }

    // Pages when every group starts a page and a page holds 10 records.
    long long groupPages(const QString& groupBy)
    {
        long long pages = 0;
        for (const QStringList& row : rows(QStringLiteral("select count(*) from wsda group by ") + groupBy))
            pages += (row.value(0).toLongLong() + 9) / 10;
        return pages;
    }

    // Opens the report as the designer does; its region texts in region-table order.
    // Opens the report as the designer does; its region texts in region-table order, each present
    // region's marker label standing in column 1 at its first row.
    QStringList openRegions(const QString& id)
    {
        designer::installRegionMarkerSeam();
        store::reportState().ReportId = id;
        platform::grid::Sheet grid;
        store::OpenReportInDesigner(grid);
        QStringList regions;
        for (int entry = 1; entry <= store::RegionEntryCount; ++entry) {
            const store::ReportRegion& region = store::reportState().RegionTable[entry];
            if (!region.present) {
                regions.append("-");
                continue;
            }
            regions.append(QStringLiteral("%1:%2").arg(region.beginRow).arg(region.endRow));
            EXPECT_EQ(grid.text(region.beginRow, 1), designer::regionMarker(entry).label) << entry;
        }
        return regions;
    }

    static FieldChoice wsda(const char* field, bool descending = false)
    {
        return { QStringLiteral("wsda"), QString::fromLatin1(field), descending };
    }
};
WIZARD_TEST_SUITE(WizardSave);

const QString AllBorders = QStringLiteral("@WHICHBORDER|2|0@BORDERSTYLE|2|1@WHICHBORDER|2|1@BORDERSTYLE|2|1"
                                          "@WHICHBORDER|2|2@BORDERSTYLE|2|1@WHICHBORDER|2|3@BORDERSTYLE|2|1");

TEST_P(WizardSave, OneTableWithoutGroupsOrSortStoresTheFixedFourRowSheet)
{
    const QString id
        = saveReport({ { "wsda" }, { wsda("archive_no"), wsda("title"), wsda("page_no") }, {}, {} });
    EXPECT_EQ(id.size(), 20);
    EXPECT_EQ(store::reportState().ReportId, id);
    EXPECT_EQ(reportRows("report_index", "report_name,report_type,report_group_id", id),
        (QList<QStringList> { { "新报表", "1", "wsda" } }));
    QList<QStringList> info
        = { { "SQL_SELECT", "1", "wsda.*" }, { "SQL_ORDER", "1", "" }, { "TABLES_NAME", "1", "wsda" },
              { "PAGE_HEAD", "1", "1:2" }, { "DATA_DETAIL", "1", "3:3" }, { "PAGE_TAIL", "1", "4:4" } };
    info += pageSettingRows(4, 4);
    std::sort(info.begin(), info.end());
    EXPECT_EQ(infoRows(id), info);

    const QString title = "@FONTNAME|1|宋体@FONTSIZE|2|20@FONTBOLD|4|TRUE@FONTITALIC|4|FALSE";
    const QString pageText = "@FONTNAME|1|宋体@FONTSIZE|2|9@FONTBOLD|4|FALSE@FONTITALIC|4|FALSE";
    QList<QStringList> formats = {
        { "1", "1", "2", "4", "4", "FONT", "@FONTITALIC|4|FALSE" },
        { "2", "1", "0", "4", "0", "COLWIDTH", "@2|2|3118@3|2|3118@4|2|3118" },
        { "3", "1", "2", "2", "4", "ROWHEIGHT", "@1|2|600@2|2|420" },
        { "4", "3", "2", "3", "4", "ROWHEIGHT", "@3|2|300" },
        { "5", "4", "2", "4", "4", "ROWHEIGHT", "@4|2|300" },
        { "6", "1", "2", "1", "4", "FONT", title },
        { "7", "1", "2", "1", "4", "ALIGNMENT", "@HALIGNMENT|2|3@VALIGNMENT|2|2" },
        { "8", "1", "2", "1", "4", "WRAPTEXT", "@WRAPTEXT|4|FALSE" },
        { "9", "1", "2", "1", "4", "MERGE", "@MERGE|4|TRUE" },
        { "10", "1", "2", "1", "4", "SHRINKTOFIT", "@SHRINKTOFIT|4|TRUE" },
        { "11", "4", "2", "4", "4", "FONT", pageText },
        { "12", "4", "2", "4", "4", "ALIGNMENT", "@HALIGNMENT|2|3@VALIGNMENT|2|2" },
        { "13", "4", "2", "4", "4", "WRAPTEXT", "@WRAPTEXT|4|FALSE" },
        { "14", "4", "2", "4", "4", "MERGE", "@MERGE|4|TRUE" },
        { "15", "4", "2", "4", "4", "SHRINKTOFIT", "@SHRINKTOFIT|4|TRUE" },
        { "16", "3", "2", "3", "4", "FONT", "@FONTSIZE|2|12" },
        { "17", "3", "2", "3", "4", "ALIGNMENT", "@HALIGNMENT|2|2@VALIGNMENT|2|3" },
        { "18", "3", "2", "3", "4", "BORDER", AllBorders },
        { "19", "3", "2", "4", "4", "WRAPTEXT", "@WRAPTEXT|4|TRUE" },
        { "20", "2", "2", "2", "4", "FONT", "@FONTSIZE|2|14@FONTBOLD|4|TRUE" },
        { "21", "2", "2", "2", "4", "ALIGNMENT", "@HALIGNMENT|2|3@VALIGNMENT|2|3" },
        { "22", "2", "2", "2", "4", "WRAPTEXT", "@WRAPTEXT|4|TRUE" },
        { "23", "2", "2", "2", "4", "BORDER", AllBorders },
    };
    std::sort(formats.begin(), formats.end());
    EXPECT_EQ(formatRows(id), formats);
    EXPECT_EQ(dataRows(id),
        (QList<QStringList> { { "1", "2", "A", "@A|新报表" }, { "2", "2", "A", "@A|档号" },
            { "2", "3", "A", "@A|题名" }, { "2", "4", "A", "@A|页数" }, { "3", "2", "B", "@B|archive_no" },
            { "3", "3", "B", "@B|title" }, { "3", "4", "B", "@B|page_no" },
            { "4", "2", "C", "@C|第%p页/共%P页" } }));

    EXPECT_EQ(openRegions(id), (QStringList { "-", "1:2", "-", "-", "-", "3:3", "-", "-", "-", "4:4", "-" }));
    EXPECT_EQ(store::reportState().RowCount, 4);
    EXPECT_EQ(store::reportState().ColCount, 4);
    const Built built = build(id, "J001-");
    EXPECT_EQ(built.pages, 6);
    EXPECT_EQ(built.pageRanges, 6);
    EXPECT_EQ(built.marked, column("select archive_no from wsda"));
}

TEST_P(WizardSave, OneGroupLevelTakesTwoHeadRowsForThreeFields)
{
    const QString id = saveReport({ { "wsda" },
        { wsda("filing_year"), wsda("retention"), wsda("responsible"), wsda("archive_no"), wsda("title"),
            wsda("doc_date"), wsda("page_no") },
        { { wsda("filing_year"), wsda("retention"), wsda("responsible") } }, { wsda("archive_no") } });
    QList<QStringList> info = { { "SQL_SELECT", "1", "wsda.*" }, { "SQL_ORDER", "1", "wsda.archive_no" },
        { "TABLES_NAME", "1", "wsda" }, { "PAGE_HEAD", "1", "1:1" }, { "GROUP_HEAD", "1", "2:4" },
        { "GROUP_TAIL", "1", "6:6" }, { "DATA_DETAIL", "1", "5:5" }, { "PAGE_TAIL", "1", "7:7" } };
    info += pageSettingRows(7, 5);
    std::sort(info.begin(), info.end());
    EXPECT_EQ(infoRows(id), info);
    EXPECT_EQ(dataRows(id),
        (QList<QStringList> { { "1", "2", "A", "@A|新报表" }, { "2", "2", "A", "@A|归档年度" },
            { "2", "3", "B", "@B|filing_year" }, { "2", "4", "A", "@A|保管期限" },
            { "2", "5", "B", "@B|retention" }, { "3", "2", "A", "@A|责任者" },
            { "3", "3", "B", "@B|responsible" }, { "4", "2", "A", "@A|档号" }, { "4", "3", "A", "@A|题名" },
            { "4", "4", "A", "@A|成文日期" }, { "4", "5", "A", "@A|页数" },
            { "5", "2", "B", "@B|archive_no" }, { "5", "3", "B", "@B|title" },
            { "5", "4", "B", "@B|doc_date" }, { "5", "5", "B", "@B|page_no" },
            { "7", "2", "C", "@C|第%p页/共%P页" } }));
    const QList<QStringList> formats = formatRows(id);
    const auto has = [&](const QStringList& row) {
        return std::any_of(
            formats.begin(), formats.end(), [&](const QStringList& f) { return f.mid(1) == row; });
    };
    EXPECT_TRUE(has({ "1", "0", "7", "0", "COLWIDTH", "@2|2|2338@3|2|2338@4|2|2338@5|2|2338" }));
    EXPECT_TRUE(has({ "1", "2", "4", "5", "ROWHEIGHT", "@1|2|600@2|2|420@3|2|420@4|2|420" }));
    EXPECT_TRUE(has({ "2", "2", "3", "5", "FONT", "@FONTNAME|1|宋体" }));
    EXPECT_TRUE(has({ "3", "2", "3", "2", "FONT", "@FONTSIZE|2|14@FONTBOLD|4|TRUE" }));
    EXPECT_TRUE(has({ "3", "3", "3", "3", "FONT", "@FONTSIZE|2|12" }));
    EXPECT_TRUE(has({ "6", "2", "6", "5", "MERGE", "@MERGE|4|TRUE" }));
    EXPECT_EQ(formats.size(), 35);

    EXPECT_EQ(
        openRegions(id), (QStringList { "-", "1:1", "2:4", "-", "-", "5:5", "-", "-", "6:6", "7:7", "-" }));
    const Built built = build(id, "J001-");
    EXPECT_EQ(built.pages, groupPages("filing_year, retention, responsible"));
    EXPECT_EQ(built.pageRanges, built.pages);
    EXPECT_EQ(built.marked, column("select archive_no from wsda"));
}

TEST_P(WizardSave, TwoGroupLevelsPutTheInnermostFootFirst)
{
    const QString id = saveReport({ { "wsda" },
        { wsda("filing_year"), wsda("retention"), wsda("responsible"), wsda("archive_flag"),
            wsda("archive_no"), wsda("title"), wsda("page_no") },
        { { wsda("filing_year"), wsda("retention") }, { wsda("responsible"), wsda("archive_flag") } },
        { wsda("page_no", true), wsda("archive_no") } });
    QList<QStringList> info
        = { { "SQL_SELECT", "1", "wsda.*" }, { "SQL_ORDER", "1", "wsda.page_no DESC, wsda.archive_no" },
              { "TABLES_NAME", "1", "wsda" }, { "PAGE_HEAD", "1", "1:1" }, { "GROUP_HEAD", "1", "2:2" },
              { "GROUP_HEAD", "2", "3:4" }, { "GROUP_TAIL", "1", "7:7" }, { "GROUP_TAIL", "2", "6:6" },
              { "DATA_DETAIL", "1", "5:5" }, { "PAGE_TAIL", "1", "8:8" } };
    info += pageSettingRows(8, 5);
    std::sort(info.begin(), info.end());
    EXPECT_EQ(infoRows(id), info);
    EXPECT_EQ(openRegions(id),
        (QStringList { "-", "1:1", "2:2", "3:4", "-", "5:5", "-", "6:6", "7:7", "8:8", "-" }));
    const Built built = build(id, "J001-");
    EXPECT_EQ(built.pages, groupPages("filing_year, retention, responsible, archive_flag"));
    EXPECT_EQ(built.marked, column("select archive_no from wsda"));
}

// Related tables: every table of the chain is in the FROM list and joined to the next one, also a table
// that lies between two chosen ones; fields are named with their table.
TEST_P(WizardSave, RelatedTablesAreJoinedAlongTheWholeChain)
{
    const struct {
        QStringList tables;
        QList<FieldChoice> fields;
        QString select;
        QString where;
        QString tablesName;
        QString prefix;
        int col;
        QString detailSql;
    } cases[] = {
        { { "wsaj", "wsda" }, { { "wsaj", "title" }, wsda("archive_no") }, "wsaj.*, wsda.*",
            " (wsaj.folder_no = wsda.folder_no)", "wsaj,wsda", "J001-", 3, "select archive_no from wsda" },
        { { "wsaj", "wsda", "wsfj" }, { { "wsaj", "title" }, wsda("archive_no"), { "wsfj", "recid" } },
            "wsaj.*, wsda.*, wsfj.*", " (wsaj.folder_no = wsda.folder_no) And  (wsda.recid = wsfj.doc_recid)",
            "wsaj,wsda,wsfj", "FJ", 4, "select recid from wsfj" },
        { { "wsaj", "wsfj" }, { { "wsaj", "title" }, { "wsfj", "recid" } }, "wsaj.*, wsfj.*",
            " (wsaj.folder_no = wsda.folder_no) And  (wsda.recid = wsfj.doc_recid)", "wsaj,wsda,wsfj", "FJ",
            3, "select recid from wsfj" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tablesName.toStdString() + " " + c.select.toStdString());
        const QString id = saveReport({ c.tables, c.fields, {}, {} });
        const QList<QStringList> info = infoRows(id);
        const auto piece = [&](const char* type) {
            for (const QStringList& row : info) {
                if (row[0] == QLatin1String(type))
                    return row[2];
            }
            return QStringLiteral("<none>");
        };
        EXPECT_EQ(piece("SQL_SELECT"), c.select);
        EXPECT_EQ(piece("SQL_WHERE"), c.where);
        EXPECT_EQ(piece("TABLES_NAME"), c.tablesName);
        QStringList references;
        for (const QStringList& cell : dataRows(id)) {
            if (cell[2] == QLatin1String("B"))
                references.append(cell[3]);
        }
        QStringList expected;
        for (const FieldChoice& field : c.fields)
            expected.append("@B|" + field.table + "." + field.field);
        EXPECT_EQ(references, expected);

        const Built built = build(id, c.prefix, c.col);
        EXPECT_EQ(built.marked, column(c.detailSql));
        EXPECT_EQ(built.pages, (built.marked.size() + 9) / 10);
    }
}

TEST_P(WizardSave, LongSqlPiecesReadBackWhole)
{
    for (const int length : { 0, 127, 128, 254, 255, 256, 700 }) {
        SCOPED_TRACE(length);
        // Letters with a blank every fifth character, so that pieces end and begin with blanks.
        QString text;
        for (int i = 0; i < length; ++i)
            text += i % 5 == 4 ? QChar(' ') : QChar('a' + i % 26);
        const QList<wizard::InfoRow> pieces = wizard::SplitFixedWidth("SQL_ORDER", text);
        EXPECT_EQ(pieces.size(), std::max(1, (length + 254) / 255));
        wizard::NewReportRows report { QStringLiteral("2026010100000%1").arg(length, 7, 10, QChar('0')),
            "长语句", 1, "wsda", {}, {}, {} };
        for (const char* type : { "SQL_SELECT", "SQL_WHERE", "SQL_ORDER" })
            report.info += wizard::SplitFixedWidth(type, text);
        wizard::WriteNewReport(*database->connection(), report);
        const store::SqlPieces sql = store::ReadReportDefinition(report.reportId)->sql;
        EXPECT_EQ(sql.SqlSelect, text);
        EXPECT_EQ(sql.SqlWhere, text);
        EXPECT_EQ(sql.SqlOrder, text);
    }
}

// Whatever insert fails, nothing of the new report stays and the cause is kept for the user.
TEST_P(WizardSave, AFailingInsertLeavesNoRowInAnyTable)
{
    const struct {
        const char* table;
        const char* condition;
    } failures[] = { { "report_index", "1 = 1" }, { "report_info", "NEW.info_type = 'DATA_DETAIL'" },
        { "report_format", "NEW.format_order = 12" }, { "report_data", "NEW.row_no = 4" } };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.table);
        refuse("insert", failure.table, failure.condition);
        wizard::clsReportWizard wizard;
        load(wizard);
        choose(wizard, { { "wsda" }, { wsda("archive_no"), wsda("title") }, {}, {} });
        EXPECT_FALSE(wizard.Save());
        EXPECT_TRUE(wizard.FailureText().contains("refused")) << wizard.FailureText().toStdString();
        EXPECT_EQ(storedRowCount(wizard.ReportId()), 0);
        EXPECT_NE(store::reportState().ReportId, wizard.ReportId());
        allow();
        EXPECT_TRUE(wizard.Save());
        EXPECT_EQ(storedRowCount(wizard.ReportId()), 1 + 17 + 23 + 6);
    }
    EXPECT_EQ(
        scalar("select count(*) from orv_error_log where procedure_name = 'clsReportWizard.Save'"), "4");
}

TEST_P(WizardSave, QuotesInNamesAndCaptionsAreStoredAsTheyAre)
{
    const QString demoReports = scalar("select count(*) from report_index where report_group_id = 'wsda'");
    execute(
        "update table_struct_description set column_chn_name = 'O''Brien''s 题名' where table_name = 'wsda' "
        "and column_name = 'title'");
    wizard::clsReportWizard wizard;
    load(wizard);
    wizard.reportName = QStringLiteral("O'Brien'); delete from report_index; --");
    wizard.GroupID = QStringLiteral("g'1");
    choose(wizard, { { "wsda" }, { wsda("title") }, {}, {} });
    ASSERT_TRUE(wizard.Save()) << wizard.FailureText().toStdString();
    EXPECT_EQ(reportRows("report_index", "report_name,report_group_id", wizard.ReportId()),
        (QList<QStringList> { { wizard.reportName, "g'1" } }));
    EXPECT_TRUE(dataRows(wizard.ReportId()).contains(QStringList { "2", "2", "A", "@A|O'Brien's 题名" }));
    EXPECT_EQ(scalar("select count(*) from report_index where report_group_id = 'wsda'"), demoReports);
}

TEST_P(WizardSave, AReportWithoutDetailOrTablesIsRefusedWithItsReason)
{
    const QString demoReports = scalar("select count(*) from report_index");
    wizard::clsReportWizard grouped;
    load(grouped);
    choose(grouped, { { "wsda" }, { wsda("filing_year") }, { { wsda("filing_year") } }, {} });
    EXPECT_FALSE(grouped.Save());
    EXPECT_EQ(grouped.FailureText(), QStringLiteral("数据报表不能没有内容"));

    wizard::clsReportWizard empty;
    load(empty);
    empty.MarkUserCheckedTable(tree);
    EXPECT_FALSE(empty.Save());
    EXPECT_EQ(empty.FailureText(), QStringLiteral("没有生成选择内容"));
    EXPECT_EQ(scalar("select count(*) from report_index"), demoReports);
}

} // namespace

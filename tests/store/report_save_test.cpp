#include "DesignFixture.h"

#include "store/ReportKeywords.h"

using namespace storetest;
using platform::grid::BorderSide;
using platform::grid::BorderStyle;
using platform::grid::CellFormat;
using platform::grid::CellRange;
using platform::grid::Sheet;

namespace
{

const QString Id = QStringLiteral("20240301100000000001");

const QString DefaultFont
    = QStringLiteral("@FONTNAME|1|宋体@FONTSIZE|1|10.5@FONTBOLD|4|False@FONTITALIC|4|False"
                     "@FONTCOLOR|6|0@FONTUNDERLINE|4|False@FONTSTRIKEOUT|4|False");
const QString DefaultAlignment = QStringLiteral("@HALIGNMENT|2|1@VALIGNMENT|2|3");
const QString GeneralFormat = QStringLiteral("@INPUTFORMAT|1|General");

// A stored data report with rows a save must replace, keep or add, and a design grid of rows 1 to 4 and
// columns 2 and 3: a title, a detail band of two field cells, a merged plain text below it.
class ReportSave : public DesignTest
{
protected:
    void SetUp() override
    {
        DesignTest::SetUp();
        execute(
            QStringLiteral("insert into table_struct_description (table_name, table_chn_name, column_name, "
                           "column_chn_name) values ('wsda','文书档案','title','题名'), "
                           "('wsda','文书档案','amount','金额(元)')"));
        execute(QStringLiteral("insert into report_index values ('%1','旧名',1,'wsda',NULL)").arg(Id));
        execute(QStringLiteral(
            "insert into report_info (report_id, info_type, info_order, info_description, note) "
            "values ('%1','SQL_SELECT',1,'wsda.*',NULL), ('%1','DATA_ROWS',1,'10',NULL), "
            "('%1','PAGE_SIZE',1,'9','21|29.7|11760|16632'), ('%1','REPORT_HEAD',1,'9:9',NULL)")
                    .arg(Id));
        execute(QStringLiteral(
            "insert into report_format (report_id, format_order, format_type, format_description) "
            "values ('%1',1,'COLWIDTH','@2|2|100')")
                    .arg(Id));
        execute(QStringLiteral(
            "insert into report_data (report_id, row_no, col_no, data_type, data_description1) "
            "values ('%1',9,9,'A','@A|old')")
                    .arg(Id));

        auto& state = store::reportState();
        state.ReportId = Id;
        state.ReportName = QStringLiteral("报表一");
        state.ReportType = store::DataReport;
        state.ReportGroupId = QStringLiteral("wsda");
        state.TablesName = QStringLiteral("wsda");
        state.DataRows = store::keywords::DataRowsAutoMode;
        state.SelfFit = true;
        state.PageRecount = false;
        state.PageSize = store::keywords::CustomPaperSize;
        state.PageLandscape = true;
        state.LeftMarge = 0.7875;
        state.RightMarge = 0.39375;
        state.TopMarge = 1;
        state.BottomMarge = 0.5;
        state.RowCount = 4;
        state.ColCount = 3;
        state.RegionTable[store::RegionEntry::PageHead] = { true, 1, 1 };
        state.RegionTable[store::RegionEntry::DataDetail] = { true, 2, 2 };
        state.RegionTable[store::RegionEntry::GroupTail2] = { true, 3, 3 };
        state.RegionTable[store::RegionEntry::ReportTail] = { true, 8, 7 }; // empty: never stored

        grid.setText(1, 2, QStringLiteral("@A|标题"));
        CellFormat title;
        title.fontSize = 16;
        title.fontBold = true;
        title.fontColor = 0xFF0000; // red
        title.hAlign = platform::grid::HAlign::Center;
        grid.applyFormat(CellRange::cell(1, 2), title);
        grid.setText(2, 2, QStringLiteral("@B|题名(文书档案)&F&"));
        grid.setText(2, 3, QStringLiteral("@B|金额(元)"));
        CellFormat amount;
        amount.numberFormat = QStringLiteral("@");
        amount.border(BorderSide::Left) = platform::grid::Border { BorderStyle::Thin, 0 };
        amount.border(BorderSide::Right) = platform::grid::Border { BorderStyle::Medium, 0x0000FF }; // blue
        grid.applyFormat(CellRange::cell(2, 3), amount);
        CellFormat merged;
        merged.mergeCells = true;
        merged.wrapText = true;
        grid.applyFormat(CellRange { 3, 2, 3, 3 }, merged);
        grid.setText(3, 2, QStringLiteral("ABC公司"));
        grid.setRowHeight(1, 500);
        grid.setColWidth(2, 2000);
    }

    bool saveGrid() { return store::SaveDataReport(grid, 1, 2, 4, 3); }

    Sheet grid;
};

TEST_P(ReportSave, WritesEveryRowInItsStoredForm)
{
    ASSERT_TRUE(saveGrid());

    EXPECT_EQ(reportRows("report_index", "report_name,report_type,report_group_id", Id),
        (QList<QStringList> { { "报表一", "1", "wsda" } }));

    // The page settings are updated or added, the SQL pieces and the custom paper's note left alone, the
    // region rows replaced by the present regions.
    QList<QStringList> info {
        { "BOTTOM_MARGE", "1", "0.5", "" },
        { "COL_COUNT", "1", "3", "" },
        { "DATA_DETAIL", "1", "2:2", "" },
        { "DATA_ROWS", "1", "AUTO", "" },
        { "GROUP_TAIL", "2", "3:3", "" },
        { "LEFT_MARGE", "1", "0.7875", "" },
        { "PAGE_HEAD", "1", "1:1", "" },
        { "PAGE_LANDSCAPE", "1", "T", "" },
        { "PAGE_RECOUNT", "1", "F", "" },
        { "PAGE_SIZE", "1", "256", "21|29.7|11760|16632" },
        { "RIGHT_MARGE", "1", "0.39375", "" },
        { "ROW_COUNT", "1", "4", "" },
        { "SELF_FIT", "1", "T", "" },
        { "SQL_SELECT", "1", "wsda.*", "" },
        { "TOP_MARGE", "1", "1", "" },
    };
    EXPECT_EQ(reportRows("report_info", "info_type,info_order,info_description,note", Id), info);

    // Column widths once; then per band the row heights and one row per cell or merged area and kind.
    const QString empty;
    QList<QStringList> formats {
        { "1", empty, empty, empty, empty, "COLWIDTH", "@2|2|2000@3|2|1080" },
        { "2", "1", empty, "1", empty, "ROWHEIGHT", "@1|2|500" },
        { "3", "1", "2", "1", "2", "FONT",
            "@FONTNAME|1|宋体@FONTSIZE|1|16@FONTBOLD|4|True@FONTITALIC|4|False@FONTCOLOR|6|255"
            "@FONTUNDERLINE|4|False@FONTSTRIKEOUT|4|False" },
        { "4", "1", "3", "1", "3", "FONT", DefaultFont },
        { "5", "1", "2", "1", "2", "ALIGNMENT", "@HALIGNMENT|2|3@VALIGNMENT|2|3" },
        { "6", "1", "3", "1", "3", "ALIGNMENT", DefaultAlignment },
        { "7", "1", "2", "1", "2", "INPUTFORMAT", GeneralFormat },
        { "8", "1", "3", "1", "3", "INPUTFORMAT", GeneralFormat },
        { "9", "2", empty, "2", empty, "ROWHEIGHT", "@2|2|270" },
        { "10", "2", "2", "2", "2", "FONT", DefaultFont },
        { "11", "2", "3", "2", "3", "FONT", DefaultFont },
        { "12", "2", "2", "2", "2", "ALIGNMENT", DefaultAlignment },
        { "13", "2", "3", "2", "3", "ALIGNMENT", DefaultAlignment },
        { "14", "2", "3", "2", "3", "BORDER",
            "@WHICHBORDER|2|1@BORDERSTYLE|2|1@BORDERCOLOR|6|0"
            "@WHICHBORDER|2|3@BORDERSTYLE|2|2@BORDERCOLOR|6|16711680" },
        { "15", "2", "2", "2", "2", "INPUTFORMAT", GeneralFormat },
        { "16", "2", "3", "2", "3", "INPUTFORMAT", "@INPUTFORMAT|1|\\@" },
        { "17", "3", empty, "4", empty, "ROWHEIGHT", "@3|2|270@4|2|270" },
        { "18", "3", "2", "3", "3", "FONT", DefaultFont },
        { "19", "4", "2", "4", "2", "FONT", DefaultFont },
        { "20", "4", "3", "4", "3", "FONT", DefaultFont },
        { "21", "3", "2", "3", "3", "ALIGNMENT", DefaultAlignment },
        { "22", "4", "2", "4", "2", "ALIGNMENT", DefaultAlignment },
        { "23", "4", "3", "4", "3", "ALIGNMENT", DefaultAlignment },
        { "24", "3", "2", "3", "3", "INPUTFORMAT", GeneralFormat },
        { "25", "4", "2", "4", "2", "INPUTFORMAT", GeneralFormat },
        { "26", "4", "3", "4", "3", "INPUTFORMAT", GeneralFormat },
        { "27", "3", "2", "3", "3", "WRAPTEXT", "@WRAPTEXT|4|True" },
        { "28", "3", "2", "3", "3", "MERGE", "@MERGE|4|True" },
    };
    std::sort(formats.begin(), formats.end());
    EXPECT_EQ(
        reportRows("report_format",
            "format_order,begin_row_no,begin_col_no,end_row_no,end_col_no,format_type,format_description",
            Id),
        formats);

    // Field cells get their database names, options kept; a plain text is stored as typed.
    EXPECT_EQ(reportRows("report_data", "row_no,col_no,data_type,data_description1,data_description2", Id),
        (QList<QStringList> {
            { "1", "2", "A", "@A|标题", "" },
            { "2", "2", "B", "@B|wsda.title&F&", "" },
            { "2", "3", "B", "@B|amount", "" },
            { "3", "2", "B", "ABC公司", "" },
        }));
}

TEST_P(ReportSave, ReopenedReportShowsWhatWasSaved)
{
    ASSERT_TRUE(saveGrid());
    store::reportState() = store::ReportState {};
    store::reportState().Connection = database->connection();
    expectSameDesign(grid, open(Id), 4, 2, 3);
    EXPECT_EQ(store::reportState().PageSize, store::keywords::CustomPaperSize);
    EXPECT_EQ(store::reportState().DataRows, store::keywords::DataRowsAutoMode);
}

// A statement that the database refuses in the middle of a save: the save answers false and is logged,
// and the four tables are as they were before it began.
TEST_P(ReportSave, FailingStatementRollsTheWholeSaveBack)
{
    const struct {
        const char* table;
        const char* condition;
        bool statistics;
    } failures[] = {
        { "report_info", "NEW.info_type = 'GROUP_TAIL'", false },
        { "report_format", "NEW.format_type = 'MERGE'", false },
        { "report_data", "NEW.data_description1 = 'ABC公司'", false },
        { "report_data", "NEW.data_description1 = 'ABC公司'", true },
    };
    const auto before = allRows(Id);
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.table);
        refuse(QStringLiteral("insert"), QLatin1String(failure.table), QString::fromUtf8(failure.condition));
        store::reportState().ReportType = failure.statistics ? store::StatisticsReport : store::DataReport;
        EXPECT_FALSE(failure.statistics ? store::SaveStatReport(grid, 1, 1, 4, 3) : saveGrid());
        EXPECT_EQ(allRows(Id), before);
        allow();
    }
    EXPECT_EQ(rows(QStringLiteral("select procedure_name from orv_error_log")),
        (QList<QStringList> {
            { "SaveDataReport" }, { "SaveDataReport" }, { "SaveDataReport" }, { "SaveStatReport" } }));
    store::reportState().ReportType = store::DataReport;
    EXPECT_TRUE(saveGrid());
    EXPECT_NE(allRows(Id), before);
}

TEST_P(ReportSave, LargeSheetKeepsEveryFormatRow)
{
    // 50 × 50 cells: 2,500 FONT, ALIGNMENT and INPUTFORMAT rows each, far past format_order 5000.
    store::reportState().ReportType = store::StatisticsReport;
    Sheet large;
    CellFormat wrap;
    wrap.wrapText = true;
    large.applyFormat(CellRange::cell(50, 50), wrap);
    ASSERT_TRUE(store::SaveStatReport(large, 1, 1, 50, 50));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from report_format where format_type in "
                                    "('FONT','ALIGNMENT','INPUTFORMAT')")),
        QStringLiteral("7500"));
    EXPECT_EQ(rows(QStringLiteral("select format_order, begin_row_no, begin_col_no from report_format where "
                                  "format_type = 'WRAPTEXT'")),
        (QList<QStringList> { { "7505", "50", "50" } }));
    // The width list of 50 columns takes 9 × 9 + 41 × 10 characters, the height list 9 × 8 + 41 × 9: two
    // rows each, before the 7,500.
    EXPECT_EQ(scalar(QStringLiteral(
                  "select count(*) from report_format where format_type in ('COLWIDTH','ROWHEIGHT')")),
        QStringLiteral("4"));
}

STORE_TEST_SUITE(ReportSave);

// Cell texts with backslashes and quotes are stored and read back as typed, also on a server that reads a
// backslash in a plain literal as an escape.
class ReportSaveLiterals : public ReportSave
{
};

TEST_P(ReportSaveLiterals, BackslashesAndQuotesComeBackAsTyped)
{
    grid.setText(1, 2, QStringLiteral("@A|C:\\temp\\new"));
    grid.setText(3, 2, QStringLiteral("a\\tb\\nc\\\\d"));
    grid.setText(4, 2, QStringLiteral("it\\'s"));
    grid.setText(4, 3, QStringLiteral("@A|\\'); delete from report_index; --"));
    ASSERT_TRUE(saveGrid());
    store::reportState() = store::ReportState {};
    store::reportState().Connection = database->connection();
    expectSameDesign(grid, open(Id), 4, 2, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Backends, ReportSaveLiterals, testing::ValuesIn(orvtest::literalBackends()), orvtest::BackendTestName());

} // namespace

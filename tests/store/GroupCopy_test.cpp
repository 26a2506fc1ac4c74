#include "DesignFixture.h"

#include "demo/DemoReports.h"
#include "platform/Error.h"
#include "store/ContentSplit.h"
#include "store/GroupCopy.h"
#include "store/GroupDelete.h"

using namespace storetest;
using platform::db::sqlText;
using platform::grid::Sheet;

namespace
{

class GroupCopy : public DesignTest
{
protected:
    void SetUp() override
    {
        DesignTest::SetUp();
        // The model group wsda: a data report with capitals in its texts and a statistics report whose
        // type is missing.
        addIndex("M1", "文书目录", "1", "wsda", "");
        addIndex("M2", "统计表", "NULL", "wsda", "tpl.doc");
        execute("insert into report_data values('M1',2,3,'B','@B|WSDA.Title&F&',' ',NULL)");
        execute("insert into report_data values('M1',1,1,'C','@C|第%p页 共%P页',NULL,'n')");
        execute(
            "insert into report_data values('M2',4,2,'G','@G|select count(*) from wsda_jn,wsda',NULL,NULL)");
        execute("insert into report_format "
                "values('M1',1,NULL,NULL,NULL,NULL,'COLWIDTH','@2|2|1200@3|2|900',NULL)");
        execute("insert into report_format values('M1',2,1,2,3,4,'FONT','@FONTNAME|1|wsda',NULL)");
        execute("insert into report_info values('M1','SQL_SELECT',1,'wsda.*',NULL)");
        execute("insert into report_info values('M1','SELF_FIT',NULL,'T','n')");
        execute("insert into report_info values('M1','DATA_ROWS',1,'FIX',NULL)");
        // An earlier report of the target group, and a group that must not be touched.
        addIndex("T1", "旧报表", "1", "wsjn", "");
        execute("insert into report_info values('T1','SQL_SELECT',1,'wsjn.*',NULL)");
        addIndex("O1", "其他", "1", "other", "");
        execute("insert into report_data values('O1',1,1,'A','@A|x',NULL,NULL)");
    }

    void addIndex(const char* id, const char* name, const char* type, const char* group, const char* note)
    {
        execute(QStringLiteral("insert into report_index values(%1,%2,%3,%4,%5)")
                    .arg(sqlText(QString::fromUtf8(id)), sqlText(QString::fromUtf8(name)),
                        QString::fromUtf8(type), sqlText(QString::fromUtf8(group)),
                        sqlText(QString::fromUtf8(note))));
    }

    // A report of one info row and one data row.
    void addReport(const char* id, const char* group)
    {
        addIndex(id, "r", "1", group, "");
        for (const char* table : { "report_info", "report_data" })
            execute(QStringLiteral("insert into %1 (report_id) values ('%2')").arg(table, id));
    }

    int rowsOf(const QString& id)
    {
        int count = 0;
        for (const char* table : { "report_index", "report_info", "report_format", "report_data" })
            count += scalar(
                QStringLiteral("select count(*) from %1 where report_id = %2").arg(table, sqlText(id)))
                         .toInt();
        return count;
    }

    using StoreTest::execute;
    int execute(const char* sql) { return StoreTest::execute(QString::fromUtf8(sql)); }

    // The rows of a group's reports with each report id replaced by the name of its report, so that
    // new ids compare.
    QList<QStringList> groupRows(const QString& table, const QString& columns, const QString& group)
    {
        return rows(QStringLiteral(
            "select i.report_name,%1 from %2 t join report_index i on i.report_id = t.report_id "
            "where i.report_group_id = %3")
                        .arg(columns, table, sqlText(group)));
    }

    int reportCount(const QString& group)
    {
        return scalar("select count(*) from report_index where report_group_id = " + sqlText(group)).toInt();
    }

    const QVector<QStringList> pairs { { " WSDA ", " wsjn " } };
};

} // namespace

TEST_P(GroupCopy, ModelReportsReplaceTheTargetGroupsReports)
{
    QString model = QStringLiteral(" wsda ");
    ASSERT_TRUE(report->CreatReportByModel(model, pairs));
    EXPECT_TRUE(ui.boxes().empty());

    EXPECT_EQ(rows("select report_name,report_type,report_group_id,note from report_index where "
                   "report_group_id='wsjn'"),
        (QList<QStringList> { { "文书目录", "1", "wsjn", "" }, { "统计表", "", "wsjn", "tpl.doc" } }));
    EXPECT_EQ(groupRows("report_data",
                  "t.row_no,t.col_no,t.data_type,t.data_description1,t.data_description2,t.note", "wsjn"),
        (QList<QStringList> { { "文书目录", "1", "1", "C", "@C|第%p页 共%P页", "", "n" },
            { "文书目录", "2", "3", "B", "@B|wsjn.Title&F&", "", "" },
            { "统计表", "4", "2", "G", "@G|select count(*) from wsjn_jn,wsjn", "", "" } }));
    EXPECT_EQ(groupRows("report_format",
                  "t.format_order,t.begin_row_no,t.begin_col_no,t.end_row_no,t.end_col_no,t.format_type,"
                  "t.format_description",
                  "wsjn"),
        (QList<QStringList> { { "文书目录", "1", "", "", "", "", "COLWIDTH", "@2|2|1200@3|2|900" },
            { "文书目录", "2", "1", "2", "3", "4", "FONT", "@FONTNAME|1|wsda" } }));
    EXPECT_EQ(groupRows("report_info", "t.info_type,t.info_order,t.info_description,t.note", "wsjn"),
        (QList<QStringList> { { "文书目录", "DATA_ROWS", "1", "FIX", "" },
            { "文书目录", "SELF_FIT", "", "T", "n" }, { "文书目录", "SQL_SELECT", "1", "wsjn.*", "" } }));

    const auto newIds = rows("select report_id from report_index where report_group_id='wsjn'");
    EXPECT_TRUE(newIds.contains(QStringList { store::reportState().ReportId }));
    EXPECT_EQ(scalar("select count(*) from report_info where report_id='T1'"), QStringLiteral("0"));
    EXPECT_EQ(reportCount("wsda"), 2);
    EXPECT_EQ(reportCount("other"), 1);
    EXPECT_EQ(store::reportState().TABLENAME.trimmed(), QStringLiteral("wsjn"));
    EXPECT_EQ(report->TABLENAME(), QString());
}

TEST_P(GroupCopy, TargetGroupComesFromTheStateBeforeThePairs)
{
    report->setReportGroupId(QStringLiteral("wsfk"));
    QString model = QStringLiteral("wsda");
    ASSERT_TRUE(report->CreatReportByModel(model, pairs));
    EXPECT_EQ(reportCount("wsfk"), 2);
    EXPECT_EQ(reportCount("wsjn"), 1);
}

TEST_P(GroupCopy, RefusalsDeleteNothing)
{
    struct Case {
        const char* label;
        const char* model;
        const char* groupId;
        const char* table;
        const char* message;
    };
    const Case cases[] = {
        { "blank model", "   ", "wsjn", "wsjn", "新增底层门类的类型为空，不能生成报表！" },
        { "no target", "nomatch", "", "", "新增底层门类的表名为空，不能生成报表！" },
        { "model is target", "wsda", " WSDA ", "", "新增底层门类与模板门类相同，不能生成报表！" },
        { "model is target by pairs", "wsda", "", "", "新增底层门类与模板门类相同，不能生成报表！" },
    };
    for (const auto& c : cases) {
        platform::ui::ScriptedUi boxes;
        report->setReportGroupId(QString::fromUtf8(c.groupId));
        report->setTABLENAME(QString::fromUtf8(c.table));
        QString model = QString::fromUtf8(c.model);
        const QVector<QStringList> tables = QString::fromUtf8(c.label).endsWith("pairs")
            ? QVector<QStringList> { { "wsda", "WSDA" } }
            : pairs;
        EXPECT_FALSE(report->CreatReportByModel(model, tables)) << c.label;
        ASSERT_EQ(boxes.boxes().size(), 1u) << c.label;
        EXPECT_EQ(boxes.boxes()[0].text, QString::fromUtf8(c.message)) << c.label;
        EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("提示信息"));
        EXPECT_EQ(reportCount("wsda"), 2) << c.label;
        EXPECT_EQ(reportCount("wsjn"), 1) << c.label;
    }
}

TEST_P(GroupCopy, FailedCopyLeavesTheTargetGroupAsItWas)
{
    const auto before = rows("select report_id, info_type, info_description from report_info");
    refuse("insert", "report_info", "NEW.info_type = 'DATA_ROWS'");
    QString model = QStringLiteral("wsda");
    EXPECT_FALSE(report->CreatReportByModel(model, pairs));
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, QStringLiteral("生成报表时出错！"));
    // The earlier report of the target group is still there, whole, and no copy is.
    EXPECT_EQ(rows("select report_id from report_index where report_group_id = 'wsjn'"),
        (QList<QStringList> { { "T1" } }));
    EXPECT_EQ(rows("select report_id, info_type, info_description from report_info"), before);
    EXPECT_EQ(scalar("select count(*) from report_data"), QStringLiteral("4"));
    EXPECT_EQ(reportCount("wsda"), 2);
}

TEST_P(GroupCopy, DeleteAllReportRemovesEveryRowOfTheGroups)
{
    EXPECT_TRUE(report->DeleteAllReport({ " wsda ", "wsjn", "nosuchgroup" }));
    for (const char* table : { "report_index", "report_data", "report_format", "report_info" })
        EXPECT_EQ(scalar(QStringLiteral("select count(*) from %1 where report_id <> 'O1'")
                             .arg(QString::fromUtf8(table))),
            QStringLiteral("0"))
            << table;
    EXPECT_EQ(reportCount("other"), 1);
    EXPECT_EQ(scalar("select count(*) from report_data"), QStringLiteral("1"));
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_P(GroupCopy, CopiedContentIsJoinedReplacedAndSplitAgain)
{
    // A long SQL content stored with the split inside a table name and a blank right after the split.
    const QString head
        = QStringLiteral("@G|select count(*) from ") + QString(220, QLatin1Char('x')) + QStringLiteral(" ws");
    const QString tail = QStringLiteral("da where 1=1 and  wsda.a=1");
    addReport("M3", "wsda");
    execute(QStringLiteral("update report_data set row_no=1, col_no=1, data_type='G', data_description1=%1, "
                           "data_description2=%2 where report_id='M3'")
                .arg(sqlText(head), sqlText(tail)));
    execute("insert into report_data values ('M3',2,1,'A','@A|a',' b',NULL)");
    store::reportState().TABLENAME = QStringLiteral("wsjn");

    ASSERT_TRUE(store::ReplaceGroupReports(QStringLiteral("wsda"), { { "wsda", "wsjn" } }));

    const auto copied = rows(QStringLiteral("select d.row_no, d.data_description1, d.data_description2 from "
                                            "report_data d join report_index i on i.report_id = d.report_id "
                                            "where i.report_group_id = 'wsjn' and i.report_name = 'r'"));
    ASSERT_EQ(copied.size(), 2);
    const QString expected = QString(head + tail).replace(QStringLiteral("wsda"), QStringLiteral("wsjn"));
    EXPECT_EQ(store::joinContent(copied[0][1], copied[0][2]), expected);
    EXPECT_LE(store::gbkByteLength(copied[0][1]), store::MaxFirstPartBytes);
    EXPECT_EQ(copied[1], (QStringList { "2", "@A|a b", "" }));
}

TEST_P(GroupCopy, GroupDeleteKeepsAFailingReportWhole)
{
    for (const char* id : { "A1", "A2", "A3" })
        addReport(id, "wsda");
    addReport("B1", "wsjn");
    refuse(QStringLiteral("delete"), QStringLiteral("report_info"), QStringLiteral("OLD.report_id = 'A2'"));

    EXPECT_FALSE(store::DeleteGroupReports({ "wsda", "wsjn" }));

    // A2 fails after its report_data rows were deleted: they are back. The reports before it are gone,
    // those after it untouched.
    EXPECT_EQ(rowsOf(QStringLiteral("A1")), 0);
    EXPECT_EQ(rowsOf(QStringLiteral("A2")), 3);
    EXPECT_EQ(rowsOf(QStringLiteral("A3")), 3);
    EXPECT_EQ(rowsOf(QStringLiteral("B1")), 3);
}

TEST_P(GroupCopy, CopiedSampleReportsLoadLikeTheirModels)
{
    useDemoArchive();
    // The target table is described like the archive table under another Chinese name, so that field
    // cells find their names in the report's own table.
    execute(QStringLiteral(
        "insert into table_struct_description (table_name, table_chn_name, column_name, "
        "column_type, column_chn_name, column_visible) select 'wsjn', '卷内文件', column_name, "
        "column_type, column_chn_name, column_visible from table_struct_description "
        "where table_name = 'wsda'"));
    addReport("OLD", "wsjn");
    report->setTABLENAME(QStringLiteral("wsjn"));
    QString model = demo::SampleReportGroup;
    ASSERT_TRUE(report->CreatReportByModel(model, { { "wsda", "wsjn" } }));
    EXPECT_EQ(rowsOf(QStringLiteral("OLD")), 0);

    const auto copies = rows(
        QStringLiteral("select report_name, report_id from report_index where report_group_id = 'wsjn' "
                       "and report_name <> ")
        + sqlText(demo::WordReportName));
    ASSERT_EQ(copies.size(), 2);
    for (const QStringList& copy : copies) {
        SCOPED_TRACE(copy[0].toStdString());
        const QString modelId
            = copy[0] == demo::DataReportName ? demo::DataReportId : demo::StatisticsReportId;
        const Sheet modelGrid = open(modelId);
        const auto modelState = store::reportState();
        const Sheet copyGrid = open(copy[1]);
        const auto& copyState = store::reportState();

        EXPECT_EQ(copyState.ReportName, modelState.ReportName);
        EXPECT_EQ(copyState.ReportType, modelState.ReportType);
        EXPECT_EQ(copyState.RegionTable, modelState.RegionTable);
        EXPECT_EQ(copyState.DataRows, modelState.DataRows);
        EXPECT_EQ(copyState.SqlSelect, QString(modelState.SqlSelect).replace("wsda", "wsjn"));
        EXPECT_EQ(copyState.TablesName, QString(modelState.TablesName).replace("wsda", "wsjn"));
        expectSameDesign(modelGrid, copyGrid, modelState.RowCount, 1, modelState.ColCount,
            [](QString text) { return text.replace("wsda", "wsjn").replace("(文书档案)", "(卷内文件)"); });
    }
}

TEST(TableNames, ReplacementKeepsTheCaseOfTheRest)
{
    struct Case {
        const char* text;
        QVector<QStringList> pairs;
        const char* expected;
    };
    const Case cases[] = {
        { "@B|WSDA.Title", { { "wsda", "WsJn" } }, "@B|WsJn.Title" },
        { "@C|第%p页 共%P页", { { "wsda", "wsjn" } }, "@C|第%p页 共%P页" },
        { "wsda.a,wsda_jn.b", { { "wsda", "x" } }, "x.a,x_jn.b" },
        { "a.f,b.g", { { "a", "b" }, { "b", "c" } }, "c.f,c.g" },
        { "Keep", { { "  ", "x" } }, "Keep" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(store::ReplaceTableNames(QString::fromUtf8(c.text), c.pairs), QString::fromUtf8(c.expected))
            << c.text;
    EXPECT_THROW(store::ReplaceTableNames(QStringLiteral("x"), { { "only one" } }), platform::Error);
}

STORE_TEST_SUITE(GroupCopy);

#include "DesignFixture.h"

#include "demo/DemoReports.h"
#include "store/ContentSplit.h"
#include "store/GroupCopy.h"
#include "store/GroupDelete.h"

using namespace storetest;
using platform::db::sqlText;
using platform::grid::Sheet;

namespace
{

class GroupReplace : public DesignTest
{
protected:
    void refuseDeleteOf(const QString& reportId)
    {
        const QString condition = QStringLiteral("OLD.report_id = ") + sqlText(reportId);
        if (GetParam() == orvtest::Backend::SQLite) {
            execute(QStringLiteral("create trigger refuse before delete on report_info when %1 "
                                   "begin select raise(abort, 'refused'); end")
                        .arg(condition));
        } else {
            execute(QStringLiteral("create function refuse() returns trigger language plpgsql as $$ begin "
                                   "if %1 then raise exception 'refused'; end if; return OLD; end $$")
                        .arg(condition));
            execute(QStringLiteral(
                "create trigger refuse before delete on report_info for each row execute function refuse()"));
        }
    }

    void addReport(const QString& id, const QString& group)
    {
        execute(QStringLiteral("insert into report_index values (%1,'r',1,%2,NULL)")
                    .arg(sqlText(id), sqlText(group)));
        for (const char* table : { "report_info", "report_data" })
            execute(QStringLiteral("insert into %1 (report_id) values (%2)")
                        .arg(QLatin1String(table), sqlText(id)));
    }

    int rowsOf(const QString& id)
    {
        int count = 0;
        for (const char* table : { "report_index", "report_info", "report_format", "report_data" })
            count += scalar(QStringLiteral("select count(*) from %1 where report_id = %2")
                                .arg(QLatin1String(table), sqlText(id)))
                         .toInt();
        return count;
    }
};

TEST_P(GroupReplace, CopiedContentIsJoinedReplacedAndSplitAgain)
{
    // A long SQL content stored with the split inside a table name and a blank right after the split.
    const QString head
        = QStringLiteral("@G|select count(*) from ") + QString(220, QLatin1Char('x')) + QStringLiteral(" ws");
    const QString tail = QStringLiteral("da where 1=1 and  wsda.a=1");
    addReport(QStringLiteral("M1"), QStringLiteral("wsda"));
    execute(QStringLiteral("update report_data set row_no=1, col_no=1, data_type='G', data_description1=%1, "
                           "data_description2=%2 where report_id='M1'")
                .arg(sqlText(head), sqlText(tail)));
    execute(QStringLiteral("insert into report_data values ('M1',2,1,'A','@A|a',' b',NULL)"));
    store::reportState().TABLENAME = QStringLiteral("wsjn");

    ASSERT_TRUE(store::ReplaceGroupReports(QStringLiteral("wsda"), { { "wsda", "wsjn" } }));

    const auto copied = rows(QStringLiteral("select d.row_no, d.data_description1, d.data_description2 from "
                                            "report_data d join report_index i on i.report_id = d.report_id "
                                            "where i.report_group_id = 'wsjn'"));
    ASSERT_EQ(copied.size(), 2);
    const QString expected = QString(head + tail).replace(QStringLiteral("wsda"), QStringLiteral("wsjn"));
    EXPECT_EQ(store::joinContent(copied[0][1], copied[0][2]), expected);
    EXPECT_LE(store::gbkByteLength(copied[0][1]), store::MaxFirstPartBytes);
    EXPECT_EQ(copied[1], (QStringList { "2", "@A|a b", "" }));
}

TEST_P(GroupReplace, GroupDeleteKeepsAFailingReportWhole)
{
    for (const char* id : { "A1", "A2", "A3" })
        addReport(QString::fromLatin1(id), QStringLiteral("wsda"));
    addReport(QStringLiteral("B1"), QStringLiteral("wsjn"));
    refuseDeleteOf(QStringLiteral("A2"));

    EXPECT_FALSE(store::DeleteGroupReports({ "wsda", "wsjn" }));

    // A2 fails after its report_data rows were deleted: they are back. The reports before it are gone,
    // those after it untouched.
    EXPECT_EQ(rowsOf(QStringLiteral("A1")), 0);
    EXPECT_EQ(rowsOf(QStringLiteral("A2")), 3);
    EXPECT_EQ(rowsOf(QStringLiteral("A3")), 3);
    EXPECT_EQ(rowsOf(QStringLiteral("B1")), 3);
}

TEST_P(GroupReplace, CopiedSampleReportsLoadLikeTheirModels)
{
    useDemoArchive();
    // The target table is described like the archive table under another Chinese name, so that field
    // cells find their names in the report's own table.
    execute(QStringLiteral(
        "insert into table_struct_description (table_name, table_chn_name, column_name, "
        "column_type, column_chn_name, column_visible) select 'wsjn', '卷内文件', column_name, "
        "column_type, column_chn_name, column_visible from table_struct_description "
        "where table_name = 'wsda'"));
    addReport(QStringLiteral("OLD"), QStringLiteral("wsjn"));
    report->setTABLENAME(QStringLiteral("wsjn"));
    QString model = demo::SampleReportGroup;
    ASSERT_TRUE(report->CreatReportByModel(model, { { "wsda", "wsjn" } }));
    EXPECT_EQ(rowsOf(QStringLiteral("OLD")), 0);

    const auto copies = rows(
        QStringLiteral("select report_name, report_id from report_index where report_group_id = 'wsjn'"));
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
        for (int row = 1; row <= modelState.RowCount; ++row) {
            EXPECT_EQ(copyGrid.rowHeight(row), modelGrid.rowHeight(row));
            for (int col = 1; col <= modelState.ColCount; ++col) {
                const QString expected
                    = modelGrid.entry(row, col).replace("wsda", "wsjn").replace("(文书档案)", "(卷内文件)");
                EXPECT_EQ(copyGrid.entry(row, col), expected) << row << "," << col;
                EXPECT_TRUE(copyGrid.format(row, col) == modelGrid.format(row, col)) << row << "," << col;
            }
        }
        EXPECT_EQ(copyGrid.mergedBlocks(), modelGrid.mergedBlocks());
    }
}

STORE_TEST_SUITE(GroupReplace);

} // namespace

#include "StoreFixture.h"

#include "store/DefinitionReader.h"
#include "store/ReportLookups.h"

using namespace storetest;

namespace
{
class ReportLookups : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        execute(QStringLiteral("insert into report_index(report_id,report_name,report_type,report_group_id) "
                               "values('20240101090000000001','文书目录',1,'wsda')"));
    }
};
} // namespace

TEST_P(ReportLookups, ReportIndexAndColumnLookups)
{
    execute(QStringLiteral("insert into report_index(report_id,report_name,report_type,report_group_id,note) "
                           "values('20240101090000000002','统计表',2,'wsda','模板.doc')"));
    EXPECT_EQ(store::GetReportNote(QStringLiteral("20240101090000000002")), QStringLiteral("模板.doc"));
    EXPECT_EQ(store::GetReportNote(QStringLiteral("20240101090000000001")), QString());
    EXPECT_EQ(store::GetReportNote(QStringLiteral("absent")), QString());
    EXPECT_EQ(store::GetReportName(QStringLiteral("absent")), QString());
    EXPECT_EQ(store::GetReportName(QStringLiteral("x' or '1'='1")), QString());

    auto& state = store::reportState();
    state.ReportGroupId = QStringLiteral("WSDA");
    state.ReportName = QStringLiteral("统计表");
    store::GetReportIdByName();
    EXPECT_EQ(state.ReportId, QStringLiteral("20240101090000000002"));
    state.ReportName = QStringLiteral("没有这个报表");
    store::GetReportIdByName();
    EXPECT_EQ(state.ReportId, QStringLiteral("20240101090000000002"));

    execute(QStringLiteral(
        "insert into table_struct_description(table_name,column_name) values('wsda','title')"));
    EXPECT_TRUE(store::ColumnExists(QStringLiteral("WSDA"), QStringLiteral("title")));
    EXPECT_FALSE(store::ColumnExists(QStringLiteral("wsda"), QStringLiteral("piece_no")));
    EXPECT_FALSE(store::ColumnExists(QStringLiteral("other"), QStringLiteral("title")));
}

TEST_P(ReportLookups, IndexRowReplacesNameGroupAndTypeOnlyWhenItExists)
{
    auto& state = store::reportState();
    state.ReportId = QStringLiteral("20240101090000000001");
    state.ReportGroupId = QStringLiteral("host group");
    store::ReadRptIndex();
    EXPECT_EQ(state.ReportName, QStringLiteral("文书目录"));
    EXPECT_EQ(state.ReportGroupId, QStringLiteral("wsda"));
    EXPECT_EQ(state.ReportType, 1);

    state.ReportId = QStringLiteral("absent");
    store::ReadRptIndex();
    EXPECT_EQ(state.ReportName, QStringLiteral("文书目录"));
    EXPECT_EQ(state.ReportGroupId, QStringLiteral("wsda"));
}

TEST_P(ReportLookups, WizardAndStatisticsDefinitionAnswerWhileNotInstalled)
{
    EXPECT_EQ(store::RunReportWizard(), store::WizardNotFinished);
    store::reportState().ReportId = QStringLiteral("kept");
    EXPECT_FALSE(store::CreateStatReport());
    EXPECT_EQ(store::reportState().ReportId, QStringLiteral("kept"));

    store::windowSeams().clsStatReport = [](auto, const QString& group, const QString& name) {
        return store::StatReportResult { false, group + name };
    };
    store::reportState().ReportGroupId = QStringLiteral("wsda");
    store::reportState().ReportName = QStringLiteral("统计");
    EXPECT_FALSE(store::CreateStatReport());
    EXPECT_EQ(store::reportState().ReportId, QStringLiteral("wsda统计"));
}

STORE_TEST_SUITE(ReportLookups);

#include "StoreFixture.h"

#include "platform/db/Recordset.h"

using namespace storetest;

namespace
{
using CReportOrvTest = StoreTest;
}

// The host's values reach the state the rest of the component reads; the sort list there is qualified
// with the table of the moment, while the host reads back what it gave.
TEST_P(CReportOrvTest, PropertiesReachTheState)
{
    auto user = std::make_shared<platform::outside::NamedUser>(QStringLiteral("1"), QStringLiteral("王"));
    auto records = std::make_shared<platform::db::Recordset>();
    report->setUser(user);
    report->setDataRecordSet(records);
    report->setTABLENAME(QStringLiteral("wsda"));
    report->setSelectOrder(QStringLiteral("folder_no, piece_no desc"));
    report->setTABLENAME(QStringLiteral("new"));
    report->setGetSQL(QStringLiteral("select 1"));
    report->setGetFactTableName(QStringLiteral("wsda_fact"));

    const auto& state = store::reportState();
    EXPECT_EQ(state.Connection, database->connection());
    EXPECT_EQ(state.User, user);
    EXPECT_EQ(state.DataRecordSet, records);
    EXPECT_EQ(state.TABLENAME, QStringLiteral("new"));
    EXPECT_EQ(state.SelectOrder, QStringLiteral("wsda.folder_no,wsda.piece_no desc"));
    EXPECT_EQ(report->SelectOrder(), QStringLiteral("folder_no, piece_no desc"));
    EXPECT_EQ(state.SourceSql, QStringLiteral("select 1"));
    EXPECT_EQ(state.FactTableName, QStringLiteral("wsda_fact"));
}

TEST_P(CReportOrvTest, NewObjectResetsOnlyItsCreationValues)
{
    auto& state = store::reportState();
    report->setIsPrintBlankReport(true);
    report->setReportId(QStringLiteral("kept"));
    state.WebPrintMode = true;
    state.FirstPageSizing = false;
    state.SourceSql = QStringLiteral("select 1");

    CReportOrv second;
    EXPECT_FALSE(state.IsPrintBlankReport);
    EXPECT_FALSE(state.WebPrintMode);
    EXPECT_TRUE(state.FirstPageSizing);
    EXPECT_EQ(state.SourceSql, QString());
    EXPECT_EQ(state.ReportId, QStringLiteral("kept"));
    EXPECT_EQ(second.ReportId(), QString());
    EXPECT_TRUE(report->IsPrintBlankReport());
}

TEST_P(CReportOrvTest, DesignerOpensOnlyWithTableAndGroup)
{
    int opened = 0;
    store::windowSeams().frmReportDesigner = [&] { ++opened; };
    int statistics = 2;
    report->setTABLENAME(QStringLiteral("wsda"));
    report->ShowReportDesigner(&statistics);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(store::reportState().ReportType, 0);

    report->setReportGroupId(QStringLiteral("wsda"));
    report->ShowReportDesigner(&statistics);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(store::reportState().ReportType, 2);
    report->ShowReportDesigner();
    EXPECT_EQ(store::reportState().ReportType, 0);
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_P(CReportOrvTest, WindowMembersWithoutTheirWindowsDoNothing)
{
    // Page setup opens on a stored report only.
    execute(QStringLiteral("insert into report_index(report_id,report_name,report_type,report_group_id) "
                           "values('20240101090000000001','目录',1,'wsda')"));
    report->setReportId(QStringLiteral("20240101090000000001"));
    EXPECT_NO_THROW(report->ShowPageSetupDlg());
    EXPECT_NO_THROW(report->PreviewBlankPage());
    EXPECT_NO_THROW(report->PreviewPrint());
    EXPECT_NO_THROW(report->PrintReport());
    EXPECT_NO_THROW(report->WebPrint());
    EXPECT_TRUE(ui.boxes().empty());
    int pageSetups = 0;
    store::windowSeams().frmPageSetup = [&] { ++pageSetups; };
    report->ShowPageSetupDlg();
    EXPECT_EQ(pageSetups, 1);
}

STORE_TEST_SUITE(CReportOrvTest);

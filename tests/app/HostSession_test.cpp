#include "Arguments.h"
#include "demo/DemoReports.h"
#include "HostOptions.h"
#include "HostSession.h"

#include <gtest/gtest.h>

using namespace host;

TEST(HostDefaults, ReportCommandsOnTheDemoArchiveGetItsTableGroupAndReport)
{
    const HostOptions demoPreview = withDefaults(parseHostOptions(arguments({ "preview" })));
    EXPECT_EQ(demoPreview.table, demo::SampleReportGroup);
    EXPECT_EQ(demoPreview.group, demo::SampleReportGroup);
    EXPECT_EQ(demoPreview.reportId, demo::DataReportId);
    EXPECT_FALSE(demoPreview.userId.isEmpty());

    const HostOptions ownDatabase
        = withDefaults(parseHostOptions(arguments({ "preview", "--db", "archive.db", "--table", "jjda" })));
    EXPECT_EQ(ownDatabase.table, QStringLiteral("jjda"));
    EXPECT_EQ(ownDatabase.group, QStringLiteral("jjda"));
    EXPECT_TRUE(ownDatabase.reportId.isEmpty());

    // A server database asked to hold the demo archive uses its sample report as the demo file does.
    const HostOptions serverDemo = withDefaults(parseHostOptions(
        arguments({ "web", "--db", "postgresql://postgres@127.0.0.1:54329/archive", "--demo" })));
    EXPECT_TRUE(serverDemo.demo);
    EXPECT_EQ(serverDemo.table, demo::SampleReportGroup);
    EXPECT_EQ(serverDemo.reportId, demo::DataReportId);

    const HostOptions chosen = withDefaults(
        parseHostOptions(arguments({ "web", "--group", "g1", "--report", "r1", "--user", "u:名" })));
    EXPECT_EQ(chosen.group, QStringLiteral("g1"));
    EXPECT_EQ(chosen.reportId, QStringLiteral("r1"));
    EXPECT_EQ(chosen.userName, QStringLiteral("名"));

    // An empty --report opens the designer on no report, even on the demo archive.
    const HostOptions noReport = withDefaults(parseHostOptions(arguments({ "design", "--report", "" })));
    EXPECT_TRUE(noReport.reportId.isEmpty());
    EXPECT_EQ(noReport.group, demo::SampleReportGroup);
}

TEST(HostDefaults, GroupCommandsGetNoGroupThatWouldBecomeTheirTarget)
{
    const HostOptions copy = withDefaults(
        parseHostOptions(arguments({ "copy-group", "--model", "wsda", "--tables", "wsda=wsda2" })));
    EXPECT_TRUE(copy.group.isEmpty());
    EXPECT_TRUE(copy.table.isEmpty());
    EXPECT_TRUE(withDefaults(parseHostOptions(arguments({ "delete-group", "wsda2" }))).group.isEmpty());
}

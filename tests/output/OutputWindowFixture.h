#pragma once

#include "component/CReportOrv.h"
#include "demo/DemoReports.h"
#include "output/OutputWindows.h"
#include "PdfPrints.h"
#include "platform/outside/HostObjects.h"
#include "platform/ui/ScriptedUi.h"
#include "store/ReportState.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <memory>

namespace outputtest
{

inline std::shared_ptr<platform::outside::User> archivist()
{
    return std::make_shared<platform::outside::NamedUser>(QStringLiteral("a07"), QStringLiteral("王档案"));
}

// A host on a demo archive of its own: the public class set up for the demo group and report, boxes and
// windows scripted, prints going to the PDF printer. The output windows are installed afresh, as other
// tests of the program may have replaced the window hooks.
class OutputWindowTest : public orvtest::BackendTest
{
protected:
    explicit OutputWindowTest(int archiveRecords)
        : database(GetParam(), orvtest::TestDatabase::Content::DemoArchive, archiveRecords)
    {
        store::reportState() = store::ReportState {};
        output::installOutputWindows();
        report.setConnection(database.connection());
        report.setUser(archivist());
        report.setTABLENAME(demo::SampleReportGroup);
        report.setReportGroupId(demo::SampleReportGroup);
        report.setReportId(demo::DataReportId);
    }

    // The use-log rows: user, report, operation word, table.
    QList<QStringList> logRows() const
    {
        return database.rows(QStringLiteral(
            "select user_id, user_name, report_name, report_type, table_name from report_logs"));
    }
    QList<QStringList> printLogRow(const QString& reportName) const
    {
        return { { QStringLiteral("a07"), QStringLiteral("王档案"), reportName, QStringLiteral("打印"),
            demo::SampleReportGroup } };
    }

    orvtest::TestDatabase database;
    platform::ui::ScriptedUi ui;
    orvtest::PdfPrints prints;
    CReportOrv report;
};

} // namespace outputtest

#define OUTPUT_WINDOW_SUITE(suite)                                                                           \
    INSTANTIATE_TEST_SUITE_P(                                                                                \
        Backends, suite, testing::ValuesIn(orvtest::allBackends()), orvtest::BackendTestName())

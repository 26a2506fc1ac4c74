#include "StoreFixture.h"

#include "platform/db/SqlLiteral.h"
#include "store/ReportLog.h"

#include <QDateTime>

using namespace storetest;
using platform::db::sqlText;

namespace
{

const QString ReportId = QStringLiteral("20240101090000000001");

class ReportLog : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        execute(QStringLiteral("insert into report_index(report_id,report_name,report_type,report_group_id) "
                               "values(%1,'文书目录',1,'wsda')")
                    .arg(sqlText(ReportId)));
        report->setReportId(ReportId);
        report->setUser(std::make_shared<platform::outside::NamedUser>(
            QStringLiteral("u'1"), QStringLiteral("O'Neil 王")));
    }

    QList<QStringList> logRows()
    {
        return rows(
            QStringLiteral("select table_name,table_chn_name,user_id,user_name,report_name,report_content,"
                           "report_type from report_logs"));
    }
};

} // namespace

TEST_P(ReportLog, RowCarriesEveryValueAndTheServerTime)
{
    execute(
        QStringLiteral("insert into table_description(table_name,table_chn_name) values('o''da','档''案')"));
    report->setTABLENAME(QStringLiteral("o'da"));
    report->setSelectWhere(QStringLiteral("title like '%a%' and x='b'"));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-2);
    store::WriteReportLog(store::LogWordPrint);
    const QDateTime after = QDateTime::currentDateTime().addSecs(2);

    EXPECT_EQ(logRows(),
        (QList<QStringList> {
            { "o'da", "档'案", "u'1", "O'Neil 王", "文书目录", "title like @%a%@ and x=@b@", "打印" } }));
    const QString recid = scalar(QStringLiteral("select recid from report_logs"));
    EXPECT_EQ(recid.size(), 20);
    const QDateTime logged = QDateTime::fromString(
        scalar(QStringLiteral("select op_time from report_logs")), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    ASSERT_TRUE(logged.isValid());
    EXPECT_GE(logged, before.addMSecs(-before.time().msec()));
    EXPECT_LE(logged, after);
}

TEST_P(ReportLog, MissingNamesGiveEmptyTextsAndEveryPrintItsOwnRow)
{
    execute(QStringLiteral("insert into table_description(table_name,table_chn_name) values('wsda',NULL)"));
    report->setTABLENAME(QStringLiteral("wsda"));
    store::WriteReportLog(store::LogWordExport);
    report->setTABLENAME(QStringLiteral("undescribed"));
    report->setReportId(QStringLiteral("20240101090000000099"));
    store::WriteReportLog(store::LogWordPrint);

    EXPECT_EQ(logRows(),
        (QList<QStringList> { { "undescribed", "", "u'1", "O'Neil 王", "", "", "打印" },
            { "wsda", "", "u'1", "O'Neil 王", "文书目录", "", "导出" } }));
    EXPECT_EQ(scalar(QStringLiteral("select count(distinct recid) from report_logs")), QStringLiteral("2"));
}

TEST_P(ReportLog, WithoutUserNoRowIsWrittenAndNothingFails)
{
    store::reportState().User.reset();
    EXPECT_NO_THROW(store::WriteReportLog(store::LogWordPrint));
    EXPECT_TRUE(logRows().isEmpty());
}

STORE_TEST_SUITE(ReportLog);

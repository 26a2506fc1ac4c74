#include "platform/db/Connection.h"
#include "platform/outside/ErrorLogObject.h"
#include "platform/outside/SettingsObject.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

using platform::outside::ErrorLogObject;
using namespace orvtest;

namespace
{

const QString SelectEntries = QStringLiteral(
    "select category, procedure_name, error_source, error_number, description from orv_error_log");

void fill(ErrorLogObject& log, const QString& procedure, const QString& description)
{
    log.setCategory(QStringLiteral("报表处理"));
    log.setProcedureName(procedure);
    log.setSource(QStringLiteral("Recordset"));
    log.setNumber(3021);
    log.setDescription(description);
}

QStringList logFileLines()
{
    QFile file(ErrorLogObject::logFilePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class ErrorLogTest : public ::testing::Test
{
protected:
    void SetUp() override { platform::outside::setSettingsFolder(folder.path()); }
    void TearDown() override { platform::outside::setSettingsFolder({}); }
    QTemporaryDir folder;
};

class ErrorLogOnDatabase : public ErrorLogTest, public ::testing::WithParamInterface<Backend>
{
protected:
    ErrorLogOnDatabase() { orvtest::skipUnlessAvailable(GetParam()); }
};

} // namespace

TEST_P(ErrorLogOnDatabase, WritesOneRowFieldByFieldAndNothingToTheFile)
{
    TestDatabase db(GetParam());
    ErrorLogObject log;
    log.setConnection(db.connection());
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    fill(log, QStringLiteral("GetRptDataInfo"), QStringLiteral("无当前记录 'report_id'"));
    log.write();

    EXPECT_EQ(db.rows(SelectEntries),
        (QList<QStringList> {
            { "报表处理", "GetRptDataInfo", "Recordset", "3021", "无当前记录 'report_id'" } }));
    const QDateTime logged
        = QDateTime::fromString(db.scalar(QStringLiteral("select log_time from orv_error_log")),
            QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    EXPECT_TRUE(logged.isValid());
    EXPECT_GE(logged, before.addMSecs(-before.time().msec()));
    EXPECT_TRUE(logFileLines().isEmpty());
}

TEST_P(ErrorLogOnDatabase, InsideATransactionTheEntryGoesToTheFileAndSurvivesTheRollback)
{
    TestDatabase db(GetParam());
    ErrorLogObject log;
    log.setConnection(db.connection());
    db.connection()->beginTrans();
    fill(log, QStringLiteral("SaveReport"), QStringLiteral("保存失败"));
    log.write();
    db.connection()->rollbackTrans();

    EXPECT_TRUE(db.rows(SelectEntries).isEmpty());
    const QStringList lines = logFileLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("\t报表处理\tSaveReport\tRecordset\t3021\t保存失败")))
        << lines[0].toStdString();
}

TEST_P(ErrorLogOnDatabase, WithoutTheLogTableTheEntryGoesToTheFile)
{
    TestDatabase db(GetParam(), TestDatabase::Content::Empty);
    ErrorLogObject log;
    log.setConnection(db.connection());
    fill(log, QStringLiteral("GetReportNote"), QStringLiteral("表不存在"));
    EXPECT_NO_THROW(log.write());
    ASSERT_EQ(logFileLines().size(), 1);
    EXPECT_TRUE(logFileLines()[0].contains(QStringLiteral("GetReportNote")));
}

INSTANTIATE_TEST_SUITE_P(Backends, ErrorLogOnDatabase, ::testing::ValuesIn(allBackends()), BackendTestName());

TEST_F(ErrorLogTest, WithoutConnectionEachEntryIsOneLineOfItsFields)
{
    ErrorLogObject log;
    fill(log, QStringLiteral("ReadRptIndex"), QStringLiteral("第一行\n第二行\r\n第三行"));
    log.write();
    log.setProcedureName(QStringLiteral("GetPrintPages"));
    log.setDescription(QStringLiteral("类型不匹配"));
    log.write();

    const QStringList lines = logFileLines();
    ASSERT_EQ(lines.size(), 2);
    const QStringList first = lines[0].split(QLatin1Char('\t'));
    ASSERT_EQ(first.size(), 6);
    EXPECT_TRUE(QDateTime::fromString(first[0], QStringLiteral("yyyy-MM-dd hh:mm:ss")).isValid());
    EXPECT_EQ(first.mid(1),
        (QStringList { "报表处理", "ReadRptIndex", "Recordset", "3021", "第一行 第二行  第三行" }));
    // A write clears the entry: the second carries nothing of the first.
    EXPECT_EQ(lines[1].split(QLatin1Char('\t')).mid(1),
        (QStringList { "", "GetPrintPages", "", "0", "类型不匹配" }));
}

TEST_F(ErrorLogTest, NeverThrowsWhenNeitherDatabaseNorFileCanBeWritten)
{
    const QString blocker = folder.filePath(QStringLiteral("file-not-folder"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    platform::outside::setSettingsFolder(blocker);
    ErrorLogObject log;
    fill(log, QStringLiteral("WriteReportLog"), QStringLiteral("无处可写"));
    EXPECT_NO_THROW(log.write());
}

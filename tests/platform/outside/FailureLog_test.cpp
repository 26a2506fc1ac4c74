#include "platform/db/Connection.h"
#include "platform/Error.h"
#include "platform/outside/ErrorLogObject.h"
#include "platform/outside/FailureLog.h"
#include "platform/outside/SettingsObject.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SqlAdapterObject.h"
#include "platform/outside/StatExpressionObject.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

using namespace platform::outside;
using namespace orvtest;

namespace
{

class FailureLogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setSettingsFolder(folder.path());
        releaseShared();
    }
    void TearDown() override
    {
        releaseShared();
        setSettingsFolder({});
    }

    // The fields after the time stamp of every logged entry.
    static QList<QStringList> entries()
    {
        QFile file(ErrorLogObject::logFilePath());
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return {};
        QList<QStringList> result;
        for (const QString& line :
            QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            result.append(line.split(QLatin1Char('\t')).mid(1));
        return result;
    }

    QTemporaryDir folder;
};

} // namespace

TEST_F(FailureLogTest, FailuresAreLoggedWithTheirOriginAndGiveTheFallback)
{
    // Work that succeeds gives its result and logs nothing.
    EXPECT_EQ(logged("GetPrintPages", 20, [] { return 35; }), 35);
    int runs = 0;
    EXPECT_TRUE(runLogged("SavePrintPages", [&] { ++runs; }));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(entries().isEmpty());

    EXPECT_EQ(logged("GetPrintPages", 20,
                  []() -> int {
                      throw platform::Error(
                          13, QStringLiteral("SettingsObject"), QStringLiteral("类型不匹配"));
                  }),
        20);
    EXPECT_EQ(logged("GetReportNote", QStringLiteral("none"),
                  []() -> QString { throw std::runtime_error("disk full"); }),
        QStringLiteral("none"));
    EXPECT_EQ(logged("Odd", -1, []() -> int { throw 42; }), -1);
    EXPECT_FALSE(runLogged("SaveReport",
        [] { throw platform::Error(3001, QStringLiteral("Connection"), QStringLiteral("违反约束")); }));

    EXPECT_EQ(entries(),
        (QList<QStringList> {
            { "报表处理", "GetPrintPages", "SettingsObject", "13", "类型不匹配" },
            { "报表处理", "GetReportNote", "OrvReport", "0", "disk full" },
            { "报表处理", "Odd", "OrvReport", "0", "unknown error" },
            { "报表处理", "SaveReport", "Connection", "3001", "违反约束" },
        }));
}

TEST_F(FailureLogTest, SharedObjectsAreKeptUntilReleasedAndTheNewLogHasNoConnection)
{
    TestDatabase db(Backend::SQLite);
    const auto log = sharedErrorLog();
    const auto adapter = sharedSqlAdapter();
    const auto expression = sharedStatExpression();
    log->setConnection(db.connection());
    EXPECT_EQ(sharedErrorLog(), log);
    EXPECT_EQ(sharedSqlAdapter(), adapter);
    EXPECT_EQ(sharedStatExpression(), expression);

    EXPECT_EQ(logged("ReadRptIndex", false, []() -> bool { throw std::runtime_error("first"); }), false);
    EXPECT_EQ(db.scalar(QStringLiteral("select description from orv_error_log")), QStringLiteral("first"));

    releaseShared();
    EXPECT_NE(sharedErrorLog(), log);
    EXPECT_NE(sharedSqlAdapter(), adapter);
    EXPECT_NE(sharedStatExpression(), expression);
    EXPECT_EQ(sharedErrorLog()->connection(), nullptr);
    EXPECT_EQ(log->connection(), db.connection()); // a holder's pointer stays usable

    logged("ReadRptIndex", false, []() -> bool { throw std::runtime_error("second"); });
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from orv_error_log")), QStringLiteral("1"));
    ASSERT_EQ(entries().size(), 1);
    EXPECT_EQ(entries()[0].last(), QStringLiteral("second"));
}

#pragma once

#include "component/CReportOrv.h"
#include "platform/db/Connection.h"
#include "platform/outside/HostObjects.h"
#include "platform/outside/SettingsObject.h"
#include "platform/ui/ScriptedPrinters.h"
#include "platform/ui/ScriptedUi.h"
#include "store/ReportState.h"
#include "store/WindowSeams.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <QTemporaryDir>

namespace storetest
{

// Each test starts from a fresh report state, empty window hooks, scripted boxes, one installed
// printer, private settings and a database of its own with the component's tables; the test plays the
// host through `report`.
class StoreTest : public orvtest::BackendTest
{
protected:
    void SetUp() override
    {
        store::reportState() = store::ReportState {};
        store::windowSeams() = store::WindowSeams {};
        platform::outside::setSettingsFolder(settings.path());
        database.emplace(GetParam());
        report = std::make_unique<CReportOrv>();
        report->setConnection(database->connection());
    }

    void TearDown() override
    {
        report.reset();
        store::windowSeams() = store::WindowSeams {};
        store::reportState() = store::ReportState {};
        database.reset();
        platform::outside::setSettingsFolder(QString());
    }

    int execute(const QString& sql) { return database->connection()->execute(sql); }
    QList<QStringList> rows(const QString& sql) const { return database->rows(sql); }
    QString scalar(const QString& sql) const { return database->scalar(sql); }

    // Makes the database refuse the rows of one table, as a statement failing in the middle of the
    // work: `event` "insert" or "delete", `condition` on NEW or OLD. allow() takes the refusal back.
    void refuse(const QString& event, const QString& table, const QString& condition)
    {
        if (GetParam() == orvtest::Backend::SQLite) {
            execute(QStringLiteral("create trigger refuse before %1 on %2 when %3 "
                                   "begin select raise(abort, 'refused'); end")
                        .arg(event, table, condition));
            return;
        }
        execute(QStringLiteral("create function refuse() returns trigger language plpgsql as $$ begin "
                               "if %1 then raise exception 'refused'; end if; return %2; end $$")
                    .arg(condition, event == QLatin1String("delete") ? "OLD" : "NEW"));
        execute(QStringLiteral("create trigger refuse before %1 on %2 for each row execute function refuse()")
                    .arg(event, table));
    }
    void allow()
    {
        execute(GetParam() == orvtest::Backend::SQLite ? QStringLiteral("drop trigger refuse")
                                                       : QStringLiteral("drop function refuse() cascade"));
    }

    QTemporaryDir settings;
    platform::ui::ScriptedUi ui;
    platform::ui::ScriptedPrinters printers { platform::ui::PrinterScript {
        { QStringLiteral("PDF") }, QStringLiteral("PDF") } };
    std::optional<orvtest::TestDatabase> database;
    std::unique_ptr<CReportOrv> report;
};

} // namespace storetest

// Runs a StoreTest suite on every available database.
#define STORE_TEST_SUITE(suite)                                                                              \
    INSTANTIATE_TEST_SUITE_P(                                                                                \
        Backends, suite, testing::ValuesIn(orvtest::allBackends()), orvtest::BackendTestName())

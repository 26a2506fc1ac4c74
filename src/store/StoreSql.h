#pragma once

#include "platform/db/Connection.h"
#include "platform/outside/FailureLog.h"

#include <exception>
#include <memory>
#include <QString>
#include <QVariantList>
#include <utility>

namespace platform::db
{
class Recordset;
}

// The statements of the report store run on the host's connection held in the report state, each
// passed through the shared SQL adapter first.
namespace store
{

// The state's connection; throws platform::Error when the host has set none.
platform::db::Connection& storeConnection();

// A statement of the store's own, its values bound to its "?" placeholders in order.
std::unique_ptr<platform::db::Recordset> openStoreSql(const QString& sql, const QVariantList& values = {});
int executeStoreSql(const QString& sql, const QVariantList& values = {});

// The rows of `table` that belong to report `reportId` ("select * from <table> where report_id = ?"),
// ordered by `order` when one is given.
std::unique_ptr<platform::db::Recordset> openReportRows(
    const QString& table, const QString& reportId, const QString& order = QString());

// Runs `work` in one transaction on `connection`: committed when it returns, rolled back when it throws,
// and the failure passed on. Inside a caller's transaction it becomes part of that one.
template <class F> void runInTransaction(platform::db::Connection& connection, F&& work)
{
    connection.beginTrans();
    try {
        work();
        connection.commitTrans();
    } catch (...) {
        if (connection.inTransaction()) {
            try {
                connection.rollbackTrans();
            } catch (const std::exception&) {
                // the failure that led here is the one to pass on
            }
        }
        throw;
    }
}

// The same on the state's connection.
template <class F> void runInTransaction(F&& work)
{
    runInTransaction(storeConnection(), std::forward<F>(work));
}

// Runs a lookup whose failure the caller can live with: inside a transaction on PostgreSQL it runs in a
// savepoint, so that its failure leaves the transaction usable. A failure is logged under `procedure`
// and gives `fallback`.
template <class T, class F> T toleratedLookup(const char* procedure, T fallback, F&& work)
{
    return platform::outside::logged(procedure, fallback, [&] {
        T result = fallback;
        std::exception_ptr failure;
        storeConnection().tolerate([&] {
            try {
                result = work();
            } catch (...) {
                failure = std::current_exception();
                throw;
            }
        });
        if (failure)
            std::rethrow_exception(failure);
        return result;
    });
}

} // namespace store

#pragma once

#include "store/ReportState.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <optional>

namespace dialogtest
{

// A fresh report state holding the connection to a database of the test's own with the component's
// tables and lookup rows, on every database (skipped where no server is named).
class DialogDatabaseTest : public orvtest::BackendTest
{
protected:
    void SetUp() override
    {
        database.emplace(GetParam());
        store::reportState() = store::ReportState {};
        store::reportState().Connection = database->connection();
    }
    void TearDown() override
    {
        store::reportState() = store::ReportState {};
        database.reset();
    }

    std::optional<orvtest::TestDatabase> database;
};

} // namespace dialogtest

#define DIALOG_DATABASE_SUITE(suite)                                                                         \
    INSTANTIATE_TEST_SUITE_P(                                                                                \
        Databases, suite, testing::ValuesIn(orvtest::allBackends()), orvtest::BackendTestName())

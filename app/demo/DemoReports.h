#pragma once

namespace platform::db {
class Connection;
}

namespace demo {

// Writes the sample reports of the demo archive into the report tables.
void insertSampleReports(platform::db::Connection& connection);

} // namespace demo

#include "DemoReports.h"

namespace demo {

void insertSampleReports(platform::db::Connection&)
{
}

} // namespace demo

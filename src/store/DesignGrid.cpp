#include "store/DesignGrid.h"

#include "store/ReportState.h"

namespace store
{

bool isDataReport()
{
    return reportState().ReportType == DataReport;
}

} // namespace store

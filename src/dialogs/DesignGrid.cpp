#include "dialogs/DesignGrid.h"

#include "store/ReportState.h"

namespace dialogs
{

bool isDataReport()
{
    return store::reportState().ReportType == store::DataReport;
}

} // namespace dialogs

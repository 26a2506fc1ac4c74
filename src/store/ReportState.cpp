#include "store/ReportState.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/outside/HostObjects.h"

namespace store
{

ReportState& reportState()
{
    static ReportState state;
    return state;
}

} // namespace store

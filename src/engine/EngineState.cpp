#include "engine/EngineState.h"

#include "platform/db/Recordset.h"

namespace engine {

void DataEngineState::resetForPreparation()
{
    OutputForm* output = Output;
    *this = DataEngineState {};
    Output = output;
}

DataEngineState& dataEngine()
{
    static DataEngineState state;
    return state;
}

} // namespace engine

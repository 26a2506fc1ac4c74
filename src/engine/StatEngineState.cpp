#include "engine/StatEngineState.h"

namespace engine
{

StatEngineState& statEngine()
{
    static StatEngineState state;
    return state;
}

} // namespace engine

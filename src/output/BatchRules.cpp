#include "output/BatchRules.h"

namespace output
{

AfterBatch afterBatch(bool autoPrint, bool reportFinished, bool cancelRequested)
{
    return { autoPrint && !cancelRequested, autoPrint && !reportFinished && !cancelRequested };
}

} // namespace output

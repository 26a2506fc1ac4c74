#include "store/WindowSeams.h"

namespace store
{

WindowSeams& windowSeams()
{
    static WindowSeams seams;
    return seams;
}

} // namespace store

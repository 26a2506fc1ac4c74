#include "output/PageNavigation.h"

namespace output
{

NavigationButtons navigationFor(int current, int pageCount)
{
    return { current > 1 && current <= pageCount, current >= 1 && current < pageCount };
}

} // namespace output

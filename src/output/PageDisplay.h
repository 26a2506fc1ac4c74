#pragma once

#include "output/PrintRange.h"

namespace platform::grid
{
class Sheet;
}

// Showing one page of a built report: the output windows keep the whole batch in a hidden working
// sheet and show a page at a time on a page sheet of its own.
namespace output
{

// The page sheet becomes the working sheet's rows of the page over all its columns: values as the
// working sheet computes them (so a formula shows what will be printed, whatever rows it reads),
// formats, merged blocks, row heights, column widths, the page setup and the pictures that lie
// within the page. The page sheet is exactly as large as the page; nothing of an earlier page stays.
void ShowPage(const platform::grid::Sheet& working, platform::grid::Sheet& page, SheetRows rows);

} // namespace output

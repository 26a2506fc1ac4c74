#pragma once

#include "platform/grid/Sheet.h"

// Sheets that exercise what the file writers must carry: texts in Chinese, numbers in several
// number formats, logical and error values, a formula, fonts, alignments, borders, fills, merged
// blocks, sizes, a picture and a page setup. The tests state what they expect of each cell below.
platform::grid::Sheet richSheet();

// A picture whose pixels differ from each other, so that a lossy or turned copy shows.
QImage samplePicture();

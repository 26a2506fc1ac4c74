#pragma once

#include "output/PrintRange.h"

#include <QVector>

// The pages of the preview window: a data report shows its blank form, one page of the whole sheet; a
// statistics report shows the pages its build started, each up to the row before the next one.
namespace output
{

struct PreviewPages {
    PageRowMap rows;
    int count = 0;
};

PreviewPages blankFormPages(int sheetLastRow);
// pageStarts: the first row of each page, page 1 first.
PreviewPages statisticsPages(const QVector<int>& pageStarts, int sheetLastRow);

} // namespace output

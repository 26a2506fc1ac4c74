#include "output/PreviewPages.h"

namespace output
{

PreviewPages blankFormPages(int sheetLastRow)
{
    return { PageRowMap::listedPages({ { 1, sheetLastRow } }), 1 };
}

PreviewPages statisticsPages(const QVector<int>& pageStarts, int sheetLastRow)
{
    return { PageRowMap::startingRows(pageStarts, sheetLastRow), int(pageStarts.size()) };
}

} // namespace output

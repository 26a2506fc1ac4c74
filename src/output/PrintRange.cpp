#include "output/PrintRange.h"

#include "engine/EngineState.h"
#include "platform/grid/Sheet.h"
#include "store/ReportDefinition.h"

#include <QStringList>

namespace output
{

namespace
{

// A whole page number as typed (blanks around it allowed); none for anything else.
std::optional<long long> pageNumber(const QString& text)
{
    bool ok = false;
    const long long number = text.trimmed().toLongLong(&ok);
    return ok ? std::optional(number) : std::nullopt;
}

QString rangePiece(int firstRow, int lastRow, int columnCount)
{
    return platform::grid::rangeText({ firstRow, 1, lastRow, columnCount });
}

} // namespace

PageRowMap PageRowMap::equalPages(int rowsPerPage)
{
    PageRowMap map;
    map.rowsPerPage_ = rowsPerPage;
    return map;
}

PageRowMap PageRowMap::listedPages(QVector<SheetRows> pages)
{
    PageRowMap map;
    map.pages_ = std::move(pages);
    return map;
}

PageRowMap PageRowMap::startingRows(const QVector<int>& starts, int lastRow)
{
    QVector<SheetRows> pages;
    for (qsizetype i = 0; i < starts.size(); ++i) {
        const bool nextStarts = i + 1 < starts.size() && starts.at(i + 1) >= 1;
        pages.append({ starts.at(i), nextStarts ? starts.at(i + 1) - 1 : lastRow });
    }
    return listedPages(std::move(pages));
}

std::optional<SheetRows> PageRowMap::rows(int page) const
{
    if (page < 1)
        return std::nullopt;
    if (rowsPerPage_ > 0)
        return SheetRows { (page - 1) * rowsPerPage_ + 1, page * rowsPerPage_ };
    if (page > pages_.size())
        return std::nullopt;
    return pages_.at(page - 1);
}

PageRowMap currentPageRows(
    const engine::DataReportRun& run, const QVector<int>& statPageStarts, int workingLastRow)
{
    const store::ReportDefinition& definition = run.definition();
    if (definition.type == store::StatisticsReport)
        return PageRowMap::startingRows(statPageStarts, workingLastRow);
    if (definition.page.DataRows == store::keywords::DataRowsAutoMode) {
        QVector<SheetRows> pages;
        for (const engine::PageRowRange& range : run.PageRowRanges)
            pages.append({ range.firstRow, range.lastRow });
        return PageRowMap::listedPages(std::move(pages));
    }
    // Under "FIX" as under a number of records, the pages were laid out PageSheetRows apart.
    return PageRowMap::equalPages(run.PageSheetRows);
}

std::optional<PageSelection> ValidatePageList(const QString& text, int totalPages)
{
    if (text.isEmpty() || text.contains(QLatin1Char('.')))
        return std::nullopt;
    PageSelection selection;
    QString list = text;
    const qsizetype dash = text.indexOf(QLatin1Char('-'));
    if (dash >= 0) {
        if (text.indexOf(QLatin1Char('-'), dash + 1) >= 0)
            return std::nullopt;
        const auto end = pageNumber(text.mid(dash + 1));
        if (!end || *end < 1 || *end > totalPages)
            return std::nullopt;
        selection.endPage = int(*end);
        list = text.left(dash);
    }
    int previous = 0;
    for (const QString& item : list.split(QLatin1Char(','))) {
        const auto page = pageNumber(item);
        if (!page)
            continue;
        if (*page > totalPages || *page <= previous)
            return std::nullopt;
        previous = int(*page);
        selection.listedPages.append(previous);
    }
    if (selection.endPage != 0 && selection.endPage < previous)
        return std::nullopt;
    if (selection.listedPages.isEmpty() && selection.endPage == 0)
        return std::nullopt;
    return selection;
}

std::optional<QString> PagesToRanges(const PageSelection& selection, const PageRowMap& pages, int columnCount)
{
    QStringList pieces;
    for (int page : selection.listedPages) {
        const auto rows = pages.rows(page);
        if (!rows)
            return std::nullopt;
        pieces.append(rangePiece(rows->first, rows->last, columnCount));
    }
    const int afterListed = selection.listedPages.isEmpty() ? 1 : selection.listedPages.last() + 1;
    if (selection.endPage >= afterListed) {
        const auto first = pages.rows(afterListed);
        const auto last = pages.rows(selection.endPage);
        if (!first || !last)
            return std::nullopt;
        pieces.append(rangePiece(first->first, last->last, columnCount));
    }
    return pieces.join(QLatin1Char(','));
}

std::optional<QString> BuildPrintRange(
    const PrintRangeRequest& request, const PageRowMap& pages, int columnCount)
{
    switch (request.choice) {
    case RangeChoice::AllPages:
        return QString();
    case RangeChoice::CurrentPage:
        return PagesToRanges({ { request.currentPage }, 0 }, pages, columnCount);
    case RangeChoice::PageList:
        break;
    }
    const auto selection = ValidatePageList(request.pageList, request.totalPages);
    if (!selection)
        return std::nullopt;
    return PagesToRanges(*selection, pages, columnCount);
}

} // namespace output

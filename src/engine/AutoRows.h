#pragma once

#include <functional>
#include <QString>

namespace platform::grid
{
class Sheet;
struct TextFont;
} // namespace platform::grid

// The "AUTO" row mode: a page takes as many records as fit the height the paper leaves for the detail
// band (FreeHeight). Every detail row wraps its texts and grows to show them whole.
namespace engine
{

struct DataReportRun;

// The room a row's texts need above and below them.
constexpr int AutoRowPaddingTwips = 100;

// The detail records of page `page` (0-based within the build): block after block while they fit, more
// blocks than the template holds made as copies of its first block, and the blocks left empty removed,
// so that the rows below the band follow the last record (PageRowRanges is kept up to date). A record
// that no longer fits is pushed back to open the next page, with the group test and the sub-query rows
// of its look-ahead undone. A page always keeps its first record: one that is taller than the room on an
// empty page stays there alone, and the user is told once.
void FillDetailRowsAuto(DataReportRun& run, platform::grid::Sheet& grid, int page);

// The height that shows every text of sheet row `row` whole, wrapped in the width of its cell (of its
// merged block), plus AutoRowPaddingTwips; 0 when the row holds no text.
int FittedRowHeight(const DataReportRun& run, const platform::grid::Sheet& grid, int row);

// Lines a text takes wrapped in `width` twips (at least 1).
int WrappedLineCount(const QString& text, const platform::grid::TextFont& font, int width);

// Lines of one paragraph wrapped in `width`, `widthOf` measuring a piece of it: each line takes the
// longest piece that fits (at least one character). The work follows the paragraph's length: a line
// is found by measuring pieces at most twice its length.
int WrappedParagraphLines(QStringView paragraph, int width, const std::function<int(QStringView)>& widthOf);

} // namespace engine

#pragma once

#include <functional>
#include <QString>

namespace platform::grid
{
class Sheet;
}

// How the designer's edits meet the grid's refusals. An edit runs whole or not at all: when the grid
// refuses a step, the grid and the state's region table and used size are put back as they were before
// the first step, so that a refusal halfway through never leaves them out of step. A merged block that
// the edit would cut (20053) and a deletion that the grid refuses (20007) then become the edit's own
// message; any other grid failure ends the edit without a message.
namespace designer
{

inline const QString GridErrorTitle = QStringLiteral("错误信息");

struct GridRefusals {
    QString mergedCell;
    QString deletionRefused;
    QString title = GridErrorTitle;
};

// Runs `edit` on the grid; true when it ran through, false when the grid refused it (told as above).
bool runGridEdit(
    platform::grid::Sheet& grid, const GridRefusals& refusals, const std::function<void()>& edit);

} // namespace designer

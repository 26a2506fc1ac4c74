#pragma once

#include <functional>
#include <QString>

// The question the designer asks before it leaves a changed report: before New, Open and Preview, and
// when the window closes.
namespace designer
{

enum class PromptRoad { New, Open, Preview, Close };

// The designer's flags about the shown report.
struct EditFlags {
    bool ReportModified = false; // a command changed the report since it was loaded or saved
    bool JustSaved = false; // a save happened since the last prompt
};

// The question of the road: the window's closing asks with a full-width question mark, the other roads
// with an ASCII one.
QString promptQuestion(PromptRoad road);

// Asks whether to save when a report is shown and it was changed (a command marked it modified, or its
// row heights and column widths differ from the last snapshot), also right after a save when edits
// followed it. Yes runs `save`; No goes on without saving; Cancel (or a save that failed, whose cause
// `save` has told) stops the road and keeps the flags. Whenever the road goes on, JustSaved is cleared.
// Returns whether the road goes on.
bool ConfirmSaveChanges(PromptRoad road, EditFlags& flags, bool reportShown, bool layoutChanged,
    const std::function<bool()>& save);

} // namespace designer

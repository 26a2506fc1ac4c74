#pragma once

#include "platform/ui/MessageBox.h"

#include <QString>

// Telling the user what stops or changes a report, also when nobody is there to read a box.
namespace store
{

// A refusal: puts `text` into the report state's ErrorMessage and shows it in a box with only an OK button
// (titled "提示信息" without an icon unless said otherwise), except in silent web printing, where the host
// reads ErrorMessage instead and nothing may wait for an answer.
void NoticeUser(const QString& text, platform::ui::Icon icon = platform::ui::Icon::None,
    const QString& title = platform::ui::DefaultTitle);

// A notice of work that goes on, changed as the text says (a sort order given up, a page taller than the
// paper): the same box, but ErrorMessage only in silent web printing, where no box can be shown. Outside
// that mode ErrorMessage thus tells the host of refusals only.
void WarnUser(const QString& text, platform::ui::Icon icon = platform::ui::Icon::None,
    const QString& title = platform::ui::DefaultTitle);

} // namespace store

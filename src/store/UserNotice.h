#pragma once

#include "platform/ui/MessageBox.h"

#include <QString>

// Telling the user what stops or changes a report, also when nobody is there to read a box.
namespace store
{

// Puts `text` into the report state's ErrorMessage and shows it in a box with only an OK button (titled
// "提示信息" without an icon unless said otherwise), except in silent web printing, where the host reads
// ErrorMessage instead and nothing may wait for an answer.
void NoticeUser(const QString& text, platform::ui::Icon icon = platform::ui::Icon::None,
    const QString& title = platform::ui::DefaultTitle);

} // namespace store

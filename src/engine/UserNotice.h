#pragma once

#include <QString>

// Telling the user why a report is not built, also when nobody is there to read a box.
namespace engine
{

// Puts `text` into the report state's ErrorMessage and shows it in a box titled "提示信息" with only
// an OK button, except in silent web printing, where the host reads ErrorMessage instead.
void NoticeUser(const QString& text);

} // namespace engine

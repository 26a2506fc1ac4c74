#pragma once

#include <QString>

namespace platform::ui
{

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Question, Warning, Critical };
enum class MsgBoxResult { Ok, Cancel, Yes, No };

// The title most boxes of the component carry.
inline const QString DefaultTitle = QStringLiteral("提示信息");

// Shows a modal message box and returns the button pressed. Under a ScriptedUi the box is recorded and
// answered from its script. Without a display (offscreen) the box is written to stderr and gets the
// answer of its first button (Ok or Yes), so that nothing waits for a user who is not there.
MsgBoxResult msgBox(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
    const QString& title = DefaultTitle);

// Asks a question with Yes and No buttons; true when the answer is Yes.
bool askYesNo(const QString& question, Icon icon = Icon::None, const QString& title = DefaultTitle);

// The answer a box gets when nobody chooses: its first button.
MsgBoxResult firstButton(Buttons buttons);

// True when windows can be shown to a user: a widget application on a real display.
bool interactive();

} // namespace platform::ui

#pragma once

namespace platform::ui
{

// Lets pending window messages run once.
void pumpMessages();

// Shows the hourglass over the whole application (on) or the normal pointer again (off). Calls do not
// nest: a second "on" changes nothing and one "off" restores the pointer.
void setWaitCursor(bool on);

} // namespace platform::ui

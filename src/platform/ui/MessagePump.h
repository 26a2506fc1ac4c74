#pragma once

namespace platform::ui
{

// Lets pending window messages run once.
void pumpMessages();

// Shows the hourglass over the whole application (on) or the normal pointer again (off). Calls do not
// nest: a second "on" changes nothing and one "off" restores the pointer.
void setWaitCursor(bool on);

// Shows the hourglass while it lives (as setWaitCursor, it does not nest).
class WaitCursor
{
public:
    WaitCursor() { setWaitCursor(true); }
    ~WaitCursor() { setWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace platform::ui

#pragma once

// The output windows that the public class opens through its window hooks. They are installed when the
// library is loaded; tests that replace the hooks put them back with this.
namespace output
{

void installOutputWindows();

} // namespace output

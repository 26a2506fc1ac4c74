#pragma once

// The output windows that the public class opens through its window hooks. The component installs them
// at start-up; tests that replace the hooks put them back with this.
namespace output
{

void installOutputWindows();

} // namespace output

#pragma once

// The designer window that the public class opens through its window hook, installed by the component at
// start-up; tests that replace the hook put it back with this.
namespace designer
{

void installDesignerWindow();

} // namespace designer

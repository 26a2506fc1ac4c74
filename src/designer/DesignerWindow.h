#pragma once

// The designer window that the public class opens through its window hook, installed when the library
// is loaded; tests that replace the hook put it back with this.
namespace designer
{

void installDesignerWindow();

} // namespace designer

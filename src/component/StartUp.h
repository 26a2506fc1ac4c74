#pragma once

// What the component sets up before a host's first object. The windows live in the subsystems above the
// store, which opens them through its window hooks (store/WindowSeams.h); this is the one place that
// fills those hooks.
namespace component
{

// Installs every window hook: the print, preview and print-progress windows with the template-report
// roads, the designer and its region markers, the page-setup dialog, the wizard and the statistics-report
// definition, and what runs before a window waits for the user. Installing again puts back whatever a
// test replaced.
void installWindowHooks();

// Once per process; DllGetClassObject calls it, as every host gets its objects through the class factory.
void startUp();

} // namespace component

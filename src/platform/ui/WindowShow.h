#pragma once

#include <functional>

class QWidget;

// The two moments a window's own work runs around its showing, written once for every window.
namespace platform::ui
{

// Runs `load` each time `window` is about to be shown, before it is drawn: the window fills its controls
// from the current state.
void loadOnShow(QWidget& window, std::function<void()> load);

// Runs `activate` once, after `window` is first shown and the events already waiting have run: the work
// that the user watches in the open window (a report built, a job printed).
void activateOnFirstShow(QWidget& window, std::function<void()> activate);

} // namespace platform::ui

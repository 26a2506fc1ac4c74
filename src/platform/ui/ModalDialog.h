#pragma once

#include <functional>

class QDialog;

namespace platform::ui
{

// Shows a window modally and returns its result (QDialog::Accepted, QDialog::Rejected or the code given
// to done()). Under a ScriptedUi the window is shown without blocking and driven by the script's driver
// for its class or object name. Without a display it is shown, given one pass of the event loop (its
// load and activation work runs) and closed, and the result is what that work left.
int showModal(QDialog& dialog);

// Sets what runs each time a window or message box is about to wait for the user (scripted ones too,
// and those that do not wait without a display), so that nothing that others wait for is held open
// meanwhile: the component ends there the transaction that a build's reads share. One hook; a later
// call replaces it.
void setBeforeWaiting(std::function<void()> hook);
// Runs that hook; modal windows and message boxes call it.
void beforeWaiting();

} // namespace platform::ui

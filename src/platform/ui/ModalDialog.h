#pragma once

class QDialog;

namespace platform::ui
{

// Shows a window modally and returns its result (QDialog::Accepted, QDialog::Rejected or the code given
// to done()). Under a ScriptedUi the window is shown without blocking and driven by the script's driver
// for its class or object name. Without a display it is shown, given one pass of the event loop (its
// load and activation work runs) and closed, and the result is what that work left.
int showModal(QDialog& dialog);

} // namespace platform::ui

#pragma once

#include <QString>

class QStatusBar;

// The status bars of the output windows: two text panels, what the window does and who works with it.
namespace output
{

// Puts the texts into the first and second panel of the bar, making the panels on first use.
void SetStatusText(QStatusBar& bar, const QString& panel1, const QString& panel2);

// The text of the second panel: the name of the host's user when the host has set one (it is kept in
// the state as StatusUserText), else whatever the state last held.
QString UserStatusText();

} // namespace output

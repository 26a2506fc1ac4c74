#pragma once

#include <QList>
#include <QSize>

class QDialog;
class QPushButton;
class QStatusBar;
class QWidget;

// The layout the print and preview windows share: their buttons in rows above the page area (one row
// when the window is wide enough, wrapping when it is not), the page area taking the rest, the status
// bar at the bottom.
namespace output
{

// Lays the window out and sets its minimum size (KeepButtonsWhole).
void LayOutOutputWindow(QDialog& window, const QList<QPushButton*>& buttons, QWidget& pageArea,
    QStatusBar& statusBar, QSize least);

// Sets the minimum size of a window laid out by LayOutOutputWindow: at least `least`, and room for
// every button at its full size (in two rows at the narrowest) and for a page area. Run again when a
// caption changes.
void KeepButtonsWhole(QDialog& window, QSize least);

// The size the output windows would like to open at: large enough for a page to be read; the screen
// bounds it.
inline constexpr QSize OutputWindowWantedSize(1280, 960);

} // namespace output

#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace platform::ui
{

// The size a window opens at: the size it would like, within the screen's free area less room for
// the window's frame and title, and never below its minimum size.
QSize openingSize(QSize wanted, QSize minimum, QRect available);

// Gives a window its opening size on the screen it shows on and centres it there.
void openOnScreen(QWidget& window, QSize wanted);

} // namespace platform::ui

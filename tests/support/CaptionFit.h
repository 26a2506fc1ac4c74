#pragma once

#include <QStringList>

class QWidget;

namespace testsupport
{

// Lays the window out at its minimum size and lists the captions of the visible buttons (push, tool,
// radio and check buttons) whose text is wider than the button, or that lie partly outside the window.
QStringList cutCaptions(QWidget& window);

} // namespace testsupport

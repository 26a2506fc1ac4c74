#pragma once

#include <QLabel>

namespace dialogs
{

// A control's caption, whose "&" key moves the focus to the control.
inline QLabel* captionFor(const QString& caption, QWidget* box)
{
    auto* label = new QLabel(caption);
    label->setBuddy(box);
    return label;
}

} // namespace dialogs

#pragma once

#include "designer/ReportNames.h"

class QDialog;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

// What the three small report dialogs share: their OK and Cancel buttons and the refusal of a name.
namespace designer
{

// The row of the dialog's OK ("确定(&O)", the default button) and Cancel ("取消(&C)") buttons.
QHBoxLayout* dialogButtons(QDialog& dialog, QPushButton*& ok, QPushButton*& cancel);

// Checks the trimmed text of the box; a refusal is told (title "提示信息") and may give the box the
// focus again. Returns the name when it may be used, else none.
std::optional<QString> acceptedName(NameDialog dialog, QLineEdit& box);

} // namespace designer

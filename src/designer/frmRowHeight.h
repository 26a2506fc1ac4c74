#pragma once

#include "designer/SizeDialog.h"

namespace designer
{

// "行高": the height of the selected rows. RowHeightTwips is the answer after it closes, 0 for no change.
class frmRowHeight : public SizeDialog
{
    Q_OBJECT
public:
    explicit frmRowHeight(QWidget* parent = nullptr);

    double& RowHeightTwips = resultTwips;
    QLabel*& lblRowHeight = lblSize;
    QLineEdit*& txtRowHeight = txtSize;
};

} // namespace designer

#pragma once

#include "designer/SizeDialog.h"

namespace designer
{

// "列宽": the width of the selected columns. ColWidthTwips is the answer after it closes, 0 for no change.
class frmColWidth : public SizeDialog
{
    Q_OBJECT
public:
    explicit frmColWidth(QWidget* parent = nullptr);

    double& ColWidthTwips = resultTwips;
    QLabel*& lblColWidth = lblSize;
    QLineEdit*& txtColWidth = txtSize;
};

} // namespace designer

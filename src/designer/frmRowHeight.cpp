#include "designer/frmRowHeight.h"

namespace designer
{

frmRowHeight::frmRowHeight(QWidget* parent)
    : SizeDialog(QStringLiteral("行高"), QStringLiteral("行  高(&R)："), CheckRowHeight, parent)
{
    setObjectName(QStringLiteral("frmRowHeight"));
}

} // namespace designer

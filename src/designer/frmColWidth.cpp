#include "designer/frmColWidth.h"

namespace designer
{

frmColWidth::frmColWidth(QWidget* parent)
    : SizeDialog(QStringLiteral("列宽"), QStringLiteral("列  宽(&W)："), ValidateColWidth, parent)
{
    setObjectName(QStringLiteral("frmColWidth"));
}

} // namespace designer

#include "platform/outside/StatExpressionObject.h"

#include "platform/ui/MessageBox.h"

namespace platform::outside {

void StatExpressionObject::initialise()
{
    chosenParameter_.clear();
}

QString StatExpressionObject::evaluate(const QString& text) const
{
    return text;
}

void StatExpressionObject::showParameterDialog()
{
    chosenParameter_.clear();
    ui::msgBox(QStringLiteral("没有定义统计参数。"), ui::Buttons::Ok, ui::Icon::Information);
}

} // namespace platform::outside

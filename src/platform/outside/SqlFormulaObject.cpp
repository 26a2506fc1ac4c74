#include "platform/outside/SqlFormulaObject.h"

#include "platform/ui/MessageBox.h"

namespace platform::outside {

QString SqlFormulaObject::result() const
{
    return {};
}

QString SqlFormulaObject::chosenFormulaName()
{
    chosenDescription_.clear();
    ui::msgBox(QStringLiteral("没有定义SQL公式。"), ui::Buttons::Ok, ui::Icon::Information);
    return {};
}

} // namespace platform::outside

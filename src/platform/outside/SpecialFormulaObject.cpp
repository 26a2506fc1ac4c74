#include "platform/outside/SpecialFormulaObject.h"

#include "platform/db/Recordset.h"
#include "platform/ui/MessageBox.h"

namespace platform::outside {

SpecialFormulaObject::SpecialFormulaObject() = default;
SpecialFormulaObject::~SpecialFormulaObject() = default;

void SpecialFormulaObject::setFields(std::vector<db::Field> currentRecord)
{
    fields_ = std::move(currentRecord);
}

QString SpecialFormulaObject::result() const
{
    return {};
}

void SpecialFormulaObject::showPicker()
{
    chosenFormula_.clear();
    ui::msgBox(QStringLiteral("没有定义特殊公式。"), ui::Buttons::Ok, ui::Icon::Information);
}

} // namespace platform::outside

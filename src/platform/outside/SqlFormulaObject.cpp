#include "platform/outside/SqlFormulaObject.h"

#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "platform/outside/ChoiceListDialog.h"
#include "platform/outside/FirstValue.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SqlAdapterObject.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalDialog.h"

namespace platform::outside
{

namespace
{

const QString Source = QStringLiteral("SqlFormulaObject");

} // namespace

QString SqlFormulaObject::result() const
{
    if (!connection_)
        throw Error(errors::InvalidArgument, Source, QStringLiteral("SQL公式没有数据库连接"));
    const auto formula = sharedSqlAdapter()->open(
        QStringLiteral("select sql_text from sql_formula where name = ?"), *connection_, { formula_.trimmed() });
    if (formula->recordCount() == 0)
        throw Error(
            errors::InvalidArgument, Source, QStringLiteral("没有名为“%1”的SQL公式").arg(formula_.trimmed()));
    return firstValueText(formula->text(0), *connection_);
}

QString SqlFormulaObject::chosenFormulaName()
{
    chosenDescription_.clear();
    QStringList names;
    QStringList descriptions;
    if (connection_) {
        const auto formulas = sharedSqlAdapter()->open(
            QStringLiteral("select name, description from sql_formula order by name"), *connection_);
        for (formulas->moveFirst(); !formulas->eof(); formulas->moveNext()) {
            names.append(formulas->text(0).trimmed());
            descriptions.append(formulas->text(1).trimmed());
        }
    }
    if (names.isEmpty()) {
        ui::msgBox(QStringLiteral("没有定义SQL公式。"), ui::Buttons::Ok, ui::Icon::Information);
        return {};
    }
    ChoiceListDialog dialog(QStringLiteral("SQL公式"), names);
    if (ui::showModal(dialog) != QDialog::Accepted || dialog.chosenIndex() < 0)
        return {};
    chosenDescription_ = descriptions[dialog.chosenIndex()];
    return names[dialog.chosenIndex()];
}

} // namespace platform::outside

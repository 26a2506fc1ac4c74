#include "platform/outside/SqlFormulaObject.h"

#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "platform/Error.h"
#include "platform/outside/FirstValue.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SqlAdapterObject.h"
#include "platform/ui/MessageBox.h"

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
        QStringLiteral("select sql_text from sql_formula where name = ") + db::sqlText(formula_.trimmed()),
        *connection_);
    if (formula->recordCount() == 0)
        throw Error(
            errors::InvalidArgument, Source, QStringLiteral("没有名为“%1”的SQL公式").arg(formula_.trimmed()));
    return firstValueText(formula->text(0), *connection_);
}

QString SqlFormulaObject::chosenFormulaName()
{
    chosenDescription_.clear();
    ui::msgBox(QStringLiteral("没有定义SQL公式。"), ui::Buttons::Ok, ui::Icon::Information);
    return {};
}

} // namespace platform::outside

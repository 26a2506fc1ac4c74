#include "platform/outside/SpecialFormulaObject.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/StatementMarks.h"
#include "platform/db/ValueText.h"
#include "platform/Error.h"
#include "platform/outside/FirstValue.h"
#include "platform/ui/MessageBox.h"

#include <QRegularExpression>

namespace platform::outside
{

namespace
{

const QString Source = QStringLiteral("SpecialFormulaObject");
const QString FlagMark = QStringLiteral("@flag");
constexpr int UnknownField = 3265; // the record set's number for a field it does not have

bool isNumeric(const db::Field& field)
{
    switch (field.type()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

db::MarkValue markValueOf(const db::Field& field)
{
    if (field.isNull())
        return { db::MarkValue::Kind::Null, {} };
    if (isNumeric(field))
        return { db::MarkValue::Kind::Number, db::numberText(field.toDouble()) };
    return { db::MarkValue::Kind::Text, field.text() };
}

const db::Field* findField(const std::vector<db::Field>& fields, const QString& name)
{
    const QString column = name.section(QLatin1Char('.'), -1);
    for (const QString& wanted : { name, column }) {
        for (const db::Field& field : fields) {
            if (field.name().compare(wanted, Qt::CaseInsensitive) == 0)
                return &field;
        }
    }
    return nullptr;
}

bool isStatement(const QString& formula)
{
    static const QRegularExpression statementStart(
        QStringLiteral("^\\s*(select|with)\\b"), QRegularExpression::CaseInsensitiveOption);
    return statementStart.match(formula).hasMatch();
}

} // namespace

SpecialFormulaObject::SpecialFormulaObject() = default;
SpecialFormulaObject::~SpecialFormulaObject() = default;

void SpecialFormulaObject::setFields(std::vector<db::Field> currentRecord)
{
    fields_ = std::move(currentRecord);
}

QString SpecialFormulaObject::result() const
{
    if (!connection_)
        throw Error(errors::InvalidArgument, Source, QStringLiteral("特殊公式没有数据库连接"));
    QString sql
        = db::fillMarks(*connection_, formula_, u'#', false, [&](const QString& mark, bool, QString&) {
              const QString name = mark.trimmed();
              if (name.compare(FlagMark, Qt::CaseInsensitive) == 0)
                  return db::MarkValue { db::MarkValue::Kind::Number, QString::number(recordFlag_) };
              if (const db::Field* field = findField(fields_, name))
                  return markValueOf(*field);
              throw Error(UnknownField, Source,
                  QStringLiteral("特殊公式的字段标记 #%1# 不是当前记录的字段").arg(name));
          });
    if (!isStatement(sql))
        sql = QStringLiteral("select ") + sql;
    return firstValueText(sql, *connection_);
}

void SpecialFormulaObject::showPicker()
{
    chosenFormula_.clear();
    ui::msgBox(QStringLiteral("没有定义特殊公式。"), ui::Buttons::Ok, ui::Icon::Information);
}

} // namespace platform::outside

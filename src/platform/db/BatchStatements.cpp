#include "platform/db/BatchStatements.h"

#include "platform/db/Recordset.h"

#include <QRegularExpression>
#include <QStringList>

namespace platform::db
{

namespace
{

QString quotedName(const QString& name)
{
    QString doubled = name;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

bool differs(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() != b.isNull();
    return a != b;
}

} // namespace

QString singleSourceTable(const QString& sql)
{
    static const QRegularExpression plainSelect(
        QStringLiteral(R"(^\s*select\s.*?\sfrom\s+([^\s,()]+)\s*(?:(?:where|order\s+by)\b.*)?;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = plainSelect.match(sql);
    return match.hasMatch() ? match.captured(1) : QString();
}

BoundStatement insertStatement(const QString& table, const QList<FieldInfo>& fields, const QVariantList& row)
{
    QStringList columns;
    QStringList placeholders;
    BoundStatement statement;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (row[i].isNull())
            continue;
        columns << quotedName(fields[i].name);
        placeholders << QStringLiteral("?");
        statement.values << row[i];
    }
    if (columns.isEmpty())
        statement.sql = QStringLiteral("insert into %1 default values").arg(table);
    else
        statement.sql = QStringLiteral("insert into %1 (%2) values (%3)")
                            .arg(table, columns.join(QLatin1Char(',')), placeholders.join(QLatin1Char(',')));
    return statement;
}

BoundStatement updateStatement(const QString& table, const QList<FieldInfo>& fields,
    const QVariantList& original, const QVariantList& current)
{
    QStringList assignments;
    QVariantList assignedValues;
    QStringList conditions;
    QVariantList conditionValues;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const QString column = quotedName(fields[i].name);
        if (differs(original[i], current[i])) {
            assignments << column + QStringLiteral("=?");
            assignedValues << current[i];
        }
        if (original[i].isNull()) {
            conditions << column + QStringLiteral(" IS NULL");
        } else {
            conditions << column + QStringLiteral("=?");
            conditionValues << original[i];
        }
    }
    if (assignments.isEmpty())
        return {};
    return { QStringLiteral("update %1 set %2 where %3")
                 .arg(table, assignments.join(QLatin1Char(',')), conditions.join(QStringLiteral(" and "))),
        assignedValues + conditionValues };
}

} // namespace platform::db

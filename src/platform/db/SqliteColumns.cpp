#include "platform/db/SqliteColumns.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSqlQuery>

namespace platform::db {

namespace {

DeclaredColumn declaration(const QString& declaredType)
{
    static const QRegularExpression sized(QStringLiteral(R"(CHAR\s*\(\s*(\d+)\s*\))"));
    const QString type = declaredType.toUpper();
    DeclaredColumn column;
    if (type.contains(QLatin1String("DATETIME")) || type.contains(QLatin1String("TIMESTAMP")))
        column.type = QMetaType::QDateTime;
    else if (type.startsWith(QLatin1String("DATE")))
        column.type = QMetaType::QDate;
    const QRegularExpressionMatch match = sized.match(type);
    if (match.hasMatch())
        column.size = match.captured(1).toInt();
    return column;
}

} // namespace

QHash<QString, DeclaredColumn> sqliteDeclaredColumns(const QSqlDatabase& database, const QString& table)
{
    QHash<QString, DeclaredColumn> columns;
    QString quoted = table;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(quoted)))
        return columns;
    while (query.next())
        columns.insert(query.value(1).toString().toLower(), declaration(query.value(2).toString()));
    return columns;
}

QVariant sqliteDateValue(const QVariant& stored)
{
    if (stored.typeId() != QMetaType::QString)
        return stored;
    const QString text = stored.toString();
    if (text.size() == 10) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        return date.isValid() ? QVariant(date) : stored;
    }
    QDateTime dateTime = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (!dateTime.isValid())
        dateTime = QDateTime::fromString(text, Qt::ISODate);
    return dateTime.isValid() ? QVariant(dateTime) : stored;
}

} // namespace platform::db

#include "platform/db/SqliteColumns.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSqlQuery>

namespace platform::db
{

namespace
{

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

// The number written by `count` digits from `from`, -1 when one of them is no digit. Dates are read
// this way because a record set may hold a million of them.
int digits(const QString& text, int from, int count)
{
    if (text.size() < from + count)
        return -1;
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
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
    const QDate date = QDate(digits(text, 0, 4), digits(text, 5, 2), digits(text, 8, 2));
    const bool dateShape = text.size() >= 10 && text[4] == QLatin1Char('-') && text[7] == QLatin1Char('-');
    if (dateShape && date.isValid() && text.size() == 10)
        return date;
    if (dateShape && date.isValid() && text.size() == 19 && text[13] == QLatin1Char(':')) {
        const QTime time(digits(text, 11, 2), digits(text, 14, 2), digits(text, 17, 2));
        if (time.isValid())
            return QDateTime(date, time);
    }
    const QDateTime dateTime = QDateTime::fromString(text, Qt::ISODateWithMs);
    return dateTime.isValid() ? QVariant(dateTime) : stored;
}

} // namespace platform::db

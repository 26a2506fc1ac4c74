#include "platform/outside/SqlAdapterObject.h"

#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "platform/db/ValueText.h"
#include "platform/Error.h"
#include "platform/outside/SqlDialectRewriter.h"

#include <QDateTime>

namespace platform::outside
{

namespace
{

const QString Null = QStringLiteral("NULL");

QString dateLiteral(const QString& value)
{
    static const char* const dateFormats[]
        = { "yyyy-MM-dd", "yyyy-M-d", "yyyy/M/d", "yyyy.M.d", "yyyyMMdd", "yyyy年M月d日" };
    static const char* const dateTimeFormats[]
        = { "yyyy-MM-dd hh:mm:ss", "yyyy-M-d h:mm:ss", "yyyy/M/d h:mm:ss", "yyyy-MM-ddThh:mm:ss",
              "yyyy-MM-dd hh:mm:ss.zzz", "yyyy-MM-dd hh:mm", "yyyy/M/d h:mm" };
    const QString text = value.trimmed();
    if (text.isEmpty())
        return Null;
    for (const char* format : dateFormats) {
        const QDate date = QDate::fromString(text, QString::fromUtf8(format));
        if (date.isValid())
            return db::sqlText(date.toString(QStringLiteral("yyyy-MM-dd")));
    }
    for (const char* format : dateTimeFormats) {
        const QDateTime dateTime = QDateTime::fromString(text, QString::fromUtf8(format));
        if (dateTime.isValid())
            return db::sqlText(dateTime.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    }
    return db::sqlText(value);
}

QString numberLiteral(const QString& value)
{
    const QString text = value.trimmed();
    if (text.isEmpty())
        return Null;
    bool whole = false;
    const qlonglong integer = text.toLongLong(&whole);
    if (whole)
        return QString::number(integer);
    bool number = false;
    const double real = text.toDouble(&number);
    if (!number)
        throw Error(errors::InvalidArgument, QStringLiteral("SqlAdapterObject"),
            QStringLiteral("“%1”不是数值，不能写入数值字段。").arg(value));
    return db::sqlNumber(real);
}

} // namespace

QString SqlAdapterObject::adaptSql(const QString& sql, db::Dialect target, bool backslashEscapes) const
{
    return rewriteSqlServerDialect(sql, target, backslashEscapes);
}

QString SqlAdapterObject::adaptSql(const QString& sql, const db::Connection& connection) const
{
    return adaptSql(sql, connection.dialect(), connection.backslashEscapesIn(sql));
}

QString SqlAdapterObject::sqlLiteral(const QString& value, LiteralKind kind) const
{
    switch (kind) {
    case LiteralKind::Date:
        return dateLiteral(value);
    case LiteralKind::Number:
        return numberLiteral(value);
    case LiteralKind::Text:
        break;
    }
    return db::doubledQuotes(value);
}

std::unique_ptr<db::Recordset> SqlAdapterObject::open(
    const QString& sql, db::Connection& connection, const QVariantList& values) const
{
    auto recordset = std::make_unique<db::Recordset>();
    recordset->open(adaptSql(sql, connection), connection, values);
    return recordset;
}

int SqlAdapterObject::execute(const QString& sql, db::Connection& connection, const QVariantList& values) const
{
    return connection.execute(adaptSql(sql, connection), values);
}

} // namespace platform::outside

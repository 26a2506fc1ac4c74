#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace platform::db
{

struct FieldInfo;

// The table that a plain "select <list> from <table> [where ...] [order by ...]" reads; "" when the
// statement reads several tables, a join or a subquery in its from clause, so that pending rows of its
// record set have nowhere to go.
QString singleSourceTable(const QString& sql);

// An SQL statement with the values for its "?" placeholders, in order.
struct BoundStatement {
    QString sql;
    QVariantList values;
};

// INSERT of one new row: the fields that hold a value (the others keep the table's defaults).
BoundStatement insertStatement(const QString& table, const QList<FieldInfo>& fields, const QVariantList& row);

// UPDATE of the fields that differ between `original` and `current`, on the rows whose every field
// still holds its original value (NULL matched with IS NULL). An empty statement when nothing changed.
BoundStatement updateStatement(const QString& table, const QList<FieldInfo>& fields,
    const QVariantList& original, const QVariantList& current);

} // namespace platform::db

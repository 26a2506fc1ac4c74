#pragma once

#include <QHash>
#include <QMetaType>
#include <QSqlDatabase>
#include <QString>

namespace platform::db
{

// What a SQLite table declares for one column, beyond the few types the driver reports: dates and
// date-times (stored as text) and the size of a text column.
struct DeclaredColumn {
    QMetaType::Type type = QMetaType::UnknownType; // QDate, QDateTime, or UnknownType for "as reported"
    int size = 0;
};

// The declared columns of a table, keyed by lower-case column name; empty for an unknown table.
QHash<QString, DeclaredColumn> sqliteDeclaredColumns(const QSqlDatabase& database, const QString& table);

// A text read from a SQLite date or date-time column as a QDate ("yyyy-MM-dd") or a QDateTime; other
// texts stay as they are.
QVariant sqliteDateValue(const QVariant& stored);

} // namespace platform::db

#pragma once

#include "platform/Export.h"

#include <memory>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <QVector>
#include <vector>

namespace platform::db
{

class Connection;

struct FieldInfo {
    QString name;
    QMetaType::Type type = QMetaType::QString;
    int size = 0; // defined size of a text column, 0 when unknown
    QString baseTable {}; // the table the column comes from, "" when unknown (an expression, a join)
};

// One field of the current record. A NULL stays NULL: `value()` is a null QVariant, `text()` is "".
class Field
{
public:
    Field(const FieldInfo& info, QVariant value)
        : info_(&info)
        , value_(std::move(value))
    {
    }
    const QString& name() const { return info_->name; }
    QMetaType::Type type() const { return info_->type; }
    int definedSize() const { return info_->size; }
    const QVariant& value() const { return value_; }
    bool isNull() const { return value_.isNull(); }
    QString text() const; // "" for NULL; numbers in plain fixed-point; dates "yyyy-MM-dd hh:mm:ss"
    double toDouble() const { return value_.toDouble(); }

private:
    const FieldInfo* info_;
    QVariant value_;
};

// A client-side static record set: every row is fetched on open, `recordCount` is exact, moves are
// free in both directions. Rows added with addNew and fields changed with setValue stay pending until
// updateBatch writes them (INSERT for new rows, UPDATE matching the original values for changed ones)
// into the single table the select read from; cancelBatch drops them.
// A fabricated record set (`fabricate`) belongs to no table: updateBatch only accepts its pending rows.
// updateBatch writes all pending rows or none: outside a transaction it runs in one of its own, and a
// changed row that no longer matches its original values (changed meanwhile by someone else) fails it.
// The connection given to `open` must outlive the record set's updates.
// Errors throw platform::Error (3021 no current record, 3265 unknown field, 3704 closed, 3001 database).
class Recordset
{
public:
    ORV_EXPORT Recordset();
    ORV_EXPORT ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Runs the select `sql` read-only (Connection::readOnly) and fetches every row.
    ORV_EXPORT void open(const QString& sql, Connection& connection);
    // The same with the values bound to the statement's "?" placeholders, in order.
    void open(const QString& sql, Connection& connection, const QVariantList& values);
    static std::unique_ptr<Recordset> fabricate(const QList<FieldInfo>& fields);
    // An independent copy: the same fields, rows, pending changes and connection, on the first row.
    std::unique_ptr<Recordset> clone() const;
    void close();
    bool isOpen() const;

    int recordCount() const;
    bool bof() const;
    bool eof() const;
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();
    int absolutePosition() const; // 1-based, 0 at BOF/EOF
    void setAbsolutePosition(int position);

    int fieldCount() const;
    const QList<FieldInfo>& fields() const;
    int fieldIndex(const QString& name) const; // case-insensitive; -1 when absent
    Field field(int index) const;
    Field field(const QString& name) const;
    QVariant value(int index) const;
    // The field's value where it is a text, read where the record set keeps it; none otherwise.
    const QString* textValue(int index) const;
    QVariant value(const QString& name) const { return field(name).value(); }
    QString text(int index) const { return field(index).text(); }
    QString text(const QString& name) const { return field(name).text(); }

    void addNew();
    void setValue(int index, const QVariant& value);
    void setValue(const QString& name, const QVariant& value);
    void updateBatch();
    void cancelBatch();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The fields of the current record, none at BOF or EOF or without a record set.
std::vector<Field> currentFields(const Recordset* record);

} // namespace platform::db

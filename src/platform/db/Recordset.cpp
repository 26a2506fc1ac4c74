#include "platform/db/Recordset.h"

#include "platform/db/BatchStatements.h"
#include "platform/db/Connection.h"
#include "platform/db/SqliteColumns.h"
#include "platform/db/SqliteRows.h"
#include "platform/db/ValueTable.h"
#include "platform/db/ValueText.h"
#include "platform/Error.h"

#include <QHash>
#include <QSqlField>
#include <QSqlRecord>

namespace platform::db
{

namespace
{

const QString Source = QStringLiteral("Recordset");
constexpr int NoCurrentRecord = 3021;
constexpr int UnknownField = 3265;
constexpr int ObjectClosed = 3704;

[[noreturn]] void fail(int number, const QString& description)
{
    throw Error(number, Source, description);
}

// Field descriptions of an executed query, completed for SQLite from the tables' declarations (which
// the driver does not report for dates and text sizes). Returns for each field whether its texts are
// to be read as dates.
QList<bool> describeFields(
    const QSqlRecord& record, Connection& connection, const QString& sourceTable, QList<FieldInfo>& fields)
{
    QList<bool> readAsDate;
    QHash<QString, QHash<QString, DeclaredColumn>> declaredByTable;
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField field = record.field(i);
        FieldInfo info;
        info.name = field.name();
        info.type = static_cast<QMetaType::Type>(field.metaType().id());
        info.baseTable = field.tableName().isEmpty() ? sourceTable : field.tableName();
        if (info.type == QMetaType::QString && field.length() > 0)
            info.size = field.length();
        bool dateText = false;
        if (connection.dialect() == Dialect::SQLite && !field.tableName().isEmpty()) {
            auto declared = declaredByTable.find(field.tableName());
            if (declared == declaredByTable.end())
                declared = declaredByTable.insert(
                    field.tableName(), sqliteDeclaredColumns(connection.database(), field.tableName()));
            const DeclaredColumn column = declared->value(field.name().toLower());
            if (column.type != QMetaType::UnknownType) {
                info.type = column.type;
                dateText = true;
            }
            info.size = column.size;
        }
        fields << info;
        readAsDate << dateText;
    }
    return readAsDate;
}

} // namespace

QString Field::text() const
{
    return valueText(value_);
}

struct Recordset::Impl {
    bool open = false;
    Connection* connection = nullptr; // none for a fabricated record set
    QString table;
    QList<FieldInfo> fields;
    ValueTable values;
    int rowCount = 0;
    int storedRowCount = 0; // rows from this index on are pending inserts
    QHash<int, QVariantList> originals; // stored rows changed since the last write, as they were read
    int position = -1; // -1 before the first row, rowCount after the last

    void requireOpen() const
    {
        if (!open)
            fail(ObjectClosed, QStringLiteral("对象已关闭，不允许此操作。"));
    }
    void requireCurrent() const
    {
        requireOpen();
        if (position < 0 || position >= rowCount)
            fail(NoCurrentRecord, QStringLiteral("BOF 或 EOF 中有一个是“真”，或者当前的记录已被删除。"));
    }
    int checkedIndex(int index) const
    {
        if (index < 0 || index >= fields.size())
            fail(UnknownField, QStringLiteral("在对应所需名称或序数的集合中，未找到项目：%1。").arg(index));
        return index;
    }
    QVariantList row(int r) const { return values.row(r); }
    void writePending();
};

Recordset::Recordset()
    : d(std::make_unique<Impl>())
{
}

Recordset::~Recordset() = default;

void Recordset::open(const QString& sql, Connection& connection)
{
    open(sql, connection, {});
}

void Recordset::open(const QString& sql, Connection& connection, const QVariantList& values)
{
    close();
    const QString table = singleSourceTable(sql);
    QList<bool> readAsDate;
    int rows = 0;
    connection.readOnly([&] {
        // Like-named fields of several tables are told apart by their tables, which the PostgreSQL driver
        // gives only for a query fetched whole.
        QSqlQuery query = table.isEmpty() && connection.dialect() == Dialect::PostgreSQL
            ? connection.runFetchedWhole(sql, values)
            : connection.run(sql, values);
        readAsDate = describeFields(query.record(), connection, table, d->fields);
        const int fieldCount = d->fields.size();
        d->values = ValueTable(fieldCount);
        rows = appendSqliteRows(query, d->values);
        if (rows < 0) {
            // PostgreSQL's dates beyond what the driver's dates hold are kept as the server's text (the
            // driver is not asked to read them).
            QList<bool> serverDate(fieldCount, false);
            for (int i = 0; connection.dialect() == Dialect::PostgreSQL && i < fieldCount; ++i)
                serverDate[i]
                    = d->fields[i].type == QMetaType::QDate || d->fields[i].type == QMetaType::QDateTime;
            rows = 0;
            while (query.next()) {
                for (int i = 0; i < fieldCount; ++i) {
                    const auto text = serverDate[i] ? postgresDateText(query, i) : std::nullopt;
                    d->values.append(text ? QVariant(*text) : query.value(i));
                }
                ++rows;
            }
        }
    });
    const int fieldCount = d->fields.size();
    for (int i = 0; i < fieldCount; ++i) {
        for (int row = 0; readAsDate[i] && row < rows; ++row)
            d->values.set(row, i, sqliteDateValue(d->values.at(row, i)));
    }
    d->connection = &connection;
    d->table = table;
    d->rowCount = rows;
    d->storedRowCount = rows;
    d->position = rows > 0 ? 0 : -1;
    d->open = true;
}

std::unique_ptr<Recordset> Recordset::fabricate(const QList<FieldInfo>& fields)
{
    auto recordset = std::make_unique<Recordset>();
    recordset->d->fields = fields;
    recordset->d->values = ValueTable(int(fields.size()));
    recordset->d->open = true;
    return recordset;
}

std::unique_ptr<Recordset> Recordset::clone() const
{
    d->requireOpen();
    auto copy = std::make_unique<Recordset>();
    *copy->d = *d;
    copy->d->position = d->rowCount > 0 ? 0 : -1;
    return copy;
}

void Recordset::close()
{
    *d = Impl();
}

bool Recordset::isOpen() const
{
    return d->open;
}

int Recordset::recordCount() const
{
    d->requireOpen();
    return d->rowCount;
}

bool Recordset::bof() const
{
    d->requireOpen();
    return d->rowCount == 0 || d->position < 0;
}

bool Recordset::eof() const
{
    d->requireOpen();
    return d->rowCount == 0 || d->position >= d->rowCount;
}

void Recordset::moveFirst()
{
    d->requireOpen();
    if (d->rowCount > 0)
        d->position = 0;
}

void Recordset::moveLast()
{
    d->requireOpen();
    if (d->rowCount > 0)
        d->position = d->rowCount - 1;
}

void Recordset::moveNext()
{
    if (eof())
        fail(NoCurrentRecord, QStringLiteral("已到记录集末尾，不能再向后移动。"));
    ++d->position;
}

void Recordset::movePrevious()
{
    if (bof())
        fail(NoCurrentRecord, QStringLiteral("已到记录集开头，不能再向前移动。"));
    --d->position;
}

int Recordset::absolutePosition() const
{
    return bof() || eof() ? 0 : d->position + 1;
}

void Recordset::setAbsolutePosition(int position)
{
    d->requireOpen();
    if (position < 1 || position > d->rowCount)
        throw Error(errors::InvalidArgument, Source, QStringLiteral("记录位置 %1 超出范围。").arg(position));
    d->position = position - 1;
}

int Recordset::fieldCount() const
{
    d->requireOpen();
    return d->fields.size();
}

const QList<FieldInfo>& Recordset::fields() const
{
    return d->fields;
}

int Recordset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < d->fields.size(); ++i) {
        if (d->fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

Field Recordset::field(int index) const
{
    d->requireCurrent();
    const int i = d->checkedIndex(index);
    return Field(d->fields.at(i), d->values.at(d->position, i));
}

QVariant Recordset::value(int index) const
{
    d->requireCurrent();
    return d->values.at(d->position, d->checkedIndex(index));
}

const QString* Recordset::textValue(int index) const
{
    d->requireCurrent();
    return d->values.textAt(d->position, d->checkedIndex(index));
}

Field Recordset::field(const QString& name) const
{
    d->requireOpen();
    const int index = fieldIndex(name);
    if (index < 0)
        fail(UnknownField, QStringLiteral("在对应所需名称或序数的集合中，未找到项目：%1。").arg(name));
    return field(index);
}

void Recordset::addNew()
{
    d->requireOpen();
    d->values.resizeRows(d->rowCount + 1);
    d->position = d->rowCount++;
}

void Recordset::setValue(int index, const QVariant& value)
{
    d->requireCurrent();
    const int i = d->checkedIndex(index);
    const int row = d->position;
    if (row < d->storedRowCount && !d->originals.contains(row))
        d->originals.insert(row, d->row(row));
    d->values.set(row, i, value);
}

void Recordset::setValue(const QString& name, const QVariant& value)
{
    d->requireOpen();
    const int index = fieldIndex(name);
    if (index < 0)
        fail(UnknownField, QStringLiteral("在对应所需名称或序数的集合中，未找到项目：%1。").arg(name));
    setValue(index, value);
}

void Recordset::Impl::writePending()
{
    if (table.isEmpty())
        throw Error(
            errors::DatabaseError, Source, QStringLiteral("记录集不是单一表的查询结果，不能写回数据库。"));
    for (auto it = originals.cbegin(); it != originals.cend(); ++it) {
        const BoundStatement update = updateStatement(table, fields, it.value(), row(it.key()));
        if (!update.sql.isEmpty() && connection->execute(update.sql, update.values) == 0)
            throw Error(errors::DatabaseError, Source,
                QStringLiteral("要更新的行已被修改或删除，找不到原来的值。\n") + update.sql);
    }
    for (int r = storedRowCount; r < rowCount; ++r) {
        const BoundStatement insert = insertStatement(table, fields, row(r));
        connection->execute(insert.sql, insert.values);
    }
}

void Recordset::updateBatch()
{
    d->requireOpen();
    const bool pending = !d->originals.isEmpty() || d->storedRowCount < d->rowCount;
    if (pending && d->connection) {
        const bool ownTransaction = !d->connection->inTransaction();
        if (ownTransaction)
            d->connection->beginTrans();
        try {
            d->writePending();
        } catch (...) {
            if (ownTransaction)
                d->connection->rollbackTrans();
            throw;
        }
        if (ownTransaction)
            d->connection->commitTrans();
    }
    d->originals.clear();
    d->storedRowCount = d->rowCount;
}

void Recordset::cancelBatch()
{
    d->requireOpen();
    for (auto it = d->originals.cbegin(); it != d->originals.cend(); ++it) {
        for (int i = 0; i < d->fields.size(); ++i)
            d->values.set(it.key(), i, it.value()[i]);
    }
    d->originals.clear();
    d->values.resizeRows(d->storedRowCount);
    d->rowCount = d->storedRowCount;
    d->position = d->rowCount > 0 ? 0 : -1;
}

std::vector<Field> currentFields(const Recordset* record)
{
    std::vector<Field> fields;
    if (!record || record->bof() || record->eof())
        return fields;
    for (int i = 0; i < record->fieldCount(); ++i)
        fields.push_back(record->field(i));
    return fields;
}

} // namespace platform::db

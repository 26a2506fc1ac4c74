#include "platform/db/ValueTable.h"

#include <bit>

namespace platform::db
{

ValueTable::ValueTable(int columns)
    : d(new Data)
{
    d->columns = columns;
}

QVariant ValueTable::at(qsizetype row, int column) const
{
    const size_t slot = slotOf(row, column);
    const quint64 payload = d->payloads[slot];
    switch (d->kinds[slot]) {
    case Kind::Null:
        return QVariant();
    case Kind::Integer:
        return qlonglong(payload);
    case Kind::Real:
        return std::bit_cast<double>(payload);
    case Kind::Text:
        return d->texts.at(qsizetype(payload));
    case Kind::Other:
        return d->others.at(qsizetype(payload));
    }
    return QVariant();
}

const QString* ValueTable::textAt(qsizetype row, int column) const
{
    const size_t slot = slotOf(row, column);
    return d->kinds[slot] == Kind::Text ? &d->texts.at(qsizetype(d->payloads[slot])) : nullptr;
}

QVariantList ValueTable::row(qsizetype row) const
{
    QVariantList values;
    values.reserve(d->columns);
    for (int column = 0; column < d->columns; ++column)
        values.append(at(row, column));
    return values;
}

std::pair<ValueTable::Kind, quint64> ValueTable::stored(const QVariant& value)
{
    if (value.isNull())
        return { Kind::Null, 0 };
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return { Kind::Integer, quint64(value.toLongLong()) };
    case QMetaType::Double:
        return { Kind::Real, std::bit_cast<quint64>(value.toDouble()) };
    case QMetaType::QString:
        d->texts.append(value.toString());
        return { Kind::Text, quint64(d->texts.size() - 1) };
    default:
        d->others.append(value);
        return { Kind::Other, quint64(d->others.size() - 1) };
    }
}

void ValueTable::set(qsizetype row, int column, const QVariant& value)
{
    const auto [kind, payload] = stored(value);
    Data& data = *d;
    const size_t slot = slotOf(row, column);
    if (data.kinds[slot] == Kind::Text || data.kinds[slot] == Kind::Other)
        ++data.unused;
    data.kinds[slot] = kind;
    data.payloads[slot] = payload;
    compactWhenWasteful();
}

void ValueTable::resizeRows(qsizetype rows)
{
    if (rows == this->rows())
        return; // a copy keeps sharing the values
    Data& data = *d;
    const size_t values = size_t(rows) * data.columns;
    data.kinds.resize(values, Kind::Null);
    data.payloads.resize(values, 0);
}

void ValueTable::append(const QVariant& value)
{
    const auto [kind, payload] = stored(value);
    push(kind, payload);
}

void ValueTable::appendReal(double value)
{
    push(Kind::Real, std::bit_cast<quint64>(value));
}

void ValueTable::appendText(QString text)
{
    d->texts.append(std::move(text));
    push(Kind::Text, quint64(d->texts.size() - 1));
}

bool ValueTable::textAbove() const
{
    const size_t count = d->kinds.size();
    return count >= size_t(d->columns) && d->kinds[count - d->columns] == Kind::Text;
}

void ValueTable::appendAbove()
{
    const size_t above = d->kinds.size() - d->columns;
    push(d->kinds[above], d->payloads[above]);
}

void ValueTable::compactWhenWasteful()
{
    constexpr qsizetype kFewUnused = 1024;
    Data& data = *d;
    if (data.unused <= kFewUnused || data.unused <= (data.texts.size() + data.others.size()) / 2)
        return;
    QList<QString> texts;
    QList<QVariant> others;
    for (size_t slot = 0; slot < data.kinds.size(); ++slot) {
        quint64& payload = data.payloads[slot];
        if (data.kinds[slot] == Kind::Text) {
            texts.append(data.texts.at(qsizetype(payload)));
            payload = quint64(texts.size() - 1);
        } else if (data.kinds[slot] == Kind::Other) {
            others.append(data.others.at(qsizetype(payload)));
            payload = quint64(others.size() - 1);
        }
    }
    data.texts = std::move(texts);
    data.others = std::move(others);
    data.unused = 0;
}

} // namespace platform::db

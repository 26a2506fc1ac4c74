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
    const quint32 payload = d->payloads[slot];
    switch (d->kinds[slot]) {
    case Kind::Null:
        return QVariant();
    case Kind::Integer:
        return qlonglong(qint32(payload));
    case Kind::LongInteger:
        return qlonglong(d->numbers[payload]);
    case Kind::Real:
        return std::bit_cast<double>(quint64(payload) << 32);
    case Kind::LongReal:
        return std::bit_cast<double>(d->numbers[payload]);
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

ValueTable::Slot ValueTable::integer(qint64 value)
{
    if (value == qint32(value))
        return { Kind::Integer, quint32(qint32(value)) };
    return longNumber(Kind::LongInteger, quint64(value));
}

ValueTable::Slot ValueTable::real(double value)
{
    const quint64 bits = std::bit_cast<quint64>(value);
    if (quint32(bits) == 0)
        return { Kind::Real, quint32(bits >> 32) };
    return longNumber(Kind::LongReal, bits);
}

ValueTable::Slot ValueTable::longNumber(Kind kind, quint64 bits)
{
    d->numbers.push_back(bits);
    return { kind, quint32(d->numbers.size() - 1) };
}

ValueTable::Slot ValueTable::stored(const QVariant& value)
{
    if (value.isNull())
        return { Kind::Null, 0 };
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return integer(value.toLongLong());
    case QMetaType::Double:
        return real(value.toDouble());
    case QMetaType::QString:
        d->texts.append(value.toString());
        return { Kind::Text, quint32(d->texts.size() - 1) };
    default:
        d->others.append(value);
        return { Kind::Other, quint32(d->others.size() - 1) };
    }
}

void ValueTable::set(qsizetype row, int column, const QVariant& value)
{
    const auto [kind, payload] = stored(value);
    Data& data = *d;
    const size_t slot = slotOf(row, column);
    if (listed(data.kinds[slot]))
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
    push(stored(value));
}

void ValueTable::appendText(QString text)
{
    d->texts.append(std::move(text));
    push(Kind::Text, quint32(d->texts.size() - 1));
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
    const qsizetype listedCount = qsizetype(data.numbers.size()) + data.texts.size() + data.others.size();
    if (data.unused <= kFewUnused || data.unused <= listedCount / 2)
        return;
    std::vector<quint64> numbers;
    QList<QString> texts;
    QList<QVariant> others;
    for (size_t slot = 0; slot < data.kinds.size(); ++slot) {
        quint32& payload = data.payloads[slot];
        switch (data.kinds[slot]) {
        case Kind::LongInteger:
        case Kind::LongReal:
            numbers.push_back(data.numbers[payload]);
            payload = quint32(numbers.size() - 1);
            break;
        case Kind::Text:
            texts.append(data.texts.at(qsizetype(payload)));
            payload = quint32(texts.size() - 1);
            break;
        case Kind::Other:
            others.append(data.others.at(qsizetype(payload)));
            payload = quint32(others.size() - 1);
            break;
        case Kind::Null:
        case Kind::Integer:
        case Kind::Real:
            break; // held in the payload
        }
    }
    data.numbers = std::move(numbers);
    data.texts = std::move(texts);
    data.others = std::move(others);
    data.unused = 0;
}

} // namespace platform::db

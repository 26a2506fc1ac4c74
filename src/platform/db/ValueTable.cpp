#include "platform/db/ValueTable.h"

#include <bit>

namespace platform::db
{

QVariant ValueTable::at(qsizetype row, int column) const
{
    const size_t slot = size_t(row) * columns_ + column;
    const quint64 payload = payloads_[slot];
    switch (kinds_[slot]) {
    case Kind::Null:
        return QVariant();
    case Kind::Integer:
        return qlonglong(payload);
    case Kind::Real:
        return std::bit_cast<double>(payload);
    case Kind::Text:
        return texts_.at(qsizetype(payload));
    case Kind::Other:
        return others_.at(qsizetype(payload));
    }
    return QVariant();
}

QVariantList ValueTable::row(qsizetype row) const
{
    QVariantList values;
    values.reserve(columns_);
    for (int column = 0; column < columns_; ++column)
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
        texts_.append(value.toString());
        return { Kind::Text, quint64(texts_.size() - 1) };
    default:
        others_.append(value);
        return { Kind::Other, quint64(others_.size() - 1) };
    }
}

void ValueTable::set(qsizetype row, int column, const QVariant& value)
{
    const size_t slot = size_t(row) * columns_ + column;
    if (kinds_[slot] == Kind::Text || kinds_[slot] == Kind::Other)
        ++unused_;
    std::tie(kinds_[slot], payloads_[slot]) = stored(value);
    compactWhenWasteful();
}

void ValueTable::resizeRows(qsizetype rows)
{
    const size_t values = size_t(rows) * columns_;
    kinds_.resize(values, Kind::Null);
    payloads_.resize(values, 0);
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
    texts_.append(std::move(text));
    push(Kind::Text, quint64(texts_.size() - 1));
}

bool ValueTable::textAbove() const
{
    return kinds_.size() >= size_t(columns_) && kinds_[kinds_.size() - columns_] == Kind::Text;
}

void ValueTable::appendAbove()
{
    const size_t above = kinds_.size() - columns_;
    push(kinds_[above], payloads_[above]);
}

void ValueTable::compactWhenWasteful()
{
    constexpr qsizetype kFewUnused = 1024;
    if (unused_ <= kFewUnused || unused_ <= (texts_.size() + others_.size()) / 2)
        return;
    QList<QString> texts;
    QList<QVariant> others;
    for (size_t slot = 0; slot < kinds_.size(); ++slot) {
        quint64& payload = payloads_[slot];
        if (kinds_[slot] == Kind::Text) {
            texts.append(texts_.at(qsizetype(payload)));
            payload = quint64(texts.size() - 1);
        } else if (kinds_[slot] == Kind::Other) {
            others.append(others_.at(qsizetype(payload)));
            payload = quint64(others.size() - 1);
        }
    }
    texts_ = std::move(texts);
    others_ = std::move(others);
    unused_ = 0;
}

} // namespace platform::db

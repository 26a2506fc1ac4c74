#pragma once

#include <QList>
#include <QSharedData>
#include <QString>
#include <QVariant>
#include <vector>

namespace platform::db
{

// The values of a record set, row after row, in nine bytes each (a kind and eight bytes of number, or
// the place of a text or of a value of another type) instead of a QVariant's 32: a report's million
// records fit in half the memory. Texts and values of other types live in lists of their own, where a
// value set over one leaves it unused until the unused outnumber the used and the list is compacted.
// NULL is read as a null QVariant, whatever its type was. Copies share the values until one of them
// changes.
class ValueTable
{
public:
    explicit ValueTable(int columns = 0);

    int columns() const { return d->columns; }
    qsizetype rows() const { return d->columns > 0 ? qsizetype(d->kinds.size()) / d->columns : 0; }
    QVariant at(qsizetype row, int column) const;
    QVariantList row(qsizetype row) const;
    const QString* textAt(qsizetype row, int column) const; // none where the value is no text
    void set(qsizetype row, int column, const QVariant& value);
    void resizeRows(qsizetype rows); // added rows hold NULLs

    // Appending, value after value and row after row, as a query's rows are read.
    void append(const QVariant& value);
    void appendNull() { push(Kind::Null, 0); }
    void appendInteger(qint64 value) { push(Kind::Integer, quint64(value)); }
    void appendReal(double value);
    void appendText(QString text);
    // Whether the next value's column holds a text in the row above, and appending that text again
    // (shared, not copied).
    bool textAbove() const;
    void appendAbove();

private:
    enum class Kind : quint8 { Null, Integer, Real, Text, Other };

    struct Data : QSharedData {
        int columns = 0;
        std::vector<Kind> kinds;
        std::vector<quint64> payloads;
        QList<QString> texts;
        QList<QVariant> others;
        qsizetype unused = 0; // texts and other values set over, an upper bound of the unused ones
    };

    // Where a row's value sits in the kinds and payloads.
    size_t slotOf(qsizetype row, int column) const { return size_t(row) * d->columns + column; }
    void push(Kind kind, quint64 payload)
    {
        Data& data = *d;
        data.kinds.push_back(kind);
        data.payloads.push_back(payload);
    }
    // The kind and payload that hold `value`, its text or other value added to their list.
    std::pair<Kind, quint64> stored(const QVariant& value);
    // Drops the texts and other values no slot refers to any more, once they outnumber those in use.
    void compactWhenWasteful();

    QSharedDataPointer<Data> d;
};

} // namespace platform::db

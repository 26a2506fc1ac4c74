#pragma once

#include <QList>
#include <QSharedData>
#include <QString>
#include <QVariant>
#include <vector>

namespace platform::db
{

// The values of a record set, row after row, in five bytes each (a kind and four bytes: a whole number
// of 32 bits, the upper half of a real whose lower half is zero, or the place of a longer number, a
// text or a value of another type) instead of a QVariant's 32: a report's million records of seven
// fields take 35 MB besides their texts. Longer numbers, texts and values of other types live in lists
// of their own, where a value set over one leaves it unused until the unused outnumber the used and the
// lists are compacted. NULL is read as a null QVariant, whatever its type was. Copies share the values
// until one of them changes.
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
    void appendInteger(qint64 value) { push(integer(value)); }
    void appendReal(double value) { push(real(value)); }
    void appendText(QString text);
    // Whether the next value's column holds a text in the row above, and appending that text again
    // (shared, not copied).
    bool textAbove() const;
    void appendAbove();

private:
    // Integer and Real hold their value in the payload; the Long kinds hold the place of theirs among
    // the numbers. A report's whole numbers (piece and page numbers, counts) and its whole or halved
    // reals take no more room than a text's place.
    enum class Kind : quint8 { Null, Integer, LongInteger, Real, LongReal, Text, Other };
    using Slot = std::pair<Kind, quint32>;

    struct Data : QSharedData {
        int columns = 0;
        std::vector<Kind> kinds;
        std::vector<quint32> payloads;
        std::vector<quint64> numbers; // the bits of longer numbers
        QList<QString> texts;
        QList<QVariant> others;
        qsizetype unused = 0; // listed values set over, an upper bound of the unused ones
    };

    // Where a row's value sits in the kinds and payloads.
    size_t slotOf(qsizetype row, int column) const { return size_t(row) * d->columns + column; }
    void push(Slot slot)
    {
        Data& data = *d;
        data.kinds.push_back(slot.first);
        data.payloads.push_back(slot.second);
    }
    void push(Kind kind, quint32 payload) { push({ kind, payload }); }
    Slot integer(qint64 value);
    Slot real(double value);
    Slot longNumber(Kind kind, quint64 bits);
    static bool listed(Kind kind)
    {
        return kind == Kind::LongInteger || kind == Kind::LongReal || kind == Kind::Text
            || kind == Kind::Other;
    }
    // The kind and payload that hold `value`, its longer number, text or other value added to its list.
    Slot stored(const QVariant& value);
    // Drops the listed values no slot refers to any more, once they outnumber those in use.
    void compactWhenWasteful();

    QSharedDataPointer<Data> d;
};

} // namespace platform::db

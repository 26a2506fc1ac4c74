#include "SharedStrings.h"

#include <algorithm>
#include <cstring>
#include <QList>

namespace platform::grid::io
{

namespace
{

constexpr int kStringHeaderSize = 3; // character count and option flags
// A report's workbook holds thousands of texts at least: the table starts large enough not to be
// rebuilt for them.
constexpr size_t kFirstSlots = 1 << 16;

// Strings per EXTSST bucket: at least 8, and few enough buckets to keep the record small.
quint16 stringsPerBucket(quint32 unique)
{
    return quint16(std::max<quint32>(8, unique / 128 + 1));
}

struct BucketStart {
    quint32 streamPosition;
    quint16 recordOffset;
};

// The stored form of a text: one byte per character when every one is below 256, else UTF-16.
void encode(QStringView text, QByteArray& out)
{
    const qsizetype count = text.size();
    out.resize(kStringHeaderSize + count);
    char* chars = out.data() + kStringHeaderSize;
    qsizetype i = 0;
    for (; i < count && text[i].unicode() <= 0xFF; ++i)
        chars[i] = char(text[i].unicode());
    const bool wide = i < count;
    if (wide) {
        out.resize(kStringHeaderSize + 2 * count);
        chars = out.data() + kStringHeaderSize;
        for (i = 0; i < count; ++i)
            qToLittleEndian(text[i].unicode(), chars + 2 * i);
    }
    qToLittleEndian(quint16(count), out.data());
    out[2] = wide ? 1 : 0;
}

} // namespace

QByteArrayView SharedStrings::stored(quint32 index) const
{
    const qsizetype start = starts_[index];
    const qsizetype end = index + 1 < starts_.size() ? qsizetype(starts_[index + 1]) : texts_.size();
    return QByteArrayView(texts_.constData() + start, end - start);
}

void SharedStrings::grow()
{
    std::vector<Slot> old(std::max(kFirstSlots, slots_.size() * 2));
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (const Slot& taken : old) {
        if (taken.index == 0)
            continue;
        size_t slot = taken.hash & mask;
        while (slots_[slot].index != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = taken;
    }
}

std::optional<quint32> SharedStrings::add(QStringView text)
{
    encode(text.left(kMaxCellChars), encoded_);
    const quint32 hash = quint32(qHash(QByteArrayView(encoded_)));
    if ((starts_.size() + 1) * 2 > slots_.size())
        grow();
    const size_t mask = slots_.size() - 1;
    size_t slot = hash & mask;
    for (; slots_[slot].index != 0; slot = (slot + 1) & mask) {
        const quint32 index = slots_[slot].index - 1;
        if (slots_[slot].hash == hash && stored(index) == QByteArrayView(encoded_)) {
            ++total_;
            return index;
        }
    }
    if (texts_.size() + encoded_.size() > kBudgetBytes && text.size() <= kMaxCellRecordChars)
        return std::nullopt;
    ++total_;
    if (texts_.capacity() == 0) {
        // The room of the whole budget, taken from the system only as it is written: the texts are
        // never moved to a larger buffer while they are within it.
        texts_.reserve(kBudgetBytes + kStringHeaderSize + 2 * kMaxCellChars);
    }
    const quint32 index = quint32(starts_.size());
    slots_[slot] = { hash, index + 1 };
    starts_.push_back(quint32(texts_.size()));
    texts_.append(encoded_);
    return index;
}

qsizetype SharedStrings::writtenSizeBound() const
{
    // Each record of at most kMaxRecordData bytes has a header of 4 and may repeat an option byte; each
    // bucket of EXTSST takes 8 bytes.
    const qsizetype records = texts_.size() / (biff::kMaxRecordData - 8) + 2;
    return texts_.size() + records * 5 + 8 + (uniqueCount() / stringsPerBucket(uniqueCount()) + 1) * 8 + 4;
}

void SharedStrings::write(BiffWriter& out) const
{
    const quint16 bucketSize = stringsPerBucket(uniqueCount());
    QList<BucketStart> buckets;

    out.begin(biff::Sst);
    out.u32(total_);
    out.u32(uniqueCount());
    auto room = [&out] { return biff::kMaxRecordData - out.recordLength(); };
    auto continueRecord = [&out] {
        out.end();
        out.begin(biff::Continue);
    };

    for (quint32 i = 0; i < uniqueCount(); ++i) {
        const QByteArrayView text = stored(i);
        const char options = text[2];
        const int charSize = options ? 2 : 1;
        const QByteArrayView chars = text.sliced(kStringHeaderSize);
        // The header and the first character stay together with the string's start.
        if (room() < kStringHeaderSize + std::min<qsizetype>(chars.size(), charSize))
            continueRecord();
        if (i % bucketSize == 0)
            buckets.append({ quint32(out.size()), quint16(out.size() - out.recordStart()) });
        out.bytes(text.first(kStringHeaderSize));

        qsizetype written = 0;
        while (written < chars.size()) {
            qsizetype fit = room() / charSize * charSize;
            if (fit == 0) {
                // A split string goes on with a fresh option byte in the next record.
                continueRecord();
                out.u8(quint8(options));
                fit = room() / charSize * charSize;
            }
            const qsizetype count = std::min(fit, chars.size() - written);
            out.bytes(chars.sliced(written, count));
            written += count;
        }
    }
    out.end();

    out.begin(biff::ExtSst);
    out.u16(bucketSize);
    for (const BucketStart& bucket : buckets) {
        out.u32(bucket.streamPosition);
        out.u16(bucket.recordOffset);
        out.u16(0);
    }
    out.end();
}

} // namespace platform::grid::io

#include "SharedStrings.h"

#include <algorithm>

namespace platform::grid::io
{

namespace
{

constexpr int kStringHeaderSize = 3; // character count and option flags

// Strings per EXTSST bucket: at least 8, and few enough buckets to keep the record small.
quint16 stringsPerBucket(quint32 unique)
{
    return quint16(std::max<quint32>(8, unique / 128 + 1));
}

struct BucketStart {
    quint32 streamPosition;
    quint16 recordOffset;
};

} // namespace

quint32 SharedStrings::add(const QString& text)
{
    ++total_;
    const QString stored = text.size() > kMaxCellChars ? text.left(kMaxCellChars) : text;
    auto it = index_.constFind(stored);
    if (it != index_.constEnd())
        return it.value();
    const quint32 index = quint32(strings_.size());
    index_.insert(stored, index);
    strings_.append(stored);
    return index;
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

    for (qsizetype i = 0; i < strings_.size(); ++i) {
        const QString& text = strings_[i];
        const bool latin1 = BiffWriter::fitsLatin1(text.constData(), text.size());
        const int charSize = latin1 ? 1 : 2;
        // The header and the first character stay together with the string's start.
        if (room() < kStringHeaderSize + (text.isEmpty() ? 0 : charSize))
            continueRecord();
        if (i % bucketSize == 0)
            buckets.append({ quint32(out.size()), quint16(out.size() - out.recordStart()) });
        out.u16(quint16(text.size()));
        out.u8(latin1 ? 0 : 1);

        qsizetype written = 0;
        while (written < text.size()) {
            qsizetype fit = room() / charSize;
            if (fit == 0) {
                // A split string goes on with a fresh option byte in the next record.
                continueRecord();
                out.u8(latin1 ? 0 : 1);
                fit = room() / charSize;
            }
            const qsizetype count = std::min(fit, text.size() - written);
            out.characters(text.constData() + written, count, latin1);
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

#include "BiffWriter.h"

#include <algorithm>

namespace platform::grid::io
{

void BiffWriter::begin(quint16 id)
{
    Q_ASSERT(recordStart_ < 0);
    recordStart_ = size_;
    u16(id);
    u16(0);
}

void BiffWriter::end()
{
    Q_ASSERT(recordStart_ >= 0 && recordLength() <= biff::kMaxRecordData);
    qToLittleEndian(quint16(recordLength()), buffer_.data() + recordStart_ + 2);
    recordStart_ = -1;
}

void BiffWriter::grow(qsizetype count)
{
    constexpr qsizetype kFirstRoom = 4096;
    buffer_.resize(std::max({ kFirstRoom, 2 * buffer_.size(), size_ + count }));
}

bool BiffWriter::fitsLatin1(const QChar* chars, qsizetype count)
{
    for (qsizetype i = 0; i < count; ++i) {
        if (chars[i].unicode() > 0xFF)
            return false;
    }
    return true;
}

void BiffWriter::characters(const QChar* chars, qsizetype count, bool latin1)
{
    if (latin1) {
        char* to = room(count);
        for (qsizetype i = 0; i < count; ++i)
            to[i] = char(chars[i].unicode());
    } else {
        char* to = room(2 * count);
        for (qsizetype i = 0; i < count; ++i)
            qToLittleEndian(chars[i].unicode(), to + 2 * i);
    }
}

void BiffWriter::shortString(QStringView text)
{
    const qsizetype count = std::min<qsizetype>(text.size(), 255);
    const bool latin1 = fitsLatin1(text.constData(), count);
    u8(quint8(count));
    u8(latin1 ? 0 : 1);
    characters(text.constData(), count, latin1);
}

void BiffWriter::string(QStringView text)
{
    const qsizetype count = std::min<qsizetype>(text.size(), 0xFFFF);
    const bool latin1 = fitsLatin1(text.constData(), count);
    u16(quint16(count));
    u8(latin1 ? 0 : 1);
    characters(text.constData(), count, latin1);
}

} // namespace platform::grid::io

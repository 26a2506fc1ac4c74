#include "BiffWriter.h"

namespace platform::grid::io
{

void BiffWriter::begin(quint16 id)
{
    Q_ASSERT(recordStart_ < 0);
    recordStart_ = data_.size();
    u16(id);
    u16(0);
}

void BiffWriter::end()
{
    Q_ASSERT(recordStart_ >= 0 && recordLength() <= biff::kMaxRecordData);
    le::patchU16(data_, recordStart_ + 2, quint16(recordLength()));
    recordStart_ = -1;
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
    if (latin1)
        le::putLatin1(data_, chars, count);
    else
        le::putUtf16(data_, chars, count);
}

void BiffWriter::shortString(const QString& text)
{
    const qsizetype count = std::min<qsizetype>(text.size(), 255);
    const bool latin1 = fitsLatin1(text.constData(), count);
    u8(quint8(count));
    u8(latin1 ? 0 : 1);
    characters(text.constData(), count, latin1);
}

void BiffWriter::string(const QString& text)
{
    const qsizetype count = std::min<qsizetype>(text.size(), 0xFFFF);
    const bool latin1 = fitsLatin1(text.constData(), count);
    u16(quint16(count));
    u8(latin1 ? 0 : 1);
    characters(text.constData(), count, latin1);
}

} // namespace platform::grid::io

#pragma once

#include <cstring>
#include <QByteArray>
#include <QString>
#include <QtEndian>

// Appending and patching little-endian fields, the byte order of the binary spreadsheet formats.
namespace platform::grid::io::le
{

inline void putU8(QByteArray& out, quint8 value)
{
    out.append(char(value));
}

inline void putU16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

inline void putU32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

inline void putF64(QByteArray& out, double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    char bytes[8];
    qToLittleEndian(bits, bytes);
    out.append(bytes, 8);
}

// UTF-16LE code units, without a length or terminator.
inline void putUtf16(QByteArray& out, const QChar* chars, qsizetype count)
{
    for (qsizetype i = 0; i < count; ++i)
        putU16(out, chars[i].unicode());
}

inline void patchU16(QByteArray& out, qsizetype offset, quint16 value)
{
    qToLittleEndian(value, out.data() + offset);
}
inline void patchU32(QByteArray& out, qsizetype offset, quint32 value)
{
    qToLittleEndian(value, out.data() + offset);
}

} // namespace platform::grid::io::le

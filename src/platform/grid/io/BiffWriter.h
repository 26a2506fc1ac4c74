#pragma once

#include <cstring>
#include <QByteArray>
#include <QString>
#include <QtEndian>

namespace platform::grid::io
{

// Record identifiers of the BIFF8 workbook stream.
namespace biff
{
constexpr quint16 Bof = 0x0809;
constexpr quint16 Eof = 0x000A;
constexpr quint16 CodePage = 0x0042;
constexpr quint16 Window1 = 0x003D;
constexpr quint16 DateMode = 0x0022;
constexpr quint16 Font = 0x0031;
constexpr quint16 Format = 0x041E;
constexpr quint16 Xf = 0x00E0;
constexpr quint16 Style = 0x0293;
constexpr quint16 Palette = 0x0092;
constexpr quint16 BoundSheet = 0x0085;
constexpr quint16 Sst = 0x00FC;
constexpr quint16 ExtSst = 0x00FF;
constexpr quint16 Continue = 0x003C;
constexpr quint16 DefColWidth = 0x0055;
constexpr quint16 DefaultRowHeight = 0x0225;
constexpr quint16 ColInfo = 0x007D;
constexpr quint16 Dimensions = 0x0200;
constexpr quint16 Row = 0x0208;
constexpr quint16 LabelSst = 0x00FD;
constexpr quint16 Label = 0x0204;
constexpr quint16 Number = 0x0203;
constexpr quint16 Rk = 0x027E;
constexpr quint16 Blank = 0x0201;
constexpr quint16 BoolErr = 0x0205;
constexpr quint16 MergedCells = 0x00E5;
constexpr quint16 Window2 = 0x023E;
constexpr quint16 Header = 0x0014;
constexpr quint16 Footer = 0x0015;
constexpr quint16 HCenter = 0x0083;
constexpr quint16 VCenter = 0x0084;
constexpr quint16 LeftMargin = 0x0026;
constexpr quint16 RightMargin = 0x0027;
constexpr quint16 TopMargin = 0x0028;
constexpr quint16 BottomMargin = 0x0029;
constexpr quint16 PrintHeaders = 0x002A;
constexpr quint16 PrintGridLines = 0x002B;
constexpr quint16 Setup = 0x00A1;
constexpr quint16 WsBool = 0x0081;
constexpr quint16 HorizontalPageBreaks = 0x001B;
constexpr quint16 SupBook = 0x01AE;
constexpr quint16 ExternSheet = 0x0017;
constexpr quint16 Name = 0x0018;
constexpr quint16 MsoDrawingGroup = 0x00EB;
constexpr quint16 MsoDrawing = 0x00EC;
constexpr quint16 Obj = 0x005D;

// The largest record body; longer data goes on in CONTINUE records.
constexpr int kMaxRecordData = 8224;
} // namespace biff

// Appends BIFF8 records to a byte buffer: begin a record, append its fields, end it (which fills in
// the length). Strings are written in the compressed 8-bit form when every character allows it.
// A worksheet's cells are millions of small fields: each goes straight into the buffer's room, which
// grows by doubling and is kept when the buffer is cleared.
class BiffWriter
{
public:
    void begin(quint16 id);
    void end();
    void emptyRecord(quint16 id)
    {
        begin(id);
        end();
    }

    void u8(quint8 value) { *room(1) = char(value); }
    void u16(quint16 value) { qToLittleEndian(value, room(2)); }
    void u32(quint32 value) { qToLittleEndian(value, room(4)); }
    void f64(double value)
    {
        quint64 bits;
        std::memcpy(&bits, &value, sizeof bits);
        qToLittleEndian(bits, room(8));
    }
    void zeros(int count) { std::memset(room(count), 0, count); }
    void bytes(QByteArrayView bytes) { std::memcpy(room(bytes.size()), bytes.data(), bytes.size()); }
    void shortString(QStringView text); // 8-bit character count
    void string(QStringView text); // 16-bit character count

    qsizetype size() const { return size_; }
    qsizetype recordStart() const { return recordStart_; }
    qsizetype recordLength() const { return size_ - recordStart_ - 4; }
    void patchU32(qsizetype offset, quint32 value) { qToLittleEndian(value, buffer_.data() + offset); }
    void clear() { size_ = 0; } // keeps the room for the next use
    // Makes room for `count` more bytes at once, where their number is known beforehand.
    void reserve(qsizetype count)
    {
        if (size_ + count > buffer_.size())
            grow(count);
    }
    void append(QByteArrayView other) { bytes(other); }
    QByteArrayView data() const { return QByteArrayView(buffer_.constData(), size_); }

private:
    // Where the next `count` bytes go; they count as written.
    char* room(qsizetype count)
    {
        if (size_ + count > buffer_.size())
            grow(count);
        char* at = buffer_.data() + size_;
        size_ += count;
        return at;
    }
    void grow(qsizetype count);
    static bool fitsLatin1(const QChar* chars, qsizetype count);
    // Appends characters in the form a string header announced.
    void characters(const QChar* chars, qsizetype count, bool latin1);

    QByteArray buffer_; // its size is the room; the bytes written are the first size_
    qsizetype size_ = 0;
    qsizetype recordStart_ = -1;
};

} // namespace platform::grid::io

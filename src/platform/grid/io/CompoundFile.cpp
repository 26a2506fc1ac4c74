#include "CompoundFile.h"

#include "DeviceWrite.h"
#include "LittleEndian.h"

#include <algorithm>
#include <limits>

namespace platform::grid::io
{

namespace
{

constexpr int kSectorSize = 512;
constexpr int kEntriesPerFatSector = kSectorSize / 4;
constexpr int kFatSectorsInHeader = 109;
constexpr int kFatSectorsPerDifatSector = kEntriesPerFatSector - 1; // the last entry chains on
constexpr int kMiniStreamCutoff = 4096;
constexpr int kDirectoryEntrySize = 128;

constexpr quint32 kDifatSector = 0xFFFFFFFC;
constexpr quint32 kFatSector = 0xFFFFFFFD;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFreeSector = 0xFFFFFFFF;
constexpr quint32 kNoStream = 0xFFFFFFFF;

enum class EntryType : quint8 { Empty = 0, Stream = 2, Root = 5 };
constexpr quint8 kBlack = 1;

quint32 sectorsFor(qint64 bytes, qint64 perSector)
{
    return quint32((bytes + perSector - 1) / perSector);
}

// Where everything lies: the stream's sectors first, then one directory sector, the allocation
// table and the DIFAT sectors that list the allocation table beyond the header's 109 entries.
struct Layout {
    quint32 streamSectors = 0;
    quint32 directorySector = 0;
    quint32 fatSectors = 0;
    quint32 difatSectors = 0;

    explicit Layout(qint64 streamSize)
    {
        streamSectors = sectorsFor(streamSize, kSectorSize);
        directorySector = streamSectors;
        // The table has to cover its own sectors and the DIFAT's: grow both until they fit.
        for (;;) {
            const quint32 total = streamSectors + 1 + fatSectors + difatSectors;
            const quint32 fat = sectorsFor(total, kEntriesPerFatSector);
            const quint32 difat = fat > kFatSectorsInHeader
                ? sectorsFor(fat - kFatSectorsInHeader, kFatSectorsPerDifatSector)
                : 0;
            if (fat == fatSectors && difat == difatSectors)
                break;
            fatSectors = fat;
            difatSectors = difat;
        }
    }
    quint32 firstFatSector() const { return directorySector + 1; }
    quint32 firstDifatSector() const { return firstFatSector() + fatSectors; }
};

void putDirectoryEntry(
    QByteArray& out, const QString& name, EntryType type, quint32 child, quint32 start, quint32 size)
{
    const qsizetype begin = out.size();
    const QString shortName = name.left(31);
    le::putUtf16(out, shortName.constData(), shortName.size());
    out.append(64 - (out.size() - begin), '\0');
    le::putU16(out, type == EntryType::Empty ? 0 : quint16((shortName.size() + 1) * 2));
    le::putU8(out, quint8(type));
    le::putU8(out, type == EntryType::Empty ? 0 : kBlack);
    le::putU32(out, kNoStream); // left sibling
    le::putU32(out, kNoStream); // right sibling
    le::putU32(out, child);
    out.append(16 + 4 + 8 + 8, '\0'); // class id, state bits, creation and modification times
    le::putU32(out, start);
    le::putU32(out, size);
    le::putU32(out, 0); // high half of the size
    Q_ASSERT(out.size() - begin == kDirectoryEntrySize);
}

QByteArray header(const Layout& layout)
{
    QByteArray out;
    out.reserve(kSectorSize);
    out.append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    out.append(16, '\0'); // class id
    le::putU16(out, 0x003E); // minor version
    le::putU16(out, 0x0003); // major version 3: 512-byte sectors
    le::putU16(out, 0xFFFE); // byte order mark: little endian
    le::putU16(out, 9); // sector size 2^9
    le::putU16(out, 6); // mini sector size 2^6
    out.append(6, '\0');
    le::putU32(out, 0); // directory sectors: always 0 in version 3
    le::putU32(out, layout.fatSectors);
    le::putU32(out, layout.directorySector);
    le::putU32(out, 0); // transaction signature
    le::putU32(out, kMiniStreamCutoff);
    le::putU32(out, kEndOfChain); // no mini allocation table
    le::putU32(out, 0);
    le::putU32(out, layout.difatSectors ? layout.firstDifatSector() : kEndOfChain);
    le::putU32(out, layout.difatSectors);
    for (quint32 i = 0; i < kFatSectorsInHeader; ++i)
        le::putU32(out, i < layout.fatSectors ? layout.firstFatSector() + i : kFreeSector);
    return out;
}

QByteArray directorySector(const QString& streamName, quint32 streamSize)
{
    QByteArray out;
    out.reserve(kSectorSize);
    putDirectoryEntry(out, QStringLiteral("Root Entry"), EntryType::Root, 1, kEndOfChain, 0);
    putDirectoryEntry(out, streamName, EntryType::Stream, kNoStream, 0, streamSize);
    putDirectoryEntry(out, {}, EntryType::Empty, kNoStream, 0, 0);
    putDirectoryEntry(out, {}, EntryType::Empty, kNoStream, 0, 0);
    return out;
}

QByteArray allocationTable(const Layout& layout)
{
    QByteArray out;
    out.reserve(qsizetype(layout.fatSectors) * kSectorSize);
    for (quint32 i = 0; i + 1 < layout.streamSectors; ++i)
        le::putU32(out, i + 1);
    le::putU32(out, kEndOfChain); // end of the stream, never empty (at least the cutoff)
    le::putU32(out, kEndOfChain); // the directory's single sector
    for (quint32 i = 0; i < layout.fatSectors; ++i)
        le::putU32(out, kFatSector);
    for (quint32 i = 0; i < layout.difatSectors; ++i)
        le::putU32(out, kDifatSector);
    while (out.size() < qsizetype(layout.fatSectors) * kSectorSize)
        le::putU32(out, kFreeSector);
    return out;
}

QByteArray difatSectors(const Layout& layout)
{
    QByteArray out;
    quint32 fatSector = kFatSectorsInHeader;
    for (quint32 d = 0; d < layout.difatSectors; ++d) {
        for (int i = 0; i < kFatSectorsPerDifatSector; ++i, ++fatSector)
            le::putU32(
                out, fatSector < layout.fatSectors ? layout.firstFatSector() + fatSector : kFreeSector);
        le::putU32(out, d + 1 < layout.difatSectors ? layout.firstDifatSector() + d + 1 : kEndOfChain);
    }
    return out;
}

} // namespace

void writeCompoundFile(QIODevice& out, const QString& streamName, const QByteArray& stream)
{
    writeCompoundFile(
        out, streamName, stream.size(), [&stream](QIODevice& device) { writeAll(device, stream); });
}

void writeCompoundFile(QIODevice& out, const QString& streamName, qint64 streamSize,
    const std::function<void(QIODevice&)>& writeStream)
{
    const qint64 storedSize = std::max<qint64>(streamSize, kMiniStreamCutoff);
    if (storedSize > qint64(std::numeric_limits<quint32>::max()))
        throwFileError(QStringLiteral("文件超过 4 GB，无法写成 Excel 文件"));
    const Layout layout(storedSize);

    writeAll(out, header(layout));
    const qint64 start = out.pos();
    writeStream(out);
    Q_ASSERT(out.isSequential() || out.pos() - start == streamSize);
    writeAll(out, QByteArray(qint64(layout.streamSectors) * kSectorSize - streamSize, '\0'));
    writeAll(out, directorySector(streamName, quint32(storedSize)));
    writeAll(out, allocationTable(layout));
    writeAll(out, difatSectors(layout));
}

} // namespace platform::grid::io

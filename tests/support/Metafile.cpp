#include "support/Metafile.h"

#include <QFile>
#include <QtEndian>
#include <vector>

namespace orvtest
{

namespace
{

using Words = std::vector<quint16>;

void record(Words& words, quint16 function, const Words& parameters)
{
    const quint32 size = quint32(3 + parameters.size());
    words.push_back(quint16(size & 0xFFFF));
    words.push_back(quint16(size >> 16));
    words.push_back(function);
    words.insert(words.end(), parameters.begin(), parameters.end());
}

Words colour(quint32 rgb)
{
    const quint32 colorRef = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    return { quint16(colorRef & 0xFFFF), quint16(colorRef >> 16) };
}

void solidBrush(Words& words, quint32 rgb)
{
    Words parameters { 0 }; // BS_SOLID
    const Words value = colour(rgb);
    parameters.insert(parameters.end(), value.begin(), value.end());
    parameters.push_back(0);
    record(words, 0x02FC, parameters); // META_CREATEBRUSHINDIRECT
}

} // namespace

QByteArray redBlueMetafile()
{
    Words records;
    record(records, 0x020B, { 0, 0 }); // META_SETWINDOWORG y, x
    record(records, 0x020C, { 100, 200 }); // META_SETWINDOWEXT height, width
    record(records, 0x02FA, { 5, 0, 0, 0, 0 }); // META_CREATEPENINDIRECT: PS_NULL
    record(records, 0x012D, { 0 }); // META_SELECTOBJECT
    solidBrush(records, 0xFF0000);
    record(records, 0x012D, { 1 });
    record(records, 0x041B, { 100, 100, 0, 0 }); // META_RECTANGLE bottom, right, top, left
    record(records, 0x01F0, { 1 }); // META_DELETEOBJECT: the red brush's slot is free again
    solidBrush(records, 0x0000FF);
    record(records, 0x012D, { 1 });
    record(records, 0x041B, { 100, 200, 0, 100 });
    record(records, 0x0000, {}); // META_EOF

    Words header { 1, 9, 0x0300 };
    const quint32 total = quint32(9 + records.size());
    header.push_back(quint16(total & 0xFFFF));
    header.push_back(quint16(total >> 16));
    header.push_back(2); // objects
    header.push_back(8); // the largest record, in words
    header.push_back(0);
    header.push_back(0);

    Words placeable { 0xCDD7, 0x9AC6, 0, 0, 0, 200, 100, 96, 0, 0 };
    quint16 checksum = 0;
    for (const quint16 word : placeable)
        checksum ^= word;
    placeable.push_back(checksum);

    QByteArray data;
    for (const Words* part : { &placeable, &header, &records }) {
        for (const quint16 word : *part) {
            char bytes[2];
            qToLittleEndian(word, bytes);
            data.append(bytes, 2);
        }
    }
    return data;
}

bool writeRedBlueMetafile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(redBlueMetafile()) > 0;
}

} // namespace orvtest

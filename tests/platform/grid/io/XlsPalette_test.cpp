#include "platform/grid/io/XlsPalette.h"

#include <gtest/gtest.h>
#include <QSet>
#include <QtEndian>

using namespace platform::grid::io;

namespace
{

QRgb paletteColor(const BiffWriter& out, quint16 index)
{
    const char* entry = out.data().constData() + 4 + 2 + (index - XlsPalette::kFirstIndex) * 4;
    return qRgb(quint8(entry[0]), quint8(entry[1]), quint8(entry[2]));
}

} // namespace

TEST(XlsPalette, StandardColorsKeepTheirPlacesAndOthersGetExactEntriesWhileThereIsRoom)
{
    XlsPalette palette;
    QList<QRgb> colors;
    for (int i = 0; i < 40; ++i)
        colors.append(qRgb(10 + i, 200 - i, 77));
    for (QRgb color : colors)
        palette.use(color);
    const std::pair<QRgb, int> standard[] = { { qRgb(0, 0, 0), 8 }, { qRgb(255, 255, 255), 9 },
        { qRgb(255, 0, 0), 10 }, { qRgb(0xC0, 0xC0, 0xC0), 22 } };
    for (const auto& [color, index] : standard)
        palette.use(color);
    palette.assign();
    for (const auto& [color, index] : standard)
        EXPECT_EQ(palette.index(color), index);

    BiffWriter out;
    palette.write(out);
    ASSERT_EQ(out.data().size(), 4 + 2 + 56 * 4);
    QSet<quint16> indices;
    for (QRgb color : colors) {
        const quint16 index = palette.index(color);
        EXPECT_GE(index, 8);
        EXPECT_LE(index, 63);
        EXPECT_EQ(paletteColor(out, index), color);
        indices.insert(index);
    }
    EXPECT_EQ(indices.size(), colors.size());
}

TEST(XlsPalette, ColorsBeyondTheRoomTakeTheNearestEntry)
{
    XlsPalette palette;
    auto spread = [](int i) { return qRgb(4 * i, 255 - 4 * i, (i % 7) * 30); };
    for (int i = 0; i < 56; ++i)
        palette.use(spread(i));
    for (int i = 0; i < 14; ++i) // a shade off one of the colours that got an entry
        palette.use(spread(i * 4) ^ 0x010101);
    palette.assign();
    BiffWriter out;
    palette.write(out);
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(paletteColor(out, palette.index(spread(i * 4) ^ 0x010101)), spread(i * 4)) << i;
}

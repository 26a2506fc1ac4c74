#include "XlsPalette.h"

#include <algorithm>
#include <limits>

namespace platform::grid::io
{

namespace
{

// The spreadsheet's standard colours in palette order.
constexpr std::array<QRgb, XlsPalette::kColorCount> kStandardColors = {
    0x000000,
    0xFFFFFF,
    0xFF0000,
    0x00FF00,
    0x0000FF,
    0xFFFF00,
    0xFF00FF,
    0x00FFFF, //
    0x800000,
    0x008000,
    0x000080,
    0x808000,
    0x800080,
    0x008080,
    0xC0C0C0,
    0x808080, //
    0x9999FF,
    0x993366,
    0xFFFFCC,
    0xCCFFFF,
    0x660066,
    0xFF8080,
    0x0066CC,
    0xCCCCFF, //
    0x000080,
    0xFF00FF,
    0xFFFF00,
    0x00FFFF,
    0x800080,
    0x800000,
    0x008080,
    0x0000FF, //
    0x00CCFF,
    0xCCFFFF,
    0xCCFFCC,
    0xFFFF99,
    0x99CCFF,
    0xFF99CC,
    0xCC99FF,
    0xFFCC99, //
    0x3366FF,
    0x33CCCC,
    0x99CC00,
    0xFFCC00,
    0xFF9900,
    0xFF6600,
    0x666699,
    0x969696, //
    0x003366,
    0x339966,
    0x003300,
    0x333300,
    0x993300,
    0x993366,
    0x333399,
    0x333333,
};

QRgb rgbOnly(QRgb color)
{
    return color & 0xFFFFFF;
}

int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

} // namespace

void XlsPalette::use(QRgb color)
{
    color = rgbOnly(color);
    if (!used_.contains(color))
        used_.append(color);
}

void XlsPalette::assign()
{
    colors_ = kStandardColors;
    indexOf_.clear();
    std::array<bool, kColorCount> taken {};
    QList<QRgb> missing;
    for (QRgb color : used_) {
        const auto it = std::find(colors_.begin(), colors_.end(), color);
        if (it == colors_.end()) {
            missing.append(color);
            continue;
        }
        const int slot = int(it - colors_.begin());
        taken[slot] = true;
        indexOf_.insert(color, quint16(kFirstIndex + slot));
    }
    // Replace standard colours from the end of the palette, where the rarely used ones lie.
    int slot = kColorCount - 1;
    for (QRgb color : missing) {
        while (slot >= 0 && taken[slot])
            --slot;
        if (slot < 0)
            break;
        colors_[slot] = color;
        taken[slot] = true;
        indexOf_.insert(color, quint16(kFirstIndex + slot));
    }
}

quint16 XlsPalette::index(QRgb color) const
{
    color = rgbOnly(color);
    const auto it = indexOf_.constFind(color);
    if (it != indexOf_.constEnd())
        return it.value();
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < kColorCount; ++i) {
        const int d = distance(colors_[i], color);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return quint16(kFirstIndex + best);
}

void XlsPalette::write(BiffWriter& out) const
{
    out.begin(biff::Palette);
    out.u16(kColorCount);
    for (QRgb color : colors_) {
        out.u8(quint8(qRed(color)));
        out.u8(quint8(qGreen(color)));
        out.u8(quint8(qBlue(color)));
        out.u8(0);
    }
    out.end();
}

} // namespace platform::grid::io

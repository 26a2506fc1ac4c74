#pragma once

#include "BiffWriter.h"

#include <array>
#include <QHash>
#include <QList>
#include <QRgb>

namespace platform::grid::io
{

// The workbook's 56 colours (indices 8 to 63). Colours are collected first; those that the standard
// palette lacks take the places of standard colours nobody uses, and once no place is left a colour
// gets its nearest neighbour.
class XlsPalette
{
public:
    static constexpr int kFirstIndex = 8;
    static constexpr int kColorCount = 56;

    void use(QRgb color);
    void assign(); // after every use(), before index()
    quint16 index(QRgb color) const;
    void write(BiffWriter& out) const; // the PALETTE record

private:
    QList<QRgb> used_;
    QHash<QRgb, quint16> indexOf_;
    std::array<QRgb, kColorCount> colors_ {};
};

} // namespace platform::grid::io

#pragma once

#include "CellFormat.h"
#include <unordered_map>
#include <vector>

namespace platform::grid::internal
{

struct CellFormatHash {
    size_t operator()(const CellFormat& format) const;
};

// Every distinct cell format of a sheet, stored once; a cell keeps the small id of its format.
// Formats in the pool are fully set (the inner border sides hold no line and the merge flag is
// off: both belong to ranges, not to one cell). Id 0 is the look of a cell nobody formatted.
class StylePool
{
public:
    StylePool();
    // A copy interns formats of its own from then on: it takes a serial of its own.
    StylePool(const StylePool& other);
    StylePool& operator=(const StylePool& other);

    static CellFormat defaultFormat();

    // A number that no other pool of the process has: an id and this serial name one format for good,
    // since a pool only ever adds formats.
    quint64 serial() const { return serial_; }

    quint32 intern(const CellFormat& fullFormat);
    // The same, taking `likelyId` without a lookup when it holds the format (a report pastes one page
    // layout onto every page: comparing with the format its id held last time is quicker than hashing).
    quint32 intern(const CellFormat& fullFormat, quint32 likelyId);
    const CellFormat& format(quint32 id) const { return formats_[id]; }
    int size() const { return int(formats_.size()); }

    // The id of style `id` with the set properties of `changes` laid over it. Colours drop their
    // alpha byte; font sizes are kept between kMinFontSize and kMaxFontSize.
    quint32 withChanges(quint32 id, const CellFormat& changes);

private:
    static quint64 nextSerial();

    quint64 serial_ = nextSerial();
    std::vector<CellFormat> formats_;
    std::unordered_map<CellFormat, quint32, CellFormatHash> ids_;
};

constexpr double kMinFontSize = 1;
constexpr double kMaxFontSize = 409;

} // namespace platform::grid::internal

#pragma once

#include "../GridTypes.h"
#include <optional>
#include <QString>

namespace platform::grid::formula
{

// One corner of a reference as written in a formula: "B3", "$B$3", "$B3", "B$3".
struct CellReference {
    int row = 1;
    int col = 1;
    bool rowAbsolute = false;
    bool colAbsolute = false;

    // A reference moved before row or column 1 or past the largest sheet no longer exists (#REF!).
    bool isOnSheet() const { return row >= 1 && row <= kMaxSheetRows && col >= 1 && col <= kMaxSheetCols; }
    QString text() const;
    // "A1", "$a$1", ...; nullopt for anything else, including cells beyond the sheet.
    static std::optional<CellReference> parse(QStringView text);
    bool operator==(const CellReference&) const = default;
};

QString columnLetters(int col); // 1 -> "A", 27 -> "AA"

} // namespace platform::grid::formula

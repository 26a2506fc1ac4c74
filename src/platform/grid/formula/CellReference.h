#pragma once

#include "Formula.h"
#include <QString>
#include <optional>

namespace platform::grid::formula {

// One corner of a reference as written in a formula: "B3", "$B$3", "$B3", "B$3".
struct CellReference {
    int row = 1;
    int col = 1;
    bool rowAbsolute = false;
    bool colAbsolute = false;

    bool isOnSheet() const { return row >= 1 && row <= kMaxReferenceRow && col >= 1 && col <= kMaxReferenceCol; }
    QString text() const;
    // "A1", "$a$1", ...; nullopt for anything else, including cells beyond the sheet.
    static std::optional<CellReference> parse(QStringView text);
    bool operator==(const CellReference&) const = default;
};

QString columnLetters(int col); // 1 -> "A", 27 -> "AA"

} // namespace platform::grid::formula

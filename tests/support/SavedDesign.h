#pragma once

#include "platform/grid/Sheet.h"

#include <QString>

namespace orvtest
{

// A data report of group wsda as the designer saves it: a title row, a detail band of two cells and a
// tail row on rows 1 to 4, columns 2 and 3. Two variants differ in the title, the column widths and
// the title's row height, so that rows of both in one stored report show as a mix. Sets the report
// state of `reportId` and returns the design grid.
constexpr int SavedDesignLastRow = 4;
constexpr int SavedDesignLastCol = 3;
platform::grid::Sheet savedDesign(const QString& reportId, int variant);

// Saves the design of that variant as the designer does; false (and the reason in `failure`) when the
// save was refused.
bool saveDesign(const QString& reportId, int variant, QString* failure = nullptr);

} // namespace orvtest

#pragma once

#include "FormatCode.h"
#include <QDateTime>
#include <QString>

namespace platform::grid
{

// Shows a serial date-time number (days since 1899-12-30, the fraction being the time of day) with a
// section of date and time codes. Values outside 0 to 9999-12-31 show as "#" signs, as spreadsheets do.
QString formatDateTime(const FormatSection& section, double serial);

// The serial number of a date and time, as a date format expects it in a cell.
double serialOf(const QDateTime& moment);

} // namespace platform::grid

#pragma once

#include "FormatCode.h"
#include <QDateTime>
#include <QString>

namespace platform::grid
{

// Shows a serial date-time number (days since 1899-12-30, the fraction being the time of day) with a
// section of date and time codes. Values outside 0 to 9999-12-31 show as "#" signs, as spreadsheets do.
QString formatDateTime(const FormatSection& section, double serial);
// The same for a date and time given as such, also one before 1899-12-30, which no serial number holds.
QString formatDateTime(const FormatSection& section, const QDateTime& moment);

// The first day that a workbook's 1900 date system numbers (its serial 1; the sheet's serial 1 is the day
// before). A spreadsheet keeps an earlier date as the date's text.
inline const QDate FirstNumberedDay { 1900, 1, 1 };

// The serial number of a date and time, as a date format expects it in a cell.
double serialOf(const QDateTime& moment);

} // namespace platform::grid

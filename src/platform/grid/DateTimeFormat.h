#pragma once

#include "FormatCode.h"
#include <optional>
#include <QDateTime>
#include <QString>

namespace platform::grid
{

// Shows a serial date-time number (days since 1899-12-30, the fraction being the time of day) with a
// section of date and time codes. Values outside 0 to 9999-12-31 show as "#" signs, as spreadsheets do.
QString formatDateTime(const FormatSection& section, double serial);
// The same for a date and time given as such, also one before 1899-12-30, which no serial number holds,
// and one of any year: a year before 1 with its sign ("-0001"), or with `beforeChrist` without it and
// the era " BC" after the text, as PostgreSQL writes it; a year beyond 9999 with all its digits.
QString formatDateTime(const FormatSection& section, const QDateTime& moment, bool beforeChrist = false);

// A date (and time) as a database writes one that no date format reads: a year of five digits or more
// ("10000-01-01") or an era ("4713-01-01 BC", "0044-03-15 12:30:00 BC"; the year counted as QDate
// counts it, 4713 BC as -4713). None for any other text.
struct WrittenDate {
    QDateTime moment;
    bool beforeChrist = false;
};
std::optional<WrittenDate> readDateBeyondYears(QStringView text);

// The first day that every spreadsheet program numbers alike as a date: the workbook's 1900 date system
// counts a 29 February 1900 that never was (its serial 60), which some programs leave out, so that they
// show its serials 1 to 59 a day early. A spreadsheet keeps an earlier date as the date's text.
inline const QDate FirstDayNumberedAlike { 1900, 3, 1 };

// The serial number of a date and time, as a date format expects it in a cell.
double serialOf(const QDateTime& moment);

} // namespace platform::grid

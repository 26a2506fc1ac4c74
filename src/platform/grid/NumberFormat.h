#pragma once

#include "GridTypes.h"
#include <QDateTime>
#include <QString>

namespace platform::grid
{

// Renders a value with a spreadsheet number-format code as a spreadsheet shows it: "General", "0",
// "0.00", "#,##0.00", "0%", "0.00%", "@", dates and times such as "yyyy-mm-dd",
// "yyyy\"年\"m\"月\"d\"日\"", "hh:mm", sections separated by ";" and literal texts in quotes.
// Dates are serial day numbers counted from 1899-12-30, as spreadsheets count them.
QString formatCellValue(const CellValue& value, const QString& formatCode);

// A date and time shown with a format code as formatCellValue shows its serial number, also a date
// before 1899-12-30, whose serial number a date format shows as "#" signs: the code's first section
// shows it.
QString formatDate(const QDateTime& moment, const QString& formatCode);

// Whether a format code shows a day: a year, month, day or weekday in its first section.
bool showsDays(const QString& formatCode);

// The number a workbook in the 1900 date system holds for a cell's number under the format code that
// `formatCode()` gives (asked only for the few numbers it may change). That system counts a 29 February
// 1900 that never was, so it numbers the days 1900-01-01 to 1900-02-28 one lower than the days since
// 1899-12-30 that a sheet counts; from 1900-03-01 on both count alike.
template <class FormatOf> double workbookNumber(double number, FormatOf&& formatCode)
{
    const bool beforeMarch1900 = number >= 2 && number < 61;
    return beforeMarch1900 && showsDays(formatCode()) ? number - 1 : number;
}

// Reads a typed entry as a number when it is one ("12", "-3.5", "1,234.5", "12%", "1e3").
bool parseNumberEntry(const QString& entry, double* number);

// Texts of error and logical values, and numbers in the General format.
QString generalText(double number);

// A number as a user would type it again without losing digits: up to 15 significant digits, no
// grouping ("1234.56789012", "0.333333333333333", "1E+20"). Formulas join numbers to texts in this
// form, and a cell's entry should show it, since General shows only what fits a column.
QString entryText(double number);
// Any value in that form: texts as they are, "TRUE"/"FALSE", error codes, "" for nothing.
QString entryText(const CellValue& value);

} // namespace platform::grid

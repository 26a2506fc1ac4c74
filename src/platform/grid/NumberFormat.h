#pragma once

#include "GridTypes.h"
#include <QString>

namespace platform::grid {

// Renders a value with a spreadsheet number-format code as a spreadsheet shows it: "General", "0",
// "0.00", "#,##0.00", "0%", "0.00%", "@", dates and times such as "yyyy-mm-dd",
// "yyyy\"年\"m\"月\"d\"日\"", "hh:mm", sections separated by ";" and literal texts in quotes.
// Dates are serial day numbers counted from 1899-12-30, as spreadsheets count them.
QString formatCellValue(const CellValue& value, const QString& formatCode);

// Reads a typed entry as a number when it is one ("12", "-3.5", "1,234.5", "12%", "1e3").
bool parseNumberEntry(const QString& entry, double* number);

// Texts of error and logical values, and numbers in the General format.
QString generalText(double number);

} // namespace platform::grid

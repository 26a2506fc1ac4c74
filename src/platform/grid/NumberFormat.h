#pragma once

#include "GridTypes.h"
#include <QString>

namespace platform::grid
{

// Renders a value with a spreadsheet number-format code as a spreadsheet shows it: "General", "0",
// "0.00", "#,##0.00", "0%", "0.00%", "@", dates and times such as "yyyy-mm-dd",
// "yyyy\"年\"m\"月\"d\"日\"", "hh:mm", sections separated by ";" and literal texts in quotes.
// Dates are serial day numbers counted from 1899-12-30, as spreadsheets count them.
QString formatCellValue(const CellValue& value, const QString& formatCode);

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

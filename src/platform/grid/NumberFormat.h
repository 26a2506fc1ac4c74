#pragma once

#include "GridTypes.h"
#include <optional>
#include <QDateTime>
#include <QString>

namespace platform::grid
{

// Renders a value with a spreadsheet number-format code as a spreadsheet shows it: "General", "0",
// "0.00", "#,##0.00", "0%", "0.00%", "@", dates and times such as "yyyy-mm-dd",
// "yyyy\"年\"m\"月\"d\"日\"", "hh:mm", sections separated by ";" and literal texts in quotes.
// Dates are serial day numbers counted from 1899-12-30, as spreadsheets count them. A number written
// as text (`written` other than AsNumber) shows the characters it was written with under the General
// format and the text format "@"; any other format formats the number.
QString formatCellValue(
    const CellValue& value, const QString& formatCode, NumberWritten written = NumberWritten::AsNumber);

// The characters a number was written with: its digits as a database shows them (AsDigits), or as typed
// (AsTyped, and for a number written as a number the form in which it would be typed again: entryText).
QString writtenText(double number, NumberWritten written);
// How a text that reads as `number` writes it: AsDigits or AsTyped when the text is that form of the
// number, AsNumber for any other text of it ("1,234", "12%", "0012", " 12").
NumberWritten numberWrittenAs(QStringView text, double number);

// Whether a format code is the text format ("@", stored as "\@").
bool isTextFormat(QStringView formatCode);
// Whether a format code is the General format ("General" in any case, "G/通用格式", or none).
bool isGeneralFormat(QStringView formatCode);
// Whether a number written so shows the characters it was written with under the format code: under
// General and "@", which format no number of the designer's.
bool showsWrittenCharacters(QStringView formatCode, NumberWritten written);
// Whether a format code's first section shows a date or a time.
bool isDateTimeFormat(const QString& formatCode);

// A date and time shown with a format code as formatCellValue shows its serial number, also a date
// before 1899-12-30, whose serial number a date format shows as "#" signs, and one of a year before 1 or
// beyond 9999: the code's first section shows it (a year before 1 with its sign, "-0001", or with
// `beforeChrist` as its number with " BC" after the text, as PostgreSQL writes it).
QString formatDate(const QDateTime& moment, const QString& formatCode, bool beforeChrist = false);
// A date as a database writes one that no date format reads (readDateBeyondYears: "10000-01-01",
// "4713-01-01 BC"), shown with the format code as formatDate shows it; none for any other text.
std::optional<QString> formatDateBeyondYears(QStringView text, const QString& formatCode);

// Whether a format code shows a day: a year, month, day or weekday in its first section.
bool showsDays(const QString& formatCode);

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

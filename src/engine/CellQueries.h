#pragma once

#include <functional>
#include <QString>

// Single values of the statements in value cells (letters "J" and "L", and "G" of statistics reports).
namespace engine
{

struct DataReportRun;

// The first column of the first row of `sql` as text. A text beginning with "&" is a report parameter
// and gives its value (single quotes removed). The report parameters in the statement are put in first.
// A NULL gives "" ("0" for a statement holding "sum("). Never throws: a failing statement is logged under
// "GetSQLValue" with the statement, and gives "".
QString GetSQLValue(const QString& sql);

// GetSQLValue of a statement that does not depend on the record: the first call of a build runs it,
// later calls with the same final text (report parameters put in) give that value again.
QString RecordFreeSqlValue(DataReportRun& run, const QString& sql);

// Rounds half up (towards plus infinity) to `digits` decimals: 2.5 gives 3, -2.5 gives -2.
double RoundValue(double value, int digits);

// A statement rewritten to read from the report's tables (TablesName) under its own condition and the
// host's filter (SelectWhere), each kept whole in parentheses: "select sum(n) from x where k=1" with the
// filter "y=2 or z=3" reads "select sum(n)  from t1,t2 where (k=1) and (y=2 or z=3) ". A statement
// without " from " is returned unchanged.
QString WithReportConditions(const DataReportRun& run, const QString& sql);

// "first/second": the values of the two statements divided, rounded to 6 decimals, as plain text.
// `valueOf` gives the value text of one statement. An empty or non-numeric part throws platform::Error
// (errors::TypeMismatch), a divisor of 0 errors::DivisionByZero; the description names the statement.
QString SqlRatioText(const QString& text, const std::function<QString(const QString&)>& valueOf);

} // namespace engine

#pragma once

// Whole numbers of the page layout as the stored reports expect them: a fraction goes to the nearest
// whole number, halves to the even one, and a result outside its width is an overflow error
// (platform::Error errors::Overflow) rather than a silently wrapped size.
namespace engine
{

// Sizes in twips, rows, columns and records per page.
int roundInt16(double value);
int fitInt16(long long value);
// Totals of twips, records and pages.
int roundInt32(double value);
int fitInt32(long long value);

// a \ b, truncating toward zero; a divisor of 0 is errors::DivisionByZero.
long long wholeQuotient(long long a, long long b);
// a / b in double precision; a divisor of 0 is errors::DivisionByZero.
double ratio(double a, double b);

} // namespace engine

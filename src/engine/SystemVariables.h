#pragma once

#include <functional>
#include <optional>
#include <QString>

// The "%" system variables of cell texts: "%" and one case-sensitive letter.
//   %p  page number              %P  page count (of the report, or of the group under PAGE_RECOUNT)
//   %d  date "2024-01-31"        %D  date "2024年01月31日"
//   %t  time "14:02"             %T  time "14时02分"
//   %N  record number            %i  company name        %I  fonds name
// The company and fonds names are settings of the component (OrvReport.ini, section "ReportText", keys
// "CompanyName" and "FondsName"); without them the company name is "世纪澄渊公司" and the fonds name empty.
// Any other letter, and a "%" that ends the text, give the empty text.
namespace engine
{

struct DataReportRun;

inline constexpr const char* SystemTextSection = "ReportText";
inline constexpr const char* CompanyNameKey = "CompanyName";
inline constexpr const char* FondsNameKey = "FondsName";
inline constexpr const char* DefaultCompanyName = "世纪澄渊公司";

// The one scanner of the variables: the text with every "%" and the letter after it replaced by
// `valueOf(letter)` (a "%" that ends the text by nothing), in one pass from left to right, so that no
// replacement is scanned again.
QString ExpandSysVariables(const QString& text, const std::function<QString(QChar letter)>& valueOf);

// The value of one variable, reading the page and record counters of the run.
QString SysVariableValue(const DataReportRun& run, QChar letter);

// The number a counter's letter stands for (the page number, the page count, the record number); none for
// any other letter.
std::optional<long long> SysVariableCount(const DataReportRun& run, QChar letter);

// The value of a variable that needs no run (the date, the time, the company and fonds names); the
// counters' letters and unknown letters give "".
QString RunFreeSysVariableValue(QChar letter);

// Every variable replaced by SysVariableValue.
QString ReplaceSysVariable(const DataReportRun& run, const QString& text);

} // namespace engine

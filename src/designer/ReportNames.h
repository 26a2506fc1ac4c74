#pragma once

#include "platform/ui/Refusal.h"

#include <optional>
#include <QString>
#include <QStringList>

// The report-level operations of the designer: deleting and renaming the current report, the checks of
// a report name, and the list of reports that can be opened. A report name takes at most 50 bytes in
// GBK (a Chinese character counts two), holds no single quote and is unique within its report group;
// names compare as the database compares texts (without regard to letter case).
namespace designer
{

// Removes the current report from report_index, report_info, report_format and report_data in one
// transaction. A failure is rolled back first and then told ("由于不可预知的原因,删除报表出错,请与程序供应商
// 联系!"); nothing is done without a current report. True when the report was deleted.
bool DeleteReport();

// Gives the current report the new name in report_index, in one transaction; a failure is rolled back
// and then told ("程序出错,请与程序供应商联系!"). True when renamed.
bool RenameReport(const QString& newName);

// True when the name takes more than 50 bytes in GBK.
bool IsNameTooLong(const QString& name);

// Why a name may not be used by the current report, checked against the name itself and the current
// report's own name; none when it may. The other reports of the group are checked by ReportNameExists.
std::optional<QString> CheckReportName(const QString& name);

// True when a report of the current group bears the name.
bool ReportNameExists(const QString& name);

// The two name dialogs word their refusals a little differently.
enum class NameDialog { NewReport, Rename };

// The control a refused name sends the focus back to.
enum class NameControl { NameBox };

// Checks a trimmed name in the dialogs' order: empty, too long, CheckReportName, used in the group; a
// refusal of CheckReportName leaves the focus where it is, the others send it back to the name box.
std::optional<platform::ui::Refusal<NameControl>> ValidateReportName(NameDialog dialog, const QString& name);

// The names of the current group's reports of the current report type, in the database's order; a
// report without a name cannot be opened by name and is left out.
QStringList ReportNamesOfGroup();

// The name of the current report as stored ("" without a row or a name).
QString StoredReportName();

} // namespace designer

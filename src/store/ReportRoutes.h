#pragma once

// The roads of the print members. PrintReport and PreviewPrint first prepare the paired list of its two
// fixed reports, then follow the report's template note: a ".rpt" template goes to the report printer,
// a ".doc" template to Word, the report "全引目录2" to the outside report component, and every other
// report, once the printers have been checked, to the print-progress window (PrintReport) or the print
// window (PreviewPrint). Work rows of a paired list are deleted when the member ends, whatever its road.
namespace store
{

// Errors before the printer check reach the caller; errors of the window are ignored.
void PrintReport();
// Errors are ignored and a failing step is skipped; only a failing template road (a missing outside
// report component, for instance) is told in a box.
void PreviewPrint();
// Previews the report's blank form after the printer check.
void PreviewBlankPage();
// Builds and exports the report without showing anything: messages go to the state's ErrorMessage and
// the file's path to WebReportPath, both cleared first. The silent mode ends with the member.
void WebPrint();

} // namespace store

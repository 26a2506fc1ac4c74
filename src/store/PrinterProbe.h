#pragma once

namespace store
{

// The members that check the printers before they build a report; each has its own messages.
enum class ProbeMember { PrintReport, PreviewPrint, PreviewBlankPage, WebPrint };

// Checks that a printer is installed and that the default printer answers with an orientation.
// On failure it tells the user (a box titled "提示信息"; for WebPrint the text goes into the state's
// ErrorMessage instead) and returns false. A printer error (482) counts as a faulty printer; any other
// error ends PrintReport, PreviewPrint and WebPrint silently, while PreviewBlankPage names the check
// that failed.
bool ProbePrinter(ProbeMember member);

} // namespace store

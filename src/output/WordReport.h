#pragma once

#include <QString>

// Word template reports: a report whose template note names a word-processor document is not built on
// the grid; the document is filled with the report's records, one copy of the template per group of
// records, copies separated by page breaks, and the filled document is opened for the user.
namespace output
{

// What the run tells its window while it works.
class WordReportProgress
{
public:
    virtual ~WordReportProgress() = default;
    virtual void showStatus(const QString& text) = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual void setValue(int value) = 0;
};

// The title of the Word road's messages.
inline const QString WordReportTitle = QStringLiteral("提示");

// The whole run for the template `templateName` (a .docx or .doc file in the component's folder).
// Returns the path of the filled document, or "" when the run ended with a message. Nothing is left
// behind by a run that fails: the converted template and the unfinished document are removed.
QString CreateWordReport(const QString& templateName, WordReportProgress& progress);

// The folder the filled documents are written to and handed to the desktop opener from: the user's
// own (platform::outside::handOverFolder), only its owner can enter it, and each document in it is
// readable by its owner only. Throws platform::Error naming a temporary folder that cannot hold it.
QString WordReportFolder();

} // namespace output

#pragma once

#include <QString>

class QProgressBar;

namespace platform::grid
{
class Sheet;
}

// The file that the unattended web export hands to the host: the built report as an Excel workbook.
namespace output
{

// The setting that names the web export folder (section "PrintSetup").
inline const QString WebExportFolderKey = QStringLiteral("WebExportFolder");

// Where web exports go: $ORV_WEB_EXPORT_DIR, else the setting "PrintSetup"/"WebExportFolder", else the
// folder "retportTemp" in the system's temporary folder. A folder named so is used as it is set up; the
// default one is the user's own (a PrivateFolder, rights 0700) and its workbooks are readable by their
// owner only (0600). When "retportTemp" cannot be the user's own (another account's folder, a link or a
// file), the exports go into "retportTemp-<uid>" beside it, checked alike.
QString webExportFolder();

class ReportOutput;

// Pages built for the workbook at a time: the working sheet holds one batch, whatever the report's size.
constexpr int WebExportBatchPages = 500;

// Builds the whole report batch by batch in the working sheet and writes the batches one below the
// other into one Excel workbook named by a new id (the id and ".XLS") in the web export folder, which
// is made when it is missing; returns the file's path, or "" when the report has no data (the engine
// has said so) and nothing is written. Once its last page is built, the report releases its data and
// the working sheet is left without cells. Throws platform::Error (errors::FileError) when the folder
// cannot be made, neither default folder can be the user's own, or the file cannot be
// written, leaving no file; a failed build, or one that makes no page before the data ends, throws as
// it fails.
QString WriteWebExport(ReportOutput& report, platform::grid::Sheet& working, QProgressBar& progress);

} // namespace output

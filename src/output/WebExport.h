#pragma once

#include <QString>

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
// folder "retportTemp" in the system's temporary folder.
QString webExportFolder();

// Writes the sheet as an Excel workbook named by a new id (the id and ".XLS") in the web export folder,
// creating the folder when it is missing, and returns the file's path. Throws platform::Error
// (errors::FileError) when the folder cannot be made or the file cannot be written.
QString WriteWebExport(const platform::grid::Sheet& sheet);

} // namespace output

#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <QFileDevice>
#include <QString>

namespace platform::grid
{
class Sheet;
}

namespace platform::grid::io
{

// The formats a sheet is written in, numbered as the report's stored export settings number them.
enum class FileType { Vts = 12, Xls = 11, Html = 9, Text = 3 };

// The type that a file name's extension names, case-insensitively: ".vts", ".xls", ".htm" or
// ".html", ".txt". Nothing for another or a missing extension; exporting callers then use Vts.
std::optional<FileType> fileTypeForExtension(const QString& path);

// Writes the sheet to the file in the given format. The file is written under a temporary name in
// the same folder and takes the final name only when every byte of it is on the disk, so a failure
// (a full disk among them) never leaves half a file, nor takes the place of an older one. Throws
// platform::Error (FileError) when the file cannot be written.
void writeSheet(const Sheet& sheet, const QString& path, FileType type);

// The same for any content: `write` writes it to the device it is given; a FileError it throws
// (DeviceWrite.h) names the file in its message.
void writeFile(const QString& path, const std::function<void(QIODevice&)>& write);

// The same into a file the caller has opened for writing and names `path`: `write` writes, and the
// last bytes are flushed and kept on the disk; whether the file takes its name is the caller's.
void writeInto(QFileDevice& file, const QString& path, const std::function<void(QIODevice&)>& write);

// Reads a sheet written as FileType::Vts. Throws platform::Error (FileError) when the file cannot
// be read, is not a sheet file, is damaged, or was written by a newer version.
Sheet readVts(const QString& path);

} // namespace platform::grid::io

#pragma once

#include <functional>
#include <QString>

struct zip;

namespace platform::outside
{

class PrivateFolder;

// Writes a new zip archive named `name` into a private folder as a whole or not at all: `addParts` adds
// the parts to the empty archive it is given (false when one cannot be added), and libzip writes them
// into a PrivateFile, so that no byte of it is written beside the folder's descriptor or readable by
// anyone else. Throws platform::Error (FileError) naming the file, with the system's reason when a
// write failed (a full disk: "No space left on device").
void writePrivateArchive(
    const PrivateFolder& folder, const QString& name, const std::function<bool(zip* archive)>& addParts);

} // namespace platform::outside

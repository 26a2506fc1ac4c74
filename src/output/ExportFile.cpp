#include "output/ExportFile.h"

namespace output
{

platform::grid::io::FileType exportTypeFor(const QString& path)
{
    return platform::grid::io::fileTypeForExtension(path).value_or(platform::grid::io::FileType::Vts);
}

} // namespace output

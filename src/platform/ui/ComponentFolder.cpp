#include "platform/ui/ComponentFolder.h"

#include <dlfcn.h>
#include <QFileInfo>

namespace platform::ui
{

QString componentLibraryPath()
{
    Dl_info info {};
    if (dladdr(reinterpret_cast<const void*>(&componentLibraryPath), &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).canonicalFilePath();
}

QString componentFolder()
{
    return QFileInfo(componentLibraryPath()).absolutePath();
}

} // namespace platform::ui

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

namespace
{
QString& folderOverride()
{
    static QString folder;
    return folder;
}
} // namespace

QString componentFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QFileInfo(componentLibraryPath()).absolutePath();
}

void setComponentFolder(const QString& folder)
{
    folderOverride() = folder;
}

} // namespace platform::ui

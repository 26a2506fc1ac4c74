#include "platform/ui/ComponentFolder.h"

#include <dlfcn.h>
#include <link.h>
#include <QFileInfo>

namespace platform::ui
{

QString componentLibraryPath()
{
    Dl_info info {};
    link_map* loaded = nullptr;
    if (dladdr1(reinterpret_cast<const void*>(&componentLibraryPath), &info,
            reinterpret_cast<void**>(&loaded), RTLD_DL_LINKMAP)
            == 0
        || !loaded)
        return {};
    // The program itself is the one loaded object without a name: the component is built into it.
    const bool inProgram = !loaded->l_name || loaded->l_name[0] == '\0';
    return QFileInfo(inProgram ? QStringLiteral("/proc/self/exe") : QString::fromLocal8Bit(loaded->l_name))
        .canonicalFilePath();
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

#include "output/WindowHelp.h"

#include "platform/ui/ComponentFolder.h"
#include "platform/ui/HelpTopic.h"

#include <QDir>

namespace output
{

void ShowWindowHelp(const QString& topic)
{
    const QString folder = QDir::toNativeSeparators(platform::ui::componentFolder());
    const QString missing = QStringLiteral("帮助文件 ") + folder + QStringLiteral("/onlinehelp.chm 不存在")
        + QLatin1Char('\n') + QStringLiteral("请将 onlinehelp.chm 文件拷贝到 ") + folder
        + QStringLiteral(" 路径下。");
    platform::ui::openHelpTopic(topic, missing);
}

} // namespace output

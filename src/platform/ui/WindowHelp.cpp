#include "platform/ui/WindowHelp.h"

#include "platform/ui/HelpTopic.h"

#include <QDir>
#include <QFileInfo>

namespace platform::ui
{

void ShowWindowHelp(const QString& topic)
{
    const QFileInfo page(helpTopicPath(topic));
    const QString missing = QStringLiteral("帮助文件 ") + QDir::toNativeSeparators(page.filePath())
        + QStringLiteral(" 不存在") + QLatin1Char('\n') + QStringLiteral("请将 ") + page.fileName()
        + QStringLiteral(" 文件拷贝到 ") + QDir::toNativeSeparators(page.path())
        + QStringLiteral(" 路径下。");
    openHelpTopic(topic, missing);
}

} // namespace platform::ui

#include "output/WindowHelp.h"

#include "platform/ui/HelpTopic.h"
#include "store/UserNotice.h"

#include <QDir>
#include <QFileInfo>

namespace output
{

void ShowWindowHelp(const QString& topic)
{
    const QFileInfo page(platform::ui::helpTopicPath(topic));
    const QString missing = QStringLiteral("帮助文件 ") + QDir::toNativeSeparators(page.filePath())
        + QStringLiteral(" 不存在") + QLatin1Char('\n') + QStringLiteral("请将 ") + page.fileName()
        + QStringLiteral(" 文件拷贝到 ") + QDir::toNativeSeparators(page.path())
        + QStringLiteral(" 路径下。");
    OpenHelpPage(topic, missing);
}

void OpenHelpPage(const QString& topic, const QString& missingMessage)
{
    QString failure;
    if (!platform::ui::openHelpTopic(topic, missingMessage, &failure) && !failure.isEmpty())
        store::NoticeUser(failure, platform::ui::Icon::Information);
}

} // namespace output

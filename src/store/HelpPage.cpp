#include "store/HelpPage.h"

#include "platform/Error.h"
#include "platform/outside/DesktopOpen.h"
#include "platform/outside/FailureLog.h"
#include "platform/ui/HelpTopic.h"
#include "store/UserNotice.h"

namespace store
{

void OpenHelpPage(const QString& topic, const QString& missingTitle)
{
    if (!platform::ui::helpTopicPresent(topic, missingTitle))
        return;
    QString failure;
    if (platform::outside::openWithDesktop(platform::ui::helpTopicPath(topic), &failure))
        return;
    WarnUser(failure, platform::ui::Icon::Information);
    platform::outside::reportFailure(
        "OpenHelpPage", platform::Error(platform::errors::FileError, QStringLiteral("OrvReport"), failure));
}

} // namespace store

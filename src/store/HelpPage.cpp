#include "store/HelpPage.h"

#include "platform/outside/DesktopOpen.h"
#include "platform/ui/HelpTopic.h"
#include "store/UserNotice.h"

namespace store
{

void OpenHelpPage(const QString& topic, const QString& missingTitle)
{
    if (!platform::ui::helpTopicPresent(topic, missingTitle))
        return;
    QString failure;
    if (!platform::outside::openWithDesktop(platform::ui::helpTopicPath(topic), &failure))
        NoticeUser(failure, platform::ui::Icon::Information);
}

} // namespace store

#include "store/HelpPage.h"

#include "platform/ui/HelpTopic.h"
#include "store/UserNotice.h"

namespace store
{

void OpenHelpPage(const QString& topic, const QString& missingTitle)
{
    QString failure;
    if (!platform::ui::openHelpTopic(topic, missingTitle, &failure) && !failure.isEmpty())
        NoticeUser(failure, platform::ui::Icon::Information);
}

} // namespace store

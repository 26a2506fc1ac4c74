#include "platform/ui/HelpTopic.h"

#include "platform/ui/ComponentFolder.h"
#include "platform/ui/DesktopOpen.h"
#include "platform/ui/MessageBox.h"

#include <QDir>
#include <QFileInfo>

namespace platform::ui
{

QString helpTopicPath(const QString& topic)
{
    QString file = topic;
    if (!file.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive)
        && !file.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
        file += QStringLiteral(".htm");
    return QDir(componentFolder()).filePath(QStringLiteral("help/") + file);
}

bool openHelpTopic(const QString& topic, const QString& missingMessage, QString* openFailure)
{
    const QString path = helpTopicPath(topic);
    if (!QFileInfo::exists(path)) {
        msgBox(missingMessage, Buttons::Ok, Icon::Information);
        return false;
    }
    return openWithDesktop(path, openFailure);
}

} // namespace platform::ui

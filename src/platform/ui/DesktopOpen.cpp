#include "platform/ui/DesktopOpen.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/ScriptedUi.h"

#include <cstdio>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace platform::ui
{

bool openWithDesktop(const QString& path, QString* failure)
{
    const QUrl url = QUrl::fromLocalFile(path);
    if (ScriptedUi* script = ScriptedUi::active()) {
        script->recordOpenedUrl(url);
        return true;
    }
    if (!interactive()) {
        std::fprintf(stderr, "%s\n", QDir::toNativeSeparators(path).toLocal8Bit().constData());
        return true;
    }
    if (QDesktopServices::openUrl(url))
        return true;
    if (failure)
        *failure = QStringLiteral("无法打开 %1").arg(QDir::toNativeSeparators(path));
    return false;
}

} // namespace platform::ui

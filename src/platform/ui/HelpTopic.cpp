#include "platform/ui/HelpTopic.h"

#include "platform/ui/ComponentFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QShortcut>
#include <QWidget>

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

namespace
{

QString missingHelpText(const QString& topic)
{
    const QFileInfo page(helpTopicPath(topic));
    return QStringLiteral("帮助文件 ") + QDir::toNativeSeparators(page.filePath()) + QStringLiteral(" 不存在")
        + QLatin1Char('\n') + QStringLiteral("请将 ") + page.fileName() + QStringLiteral(" 文件拷贝到 ")
        + QDir::toNativeSeparators(page.path()) + QStringLiteral(" 路径下。");
}

} // namespace

bool helpTopicPresent(const QString& topic, const QString& missingTitle)
{
    if (QFileInfo::exists(helpTopicPath(topic)))
        return true;
    msgBox(missingHelpText(topic), Buttons::Ok, Icon::Information, missingTitle);
    return false;
}

void bindHelpKey(QWidget& window, std::function<void()> help)
{
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, &window, std::move(help));
}

} // namespace platform::ui

#include "output/TemplateFiles.h"

#include "platform/ui/ComponentFolder.h"

#include <QDir>

namespace output
{

QString TemplatePath(const QString& templateName)
{
    return QDir(platform::ui::componentFolder()).filePath(templateName.trimmed());
}

QString MissingTemplateText(const QString& templatePath)
{
    return QStringLiteral("找不到报表摸板") + QDir::toNativeSeparators(templatePath) + QStringLiteral("!");
}

} // namespace output

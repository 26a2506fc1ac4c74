#include "component/ComponentRegistry.h"

#include "platform/Error.h"
#include "platform/outside/SettingsObject.h"

#include <QDir>
#include <QSettings>

namespace component
{

namespace
{

const QString ClassIdGroup = QStringLiteral("CLSID");
const QString ProgIdGroup = QStringLiteral("ProgID");

// The child group of `parent` whose name equals `name` ignoring case, as COM compares class ids and
// ProgIDs; "" when there is none.
QString childGroup(QSettings& settings, const QString& parent, const QString& name)
{
    settings.beginGroup(parent);
    QString found;
    for (const QString& group : settings.childGroups()) {
        if (group.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            found = group;
    }
    settings.endGroup();
    return found;
}

void syncOrThrow(QSettings& settings)
{
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw platform::Error(platform::errors::FileError, QStringLiteral("DllRegisterServer"),
            QStringLiteral("无法写入组件注册文件 %1").arg(QDir::toNativeSeparators(settings.fileName())));
}

} // namespace

QString registryFilePath()
{
    return QDir(platform::outside::settingsFolder()).filePath(QStringLiteral("registry.ini"));
}

void registerClass(const QString& classId, const QString& progId, const QString& libraryPath)
{
    QDir().mkpath(platform::outside::settingsFolder());
    unregisterClass(classId, progId);
    QSettings settings(registryFilePath(), QSettings::IniFormat);
    const QString classGroup = ClassIdGroup + QLatin1Char('/') + classId;
    settings.setValue(classGroup + QStringLiteral("/ProgID"), progId);
    settings.setValue(classGroup + QStringLiteral("/InprocServer32"), libraryPath);
    settings.setValue(classGroup + QStringLiteral("/ThreadingModel"), QStringLiteral("Apartment"));
    settings.setValue(ProgIdGroup + QLatin1Char('/') + progId + QStringLiteral("/CLSID"), classId);
    syncOrThrow(settings);
}

void unregisterClass(const QString& classId, const QString& progId)
{
    QSettings settings(registryFilePath(), QSettings::IniFormat);
    for (const auto& [parent, name] :
        { std::pair { ClassIdGroup, classId }, std::pair { ProgIdGroup, progId } }) {
        const QString group = childGroup(settings, parent, name);
        if (!group.isEmpty())
            settings.remove(parent + QLatin1Char('/') + group);
    }
    syncOrThrow(settings);
}

QString registeredLibrary(const QString& classIdOrProgId)
{
    QSettings settings(registryFilePath(), QSettings::IniFormat);
    QString classId = childGroup(settings, ClassIdGroup, classIdOrProgId);
    if (classId.isEmpty()) {
        const QString progId = childGroup(settings, ProgIdGroup, classIdOrProgId);
        if (progId.isEmpty())
            return {};
        classId = childGroup(settings, ClassIdGroup,
            settings.value(ProgIdGroup + QLatin1Char('/') + progId + QStringLiteral("/CLSID")).toString());
        if (classId.isEmpty())
            return {};
    }
    return settings.value(ClassIdGroup + QLatin1Char('/') + classId + QStringLiteral("/InprocServer32"))
        .toString();
}

} // namespace component

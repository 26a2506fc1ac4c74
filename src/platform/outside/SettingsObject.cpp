#include "platform/outside/SettingsObject.h"

#include "platform/Error.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

namespace platform::outside
{

namespace
{

QString& settingsFolderOverride()
{
    static QString folder;
    return folder;
}

QString settingsKey(const QString& section, const QString& key)
{
    return section.isEmpty() ? key : section + QLatin1Char('/') + key;
}

// "SOFTWARE\BRIMFOLD2008\QK7400_3" -> "SOFTWARE_BRIMFOLD2008_QK7400_3": one flat file name, so that a
// key path can never lead outside the settings folder.
QString fileNameForKeyPath(const QString& keyPath)
{
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9_.-]+"));
    QString name = keyPath.trimmed();
    name.replace(unsafe, QStringLiteral("_"));
    name.remove(QRegularExpression(QStringLiteral("^[_.]+|_+$")));
    return name.isEmpty() ? QStringLiteral("OrvReport") : name;
}

} // namespace

QString settingsFolder()
{
    if (!settingsFolderOverride().isEmpty())
        return settingsFolderOverride();
    const QString fromEnvironment = qEnvironmentVariable("ORV_SETTINGS_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("OrvReport"));
}

void setSettingsFolder(const QString& folder)
{
    settingsFolderOverride() = folder;
}

QString SettingsObject::filePath() const
{
    return QDir(settingsFolder()).filePath(fileNameForKeyPath(keyPath_) + QStringLiteral(".ini"));
}

QString SettingsObject::read(const QString& section, const QString& key, const QString& defaultValue) const
{
    const QSettings settings(filePath(), QSettings::IniFormat);
    return settings.value(settingsKey(section, key), defaultValue).toString();
}

void SettingsObject::write(const QString& section, const QString& key, const QString& value)
{
    const QString path = filePath();
    QDir().mkpath(settingsFolder());
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(settingsKey(section, key), value);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw Error(errors::FileError, QStringLiteral("SettingsObject"),
            QStringLiteral("无法写入设置文件 %1").arg(QDir::toNativeSeparators(path)));
}

} // namespace platform::outside

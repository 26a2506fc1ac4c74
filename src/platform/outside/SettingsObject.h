#pragma once

#include <QString>

namespace platform::outside
{

// The folder that holds the component's settings, its registry file and its error log:
// the folder set by setSettingsFolder, else $ORV_SETTINGS_DIR, else "<user config folder>/OrvReport".
QString settingsFolder();
// Redirects the settings folder (tests); an empty path returns to the default.
void setSettingsFolder(const QString& folder);

// Settings kept in an INI file in the settings folder. Without a key path the file is
// "OrvReport.ini"; a key path such as "SOFTWARE\BRIMFOLD2008\QK7400_3" selects a file of its own
// ("SOFTWARE_BRIMFOLD2008_QK7400_3.ini"). An empty section means the file's top level.
class SettingsObject
{
public:
    void setKeyPath(const QString& keyPath) { keyPath_ = keyPath; }
    const QString& keyPath() const { return keyPath_; }

    QString read(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    // Throws platform::Error (errors::FileError) when the settings file cannot be written.
    void write(const QString& section, const QString& key, const QString& value);

    QString filePath() const;

private:
    QString keyPath_;
};

} // namespace platform::outside

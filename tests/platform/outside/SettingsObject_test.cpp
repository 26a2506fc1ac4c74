#include "platform/Error.h"
#include "platform/outside/SettingsObject.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using platform::outside::SettingsObject;

namespace
{

class SettingsObjectTest : public ::testing::Test
{
protected:
    void SetUp() override { platform::outside::setSettingsFolder(folder.path()); }
    void TearDown() override { platform::outside::setSettingsFolder({}); }
    QTemporaryDir folder;
};

struct RoundTrip {
    const char* section;
    const char* key;
    const char* value;
};

} // namespace

TEST_F(SettingsObjectTest, ValuesReadBackAsWrittenThroughANewObjectOrGiveTheDefault)
{
    const RoundTrip cases[] = {
        { "PrintSetup", "mipages", "35" },
        { "PrintSetup", "ReportInit", "0" },
        { "", "APP_PATH", "/opt/archive" },
        { "打印设置", "纸张", "A4 纵向" },
        { "PrintSetup", "Text", "a=b; c,d \"quoted\" \\ back" },
        { "PrintSetup", "Empty", "" },
    };
    for (const RoundTrip& c : cases)
        SettingsObject().write(
            QString::fromUtf8(c.section), QString::fromUtf8(c.key), QString::fromUtf8(c.value));
    for (const RoundTrip& c : cases)
        EXPECT_EQ(SettingsObject().read(
                      QString::fromUtf8(c.section), QString::fromUtf8(c.key), QStringLiteral("default")),
            QString::fromUtf8(c.value))
            << c.section << "/" << c.key;
    // A key not written gives the default.
    EXPECT_EQ(SettingsObject().read("PrintSetup", "pages", "20"), QStringLiteral("20"));
    EXPECT_EQ(SettingsObject().read("Other", "other"), QString());
}

TEST_F(SettingsObjectTest, KeyPathsKeepSeparateFilesInsideTheSettingsFolder)
{
    SettingsObject plain;
    SettingsObject installer;
    installer.setKeyPath(QStringLiteral("SOFTWARE\\BRIMFOLD2008\\QK7400_3"));
    plain.write(QStringLiteral("PrintSetup"), QStringLiteral("ReportInit"), QStringLiteral("1"));
    installer.write(QStringLiteral("PrintSetup"), QStringLiteral("ReportInit"), QStringLiteral("4"));

    EXPECT_EQ(plain.read(QStringLiteral("PrintSetup"), QStringLiteral("ReportInit"), QStringLiteral("0")),
        QStringLiteral("1"));
    EXPECT_EQ(installer.read(QStringLiteral("PrintSetup"), QStringLiteral("ReportInit"), QStringLiteral("0")),
        QStringLiteral("4"));
    EXPECT_EQ(
        QFileInfo(installer.filePath()).fileName(), QStringLiteral("SOFTWARE_BRIMFOLD2008_QK7400_3.ini"));

    for (const char* hostile : { "../../escape", "/etc/passwd", "..\\..\\x", "  " }) {
        SettingsObject settings;
        settings.setKeyPath(QString::fromUtf8(hostile));
        EXPECT_EQ(QFileInfo(settings.filePath()).absolutePath(), QDir(folder.path()).absolutePath())
            << hostile;
    }
}

TEST_F(SettingsObjectTest, EnvironmentChoosesTheFolderWhenNoneIsSet)
{
    platform::outside::setSettingsFolder({});
    QTemporaryDir other;
    qputenv("ORV_SETTINGS_DIR", other.path().toLocal8Bit());
    EXPECT_EQ(platform::outside::settingsFolder(), other.path());
    qunsetenv("ORV_SETTINGS_DIR");
    EXPECT_NE(platform::outside::settingsFolder(), other.path());
}

TEST_F(SettingsObjectTest, WriteIntoAnUnwritableFolderThrows)
{
    const QString blocker = folder.filePath(QStringLiteral("not-a-folder"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    platform::outside::setSettingsFolder(blocker);
    try {
        SettingsObject().write(QStringLiteral("PrintSetup"), QStringLiteral("mipages"), QStringLiteral("5"));
        FAIL() << "no error";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.number(), platform::errors::FileError);
    }
}

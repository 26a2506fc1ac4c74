#include "output/WebExport.h"
#include "platform/Error.h"
#include "platform/grid/io/XlsDump.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/SettingsObject.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace
{

// Points the environment and the settings at folders of the test, and puts both back.
class WebExportFolders : public testing::Test
{
protected:
    void SetUp() override
    {
        saved_ = qgetenv("ORV_WEB_EXPORT_DIR");
        qunsetenv("ORV_WEB_EXPORT_DIR");
        platform::outside::setSettingsFolder(settings_.path());
    }
    void TearDown() override
    {
        platform::outside::setSettingsFolder({});
        if (saved_.isEmpty())
            qunsetenv("ORV_WEB_EXPORT_DIR");
        else
            qputenv("ORV_WEB_EXPORT_DIR", saved_);
    }

    QTemporaryDir settings_;
    QTemporaryDir exports_;
    QByteArray saved_;
};

} // namespace

TEST_F(WebExportFolders, EnvironmentBeforeSettingBeforeTheTemporaryFolder)
{
    EXPECT_EQ(output::webExportFolder(), QDir::temp().filePath(QStringLiteral("retportTemp")));
    platform::outside::SettingsObject().write(
        QStringLiteral("PrintSetup"), output::WebExportFolderKey, QStringLiteral("/srv/exports"));
    EXPECT_EQ(output::webExportFolder(), QStringLiteral("/srv/exports"));
    qputenv("ORV_WEB_EXPORT_DIR", exports_.path().toLocal8Bit());
    EXPECT_EQ(output::webExportFolder(), exports_.path());
}

TEST_F(WebExportFolders, WritesAnExcelFileNamedByANewIdIntoAFolderItCreates)
{
    const QString folder = exports_.filePath(QStringLiteral("a/b"));
    qputenv("ORV_WEB_EXPORT_DIR", folder.toLocal8Bit());
    platform::grid::Sheet sheet;
    sheet.setText(1, 1, QStringLiteral("文书档案目录"));
    sheet.setNumber(2, 2, 1234.5);

    const QString first = output::WriteWebExport(sheet);
    const QString second = output::WriteWebExport(sheet);
    EXPECT_NE(first, second);
    for (const QString& path : { first, second }) {
        const QFileInfo file(path);
        EXPECT_EQ(file.absolutePath(), QDir(folder).absolutePath());
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{20}\\.XLS$")).match(file.fileName()).hasMatch())
            << file.fileName().toStdString();
    }
    const QJsonObject dump = xlsDump(first);
    const QJsonArray cells = dump[QStringLiteral("sheets")][0][QStringLiteral("cells")].toArray();
    QStringList values;
    for (const auto& cell : cells)
        values << cell[QStringLiteral("value")].toVariant().toString();
    EXPECT_TRUE(values.contains(QStringLiteral("文书档案目录")));
    EXPECT_TRUE(values.contains(QStringLiteral("1234.5")));
}

TEST_F(WebExportFolders, AFolderThatCannotBeMadeIsAFileError)
{
    QFile blocker(exports_.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("ORV_WEB_EXPORT_DIR", blocker.fileName().append(QStringLiteral("/inside")).toLocal8Bit());
    try {
        output::WriteWebExport(platform::grid::Sheet());
        FAIL() << "no error";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.number(), platform::errors::FileError);
    }
}

#include "platform/ui/ComponentFolder.h"
#include "platform/ui/HelpTopic.h"
#include "platform/ui/ScriptedUi.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace platform::ui;

// The tests have the component built in; the library's own tests check the file of the shared library.
TEST(ComponentFolder, IsTheFolderOfTheProgramThatHoldsTheComponent)
{
    const QString program = componentLibraryPath();
    EXPECT_EQ(program, QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
    EXPECT_EQ(componentFolder(), QFileInfo(program).absolutePath());
}

TEST(HelpTopic, MissingTopicShowsTheCallersMessage)
{
    ScriptedUi script;
    const QString message = QStringLiteral("帮助文件不存在");
    EXPECT_FALSE(openHelpTopic(QStringLiteral("没有的主题"), message));
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].text, message);
    EXPECT_EQ(script.boxes()[0].icon, Icon::Information);
    EXPECT_EQ(script.boxes()[0].title, QStringLiteral("提示信息"));
    EXPECT_TRUE(script.openedUrls().isEmpty());
}

TEST(HelpTopic, PresentTopicOpensItsFileInTheHelpFolder)
{
    const QString path = helpTopicPath(QStringLiteral("打印效果预览"));
    EXPECT_EQ(path, QDir(componentFolder()).filePath(QStringLiteral("help/打印效果预览.htm")));
    EXPECT_EQ(helpTopicPath(QStringLiteral("报表设计器.htm")),
        QDir(componentFolder()).filePath(QStringLiteral("help/报表设计器.htm")));

    const bool createdFolder = QDir(componentFolder()).mkpath(QStringLiteral("help"));
    ASSERT_TRUE(createdFolder);
    QFile file(path);
    const bool existed = file.exists();
    if (!existed) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html></html>");
        file.close();
    }
    ScriptedUi script;
    EXPECT_TRUE(openHelpTopic(QStringLiteral("打印效果预览"), QStringLiteral("unused")));
    EXPECT_TRUE(script.boxes().empty());
    ASSERT_EQ(script.openedUrls().size(), 1);
    EXPECT_EQ(script.openedUrls()[0].toLocalFile(), path);
    if (!existed)
        QFile::remove(path);
}

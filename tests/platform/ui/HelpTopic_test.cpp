#include "platform/ui/ComponentFolder.h"
#include "platform/ui/HelpTopic.h"
#include "platform/ui/ScriptedUi.h"
#include "store/HelpPage.h"

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

// A missing page is named with the folder where it belongs, under the caller's title.
TEST(HelpTopic, MissingTopicNamesThePageAndItsFolder)
{
    ScriptedUi script;
    EXPECT_FALSE(helpTopicPresent(QStringLiteral("没有的主题"), DefaultTitle));
    EXPECT_FALSE(helpTopicPresent(QStringLiteral("没有的主题"), QStringLiteral("帮助文件找不到")));
    const QString folder = QDir::toNativeSeparators(QDir(componentFolder()).filePath(QStringLiteral("help")));
    const QString text
        = QStringLiteral("帮助文件 %1/没有的主题.htm 不存在\n请将 没有的主题.htm 文件拷贝到 %1 路径下。")
              .arg(folder);
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].text, text);
    EXPECT_EQ(script.boxes()[0].icon, Icon::Information);
    EXPECT_EQ(script.boxes()[0].title, QStringLiteral("提示信息"));
    EXPECT_EQ(script.boxes()[1].text, text);
    EXPECT_EQ(script.boxes()[1].title, QStringLiteral("帮助文件找不到"));
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
    store::OpenHelpPage(QStringLiteral("打印效果预览"));
    EXPECT_TRUE(script.boxes().empty());
    ASSERT_EQ(script.openedUrls().size(), 1);
    EXPECT_EQ(script.openedUrls()[0].toLocalFile(), path);
    if (!existed)
        QFile::remove(path);
}

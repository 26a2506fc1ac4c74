#include "platform/outside/DesktopOpen.h"
#include "platform/ui/ScriptedUi.h"
#include "support/DesktopOpenerScript.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

namespace
{

TEST(DesktopOpen, TheOpenersAnswerDecidesAndAFailureNamesTheFullPath)
{
    QTemporaryDir folder;
    const QString document = folder.filePath(QStringLiteral("目录 2003.docx"));
    QFile(document).open(QIODevice::WriteOnly);
    const std::pair<QByteArray, bool> cases[] = {
        { "exit 0", true }, { "exit 3", false }, // xdg-open: no application for this kind of file
        { "kill -KILL $$", false }, { "", false }, // no opener
    };
    for (const auto& [lastLine, opened] : cases) {
        const orvtest::DesktopOpenerScript opener(lastLine);
        const platform::ui::ScriptedUi ui;
        QString failure;
        EXPECT_EQ(platform::outside::openWithDesktop(document, &failure), opened) << lastLine.constData();
        EXPECT_EQ(failure,
            opened ? QString()
                   : QStringLiteral("本机没有能打开 ") + document
                    + QStringLiteral(" 的应用程序，请用其他程序打开这个文件。"))
            << lastLine.constData();
        EXPECT_EQ(opener.given(), lastLine.isEmpty() ? QString() : document);
        ASSERT_EQ(ui.openedUrls().size(), 1);
    }
}

} // namespace

#include "platform/Error.h"
#include "platform/ui/FailureBox.h"
#include "platform/ui/ScriptedUi.h"

#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace platform::ui;

TEST(FailureBox, AFailureIsShownAfterItsPrefixInOneInformationBoxAndGivesFalse)
{
    struct Case {
        std::function<void()> work;
        QString prefix;
        QString shown;
    };
    const Case cases[] = {
        { [] { throw platform::Error(482, QStringLiteral("打印机"), QStringLiteral("打印机错误")); },
            QStringLiteral("打印失败："), QStringLiteral("打印失败：打印机错误") },
        { [] { throw std::runtime_error("磁盘已满"); }, QString(), QStringLiteral("磁盘已满") },
    };
    for (const Case& c : cases) {
        ScriptedUi script;
        EXPECT_FALSE(showingFailures(c.prefix, c.work));
        ASSERT_EQ(script.boxes().size(), 1u) << c.shown.toStdString();
        EXPECT_EQ(script.boxes()[0].text, c.shown);
        EXPECT_EQ(script.boxes()[0].icon, Icon::Information);
        EXPECT_EQ(script.boxes()[0].buttons, Buttons::Ok);
        EXPECT_EQ(script.boxes()[0].title, DefaultTitle);
    }
}

TEST(FailureBox, WorkThatSucceedsShowsNothing)
{
    ScriptedUi script;
    int runs = 0;
    EXPECT_TRUE(showingFailures(QStringLiteral("导出失败："), [&] { ++runs; }));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(script.boxes().empty());
}

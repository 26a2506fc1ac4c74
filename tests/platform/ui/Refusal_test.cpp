#include "platform/ui/Refusal.h"
#include "platform/ui/ScriptedUi.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QTabWidget>

using namespace platform::ui;

namespace
{

enum class Box { First, Second };

} // namespace

// A refusal shows its box as given, turns to its page and focuses its control; one without a message
// shows no box, and one without a page or control leaves them.
TEST(Refusal, ShowsItsBoxThenItsPageThenItsFocus)
{
    QTabWidget tabs;
    auto* first = new QLineEdit;
    auto* second = new QLineEdit;
    tabs.addTab(first, QStringLiteral("一"));
    tabs.addTab(second, QStringLiteral("二"));
    const auto control = [&](Box box) -> QWidget* { return box == Box::First ? first : second; };
    tabs.show();
    ScriptedUi script;

    showRefusal(Refusal<Box> { QStringLiteral("请重新输入！"), Box::Second, 1, QStringLiteral("错误信息"),
                    Icon::Information },
        control, &tabs);
    EXPECT_EQ(tabs.currentIndex(), 1);
    EXPECT_EQ(tabs.focusWidget(), second);

    showRefusal(Refusal<Box> { {}, Box::First, 0 }, control, &tabs);
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(tabs.focusWidget(), first);

    showRefusal(Refusal<Box> { QStringLiteral("不能为空") }, control, &tabs);
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(tabs.focusWidget(), first);

    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].text, QStringLiteral("请重新输入！"));
    EXPECT_EQ(script.boxes()[0].title, QStringLiteral("错误信息"));
    EXPECT_EQ(script.boxes()[0].icon, Icon::Information);
    EXPECT_EQ(script.boxes()[0].buttons, Buttons::Ok);
    EXPECT_EQ(script.boxes()[1].title, DefaultTitle);
}

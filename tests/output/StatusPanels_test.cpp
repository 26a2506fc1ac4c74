#include "output/StatusPanels.h"

#include "platform/outside/HostObjects.h"
#include "store/ReportState.h"

#include <gtest/gtest.h>
#include <memory>
#include <QLabel>
#include <QStatusBar>

namespace
{

class NamedUser : public platform::outside::User
{
public:
    QString userId() const override { return QStringLiteral("u7"); }
    QString userName() const override { return QStringLiteral("张三"); }
};

QStringList panelTexts(const QStatusBar& bar)
{
    QStringList texts;
    for (const QLabel* label : bar.findChildren<QLabel*>())
        texts.append(label->text());
    return texts;
}

TEST(StatusPanels, TheSecondPanelNamesTheHostsUserAndKeepsTheLastNameWithoutOne)
{
    auto& state = store::reportState();
    const auto formerUser = state.User;
    state.User = std::make_shared<NamedUser>();
    EXPECT_EQ(output::UserStatusText(), QStringLiteral("张三"));
    // The print window releases the user when it closes; the name stays for the next window.
    state.User.reset();
    EXPECT_EQ(output::UserStatusText(), QStringLiteral("张三"));
    state.User = formerUser;
}

TEST(StatusPanels, TextsGoIntoTwoPanelsThatAreMadeOnce)
{
    QStatusBar bar;
    output::SetStatusText(bar, QStringLiteral("效果预览"), QStringLiteral("张三"));
    output::SetStatusText(bar, QStringLiteral("打印预览"), QStringLiteral("李四"));
    EXPECT_EQ(panelTexts(bar), (QStringList { QStringLiteral("打印预览"), QStringLiteral("李四") }));
}

} // namespace

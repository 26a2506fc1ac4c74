#include "output/StatusPanels.h"

#include "platform/outside/HostObjects.h"
#include "store/ReportState.h"

#include <gtest/gtest.h>
#include <memory>

namespace
{

TEST(StatusPanels, TheSecondPanelNamesTheHostsUserAndKeepsTheLastNameWithoutOne)
{
    auto& state = store::reportState();
    const auto formerUser = state.User;
    state.User = std::make_shared<platform::outside::NamedUser>(QStringLiteral("u7"), QStringLiteral("张三"));
    EXPECT_EQ(output::UserStatusText(), QStringLiteral("张三"));
    // The print window releases the user when it closes; the name stays for the next window.
    state.User.reset();
    EXPECT_EQ(output::UserStatusText(), QStringLiteral("张三"));
    state.User = formerUser;
}

} // namespace

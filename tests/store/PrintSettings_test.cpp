#include "platform/outside/SettingsObject.h"
#include "store/PrintSettings.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

TEST(PrintSettings, PrintPagesFallBackToTwenty)
{
    QTemporaryDir settings;
    platform::outside::setSettingsFolder(settings.path());
    EXPECT_EQ(store::GetPrintPages(), 20);
    const struct {
        const char* stored;
        int expected;
    } cases[] = { { "35", 35 }, { " 7 ", 7 }, { "abc", 20 }, { "0", 20 }, { "-4", 20 }, { "70000", 20 },
        { "", 20 } };
    for (const auto& c : cases) {
        store::SavePrintPages(QString::fromUtf8(c.stored));
        EXPECT_EQ(store::GetPrintPages(), c.expected) << c.stored;
    }
    platform::outside::setSettingsFolder(QString());
}

#include "engine/StatCells.h"
#include "platform/outside/SettingsObject.h"

#include <gtest/gtest.h>
#include <QDate>
#include <QTemporaryDir>

namespace
{

struct MacroCase {
    const char* name;
    QString text;
    QString expanded;
};

TEST(ExpandPageMacros, PageVariablesOfTheStatisticsSheet)
{
    QTemporaryDir settings; // no company name configured
    platform::outside::setSettingsFolder(settings.path());
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    const MacroCase cases[] = {
        { "page and count", QStringLiteral("第%p页 共%P页"), QStringLiteral("第3页 共12页") },
        { "letters are case-sensitive", QStringLiteral("%P/%p"), QStringLiteral("12/3") },
        { "company name", QStringLiteral("%i"), QStringLiteral("世纪澄渊公司") },
        { "no record number in a statistics report", QStringLiteral("第%N条"), QStringLiteral("第条") },
        { "final percent sign", QStringLiteral("100%"), QStringLiteral("100") },
        { "date", QStringLiteral("日期%d"), QStringLiteral("日期") + today },
        { "replacement not scanned again", QStringLiteral("%%p"), QStringLiteral("p") },
    };
    for (const MacroCase& c : cases)
        EXPECT_EQ(engine::ExpandPageMacros(c.text, 3, 12), c.expanded) << c.name;
    platform::outside::setSettingsFolder(QString());
}

} // namespace

#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "engine/SystemVariables.h"
#include "platform/db/Recordset.h"
#include "platform/outside/SettingsObject.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace
{

class SystemVariables : public testing::Test
{
protected:
    void SetUp() override
    {
        platform::outside::setSettingsFolder(settings.path());
        run.PageNumber = 3;
        run.TotalPages = 12;
        run.GroupPageTotal = 4;
        run.RecordCounter = 27;
        usePageRecount(false);
    }

    void usePageRecount(bool recount)
    {
        store::ReportDefinition definition;
        definition.page.PageRecount = recount;
        run.useDefinition(std::make_shared<const store::ReportDefinition>(definition));
    }
    void TearDown() override
    {
        platform::outside::setSettingsFolder(QString());
        store::reportState() = store::ReportState {};
    }

    static void setText(const char* key, const QString& value)
    {
        platform::outside::SettingsObject().write(
            QString::fromLatin1(engine::SystemTextSection), QString::fromLatin1(key), value);
    }

    QTemporaryDir settings;
    engine::DataReportRun run;
};

TEST_F(SystemVariables, PageCountersAndNames)
{
    const struct {
        QString text;
        QString replaced;
    } cases[] = {
        { "第%p页 共%P页", "第3页 共12页" },
        { "第%p页/共%P页，序号%N", "第3页/共12页，序号27" },
        { "%p%p", "33" },
        { "%x%p", "3" },
        { "100%", "100" },
        { "%%p", "p" },
        { "%i", "世纪澄渊公司" },
        { "全宗：%I", "全宗：" },
        { "no variables", "no variables" },
        { "", "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(engine::ReplaceSysVariable(run, c.text), c.replaced) << c.text.toStdString();

    usePageRecount(true);
    EXPECT_EQ(
        engine::ReplaceSysVariable(run, QStringLiteral("第%p页 共%P页")), QStringLiteral("第3页 共4页"));
}

TEST_F(SystemVariables, CompanyAndFondsNamesComeFromTheSettings)
{
    setText(engine::CompanyNameKey, QStringLiteral("市档案馆"));
    setText(engine::FondsNameKey, QStringLiteral("文书全宗"));
    EXPECT_EQ(engine::ReplaceSysVariable(run, QStringLiteral("%i·%I")), QStringLiteral("市档案馆·文书全宗"));
    // A setting holding a variable is put in as it is, never replaced again.
    setText(engine::CompanyNameKey, QStringLiteral("100%i"));
    EXPECT_EQ(engine::ReplaceSysVariable(run, QStringLiteral("%i%p")), QStringLiteral("100%i3"));
}

TEST_F(SystemVariables, DatesAndTimesOfNow)
{
    const QDateTime before = QDateTime::currentDateTime();
    const QString dates = engine::ReplaceSysVariable(run, QStringLiteral("%d|%D|%t|%T"));
    const QDateTime after = QDateTime::currentDateTime();
    const QStringList parts = dates.split(u'|');
    ASSERT_EQ(parts.size(), 4);
    const QStringList accepted { before.toString(QStringLiteral("yyyy-MM-dd")),
        after.toString(QStringLiteral("yyyy-MM-dd")) };
    EXPECT_TRUE(accepted.contains(parts[0])) << parts[0].toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}年\\d{2}月\\d{2}日$")).match(parts[1]).hasMatch());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{2}:\\d{2}$")).match(parts[2]).hasMatch());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{2}时\\d{2}分$")).match(parts[3]).hasMatch());
    EXPECT_EQ(parts[1].left(4), parts[0].left(4));
}

} // namespace

#include "platform/ui/MessageBox.h"
#include "platform/ui/ScriptedUi.h"

#include <gtest/gtest.h>

using namespace platform::ui;

TEST(MessageBox, ScriptRecordsEveryBoxAndAnswersFromItsQueueThenWithTheFirstButton)
{
    ScriptedUi script;
    script.queueAnswer(MsgBoxResult::No);
    script.queueAnswer(MsgBoxResult::Cancel);

    EXPECT_EQ(msgBox(QStringLiteral("a"), Buttons::YesNo), MsgBoxResult::No);
    EXPECT_EQ(msgBox(QStringLiteral("b"), Buttons::OkCancel, Icon::Warning, QStringLiteral("错误信息")),
        MsgBoxResult::Cancel);
    EXPECT_EQ(msgBox(QStringLiteral("c"), Buttons::YesNoCancel, Icon::Question), MsgBoxResult::Yes);
    EXPECT_EQ(msgBox(QStringLiteral("d"), Buttons::OkCancel, Icon::Critical), MsgBoxResult::Ok);
    EXPECT_EQ(msgBox(QStringLiteral("e")), MsgBoxResult::Ok);

    EXPECT_EQ(script.boxTexts(), (QStringList { "a", "b", "c", "d", "e" }));
    EXPECT_EQ(script.boxes()[0].title, QStringLiteral("提示信息")); // the default title
    const RecordedBox& second = script.boxes()[1];
    EXPECT_EQ(second.title, QStringLiteral("错误信息"));
    EXPECT_EQ(second.icon, Icon::Warning);
    EXPECT_EQ(second.buttons, Buttons::OkCancel);
    EXPECT_EQ(second.answer, MsgBoxResult::Cancel);
}

TEST(MessageBox, InnermostScriptAnswersAndTheOuterOneResumesAfterIt)
{
    ScriptedUi outer;
    {
        ScriptedUi inner;
        inner.queueAnswer(MsgBoxResult::No);
        EXPECT_EQ(msgBox(QStringLiteral("inner"), Buttons::YesNo), MsgBoxResult::No);
        EXPECT_EQ(inner.boxes().size(), 1u);
    }
    EXPECT_TRUE(outer.boxes().empty());
    msgBox(QStringLiteral("outer"));
    EXPECT_EQ(outer.boxTexts(), QStringList { QStringLiteral("outer") });
    EXPECT_EQ(ScriptedUi::active(), &outer);
}

TEST(MessageBox, WithoutScriptOrDisplayTheBoxDoesNotWaitAndGetsItsFirstButton)
{
    ASSERT_EQ(ScriptedUi::active(), nullptr);
    ASSERT_FALSE(interactive());
    EXPECT_EQ(msgBox(QStringLiteral("无人应答"), Buttons::YesNoCancel), MsgBoxResult::Yes);
    EXPECT_EQ(msgBox(QStringLiteral("无人应答"), Buttons::OkCancel), MsgBoxResult::Ok);
}

TEST(MessageBox, AYesNoQuestionIsTrueOnlyForYes)
{
    ScriptedUi script;
    script.queueAnswer(MsgBoxResult::No);
    script.queueAnswer(MsgBoxResult::Yes);

    EXPECT_FALSE(askYesNo(QStringLiteral("删除？")));
    EXPECT_TRUE(askYesNo(QStringLiteral("取消？"), Icon::Question, QStringLiteral("取消生成报表")));

    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].buttons, Buttons::YesNo);
    EXPECT_EQ(script.boxes()[0].title, DefaultTitle);
    EXPECT_EQ(script.boxes()[1].icon, Icon::Question);
    EXPECT_EQ(script.boxes()[1].title, QStringLiteral("取消生成报表"));
}

#include "designer/SavePrompt.h"
#include "platform/ui/ScriptedUi.h"

#include <gtest/gtest.h>

using namespace designer;
using platform::ui::MsgBoxResult;

// Every road, with the report modified or not and a save just done or not, under each answer; a report
// whose sizes changed counts as modified. Edits after a save are asked about like any others.
TEST(DesignerSavePrompt, RoadsFlagsAndAnswers)
{
    const PromptRoad roads[] = { PromptRoad::New, PromptRoad::Open, PromptRoad::Preview, PromptRoad::Close };
    const MsgBoxResult answers[] = { MsgBoxResult::Yes, MsgBoxResult::No, MsgBoxResult::Cancel };
    for (const PromptRoad road : roads) {
        for (const bool modified : { false, true }) {
            for (const bool justSaved : { false, true }) {
                for (const MsgBoxResult answer : answers) {
                    SCOPED_TRACE(testing::Message() << int(road) << " modified " << modified << " saved "
                                                    << justSaved << " answer " << int(answer));
                    platform::ui::ScriptedUi ui;
                    ui.queueAnswer(answer);
                    EditFlags flags { modified, justSaved };
                    int saves = 0;
                    const bool goesOn = ConfirmSaveChanges(road, flags, true, false, [&] {
                        ++saves;
                        flags.ReportModified = false;
                        flags.JustSaved = true;
                        return true;
                    });
                    if (!modified) {
                        EXPECT_TRUE(ui.boxes().empty());
                        EXPECT_TRUE(goesOn);
                        EXPECT_FALSE(flags.JustSaved);
                        continue;
                    }
                    ASSERT_EQ(ui.boxes().size(), 1u);
                    EXPECT_EQ(ui.boxes()[0].text, promptQuestion(road));
                    EXPECT_EQ(ui.boxes()[0].title, "提示信息");
                    EXPECT_EQ(saves, answer == MsgBoxResult::Yes ? 1 : 0);
                    EXPECT_EQ(goesOn, answer != MsgBoxResult::Cancel);
                    // Cancel keeps the flags; otherwise the next prompt starts afresh.
                    EXPECT_EQ(flags.JustSaved, answer == MsgBoxResult::Cancel && justSaved);
                    EXPECT_EQ(flags.ReportModified, answer != MsgBoxResult::Yes);
                }
            }
        }
    }
    EXPECT_EQ(promptQuestion(PromptRoad::Close), "报表已经修改，是否保存？");
    EXPECT_EQ(promptQuestion(PromptRoad::Open), "报表已经修改，是否保存?");
}

TEST(DesignerSavePrompt, SizesNoReportAndFailedSave)
{
    platform::ui::ScriptedUi ui;
    EditFlags flags;
    // Changed sizes ask like a modified report.
    ui.queueAnswer(MsgBoxResult::No);
    EXPECT_TRUE(ConfirmSaveChanges(PromptRoad::New, flags, true, true, [] { return true; }));
    EXPECT_EQ(ui.boxes().size(), 1u);
    // Without a report nothing is asked and nothing saved.
    flags.ReportModified = true;
    EXPECT_TRUE(ConfirmSaveChanges(PromptRoad::Close, flags, false, true, [] { return true; }));
    EXPECT_EQ(ui.boxes().size(), 1u);
    // A save that fails stops the road and keeps the report marked changed.
    ui.queueAnswer(MsgBoxResult::Yes);
    flags = { true, true };
    EXPECT_FALSE(ConfirmSaveChanges(PromptRoad::Close, flags, true, false, [] { return false; }));
    EXPECT_TRUE(flags.ReportModified);
    EXPECT_TRUE(flags.JustSaved);
}

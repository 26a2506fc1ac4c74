#include "designer/SavePrompt.h"

#include "platform/ui/MessageBox.h"

namespace designer
{

using platform::ui::MsgBoxResult;

QString promptQuestion(PromptRoad road)
{
    return road == PromptRoad::Close ? QStringLiteral("报表已经修改，是否保存？")
                                     : QStringLiteral("报表已经修改，是否保存?");
}

bool ConfirmSaveChanges(PromptRoad road, EditFlags& flags, bool reportShown, bool layoutChanged,
    const std::function<bool()>& save)
{
    if (reportShown && (flags.ReportModified || layoutChanged)) {
        switch (platform::ui::msgBox(
            promptQuestion(road), platform::ui::Buttons::YesNoCancel, platform::ui::Icon::Question)) {
        case MsgBoxResult::Yes:
            if (!save())
                return false;
            break;
        case MsgBoxResult::No:
            break;
        case MsgBoxResult::Cancel:
        case MsgBoxResult::Ok:
            return false;
        }
    }
    flags.JustSaved = false;
    return true;
}

} // namespace designer

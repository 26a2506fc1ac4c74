#include "store/UserNotice.h"

#include "store/ReportState.h"

namespace store
{

void NoticeUser(const QString& text, platform::ui::Icon icon, const QString& title)
{
    ReportState& state = reportState();
    state.ErrorMessage = text;
    if (!state.WebPrintMode)
        platform::ui::msgBox(text, platform::ui::Buttons::Ok, icon, title);
}

void WarnUser(const QString& text, platform::ui::Icon icon, const QString& title)
{
    ReportState& state = reportState();
    if (state.WebPrintMode)
        state.ErrorMessage = text;
    else
        platform::ui::msgBox(text, platform::ui::Buttons::Ok, icon, title);
}

} // namespace store

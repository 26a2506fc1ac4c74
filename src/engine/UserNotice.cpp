#include "engine/UserNotice.h"

#include "platform/ui/MessageBox.h"
#include "store/ReportState.h"

namespace engine
{

void NoticeUser(const QString& text)
{
    store::ReportState& state = store::reportState();
    state.ErrorMessage = text;
    if (!state.WebPrintMode)
        platform::ui::msgBox(
            text, platform::ui::Buttons::Ok, platform::ui::Icon::None, platform::ui::DefaultTitle);
}

} // namespace engine

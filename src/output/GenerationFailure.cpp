#include "output/GenerationFailure.h"

#include "platform/ui/FailureBox.h"
#include "store/ReportState.h"

#include <QString>

namespace output
{

void tellGenerationFailure(const std::exception& error)
{
    auto& state = store::reportState();
    state.ErrorMessage = platform::ui::failureText(error);
    if (!state.WebPrintMode)
        platform::ui::showFailure(QStringLiteral("报表生成失败："), error);
}

} // namespace output

#include "platform/ui/FailureBox.h"

#include "platform/Error.h"
#include "platform/ui/MessageBox.h"

namespace platform::ui
{

QString failureText(const std::exception& error)
{
    if (const auto* platformError = dynamic_cast<const Error*>(&error))
        return platformError->description();
    return QString::fromUtf8(error.what());
}

void showFailure(const QString& prefix, const std::exception& error)
{
    msgBox(prefix + failureText(error), Buttons::Ok, Icon::Information);
}

} // namespace platform::ui

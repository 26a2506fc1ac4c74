#include "platform/ui/Refusal.h"

#include <QTabWidget>
#include <QWidget>

namespace platform::ui::detail
{

void showRefusal(const QString& message, const QString& title, Icon icon, QTabWidget* tabs,
    std::optional<int> tab, QWidget* focus)
{
    if (!message.isEmpty())
        msgBox(message, Buttons::Ok, icon, title);
    if (tabs && tab)
        tabs->setCurrentIndex(*tab);
    if (focus)
        focus->setFocus();
}

} // namespace platform::ui::detail

#include "platform/ui/MessagePump.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace platform::ui
{

void pumpMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void setWaitCursor(bool on)
{
    static bool waiting = false;
    if (on == waiting || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    if (on)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
    waiting = on;
}

} // namespace platform::ui

#include "platform/ui/WindowSize.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace platform::ui
{

namespace
{

// What a window manager's frame and title bar usually take.
const QSize FrameAllowance(16, 40);

} // namespace

QSize openingSize(QSize wanted, QSize minimum, QRect available)
{
    const QSize room = (available.size() - FrameAllowance).expandedTo(QSize(0, 0));
    return wanted.boundedTo(room).expandedTo(minimum);
}

void openOnScreen(QWidget& window, QSize wanted)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window.resize(wanted.expandedTo(window.minimumSize()));
        return;
    }
    const QRect available = screen->availableGeometry();
    const QSize size = openingSize(wanted, window.minimumSize(), available);
    window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
}

} // namespace platform::ui

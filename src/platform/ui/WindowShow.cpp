#include "platform/ui/WindowShow.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>

namespace platform::ui
{

namespace
{

// Watches the window's show events; a filter sees each one before the window's own showEvent does.
class ShowWatch : public QObject
{
public:
    ShowWatch(QWidget& window, std::function<void()> work, bool once)
        : QObject(&window)
        , work_(std::move(work))
        , once_(once)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        if (!once_) {
            work_();
            return false;
        }
        watched->removeEventFilter(this);
        QMetaObject::invokeMethod(watched, std::move(work_), Qt::QueuedConnection);
        deleteLater();
        return false;
    }

private:
    std::function<void()> work_;
    bool once_;
};

} // namespace

void loadOnShow(QWidget& window, std::function<void()> load)
{
    new ShowWatch(window, std::move(load), false);
}

void activateOnFirstShow(QWidget& window, std::function<void()> activate)
{
    new ShowWatch(window, std::move(activate), true);
}

} // namespace platform::ui

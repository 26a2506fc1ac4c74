#include "platform/ui/WindowShow.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QStringList>
#include <QWidget>

using namespace platform::ui;

// Loading runs inside every show, while the window is visible but before anything after show() runs;
// the activation runs once, only when the waiting events run after the first show.
TEST(WindowShow, LoadRunsOnEveryShowActivationOnceAfterTheFirst)
{
    QWidget window;
    QStringList seen;
    loadOnShow(window, [&] { seen << (window.isVisible() ? "load visible" : "load hidden"); });
    activateOnFirstShow(window, [&] { seen << "activate"; });

    window.show();
    seen << "shown";
    QCoreApplication::processEvents();
    window.hide();
    window.show();
    QCoreApplication::processEvents();

    EXPECT_EQ(seen, QStringList({ "load visible", "shown", "activate", "load visible" }));
}

// A window closed before the waiting events run is never activated.
TEST(WindowShow, AWindowGoneBeforeItsActivationIsNotActivated)
{
    bool activated = false;
    {
        QWidget window;
        activateOnFirstShow(window, [&] { activated = true; });
        window.show();
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(activated);
}

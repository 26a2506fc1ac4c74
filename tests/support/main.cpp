#include "component/StartUp.h"

#include <gtest/gtest.h>
#include <QApplication>

// Every test program runs headless with a real QApplication, so that fonts, widgets
// and printing behave as in the component, and starts with the windows installed, as the component does.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    component::startUp();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

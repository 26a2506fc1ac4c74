#include <gtest/gtest.h>
#include <QApplication>

// Every test program runs headless with a real QApplication, so that fonts, widgets
// and printing behave as in the component.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

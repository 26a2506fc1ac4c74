#include <gtest/gtest.h>
#include <QCoreApplication>

// The library's tests run as a host: an application of their own, the component in the shared library.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

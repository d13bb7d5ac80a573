// The main of the test programs that draw or read fonts: they need a QGuiApplication.

#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (as the build's test discovery does, with no display) needs no GUI.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

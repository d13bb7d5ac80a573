// The main of the test programs that draw, read fonts or use widgets: they need a
// QApplication, on Qt's offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (as test discovery does, perhaps with no display) needs no GUI.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

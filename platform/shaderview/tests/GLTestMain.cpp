// main() of the GL test programs: a real QApplication on the run's display.

#include "platform/shaderview/tests/GLTesting.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

namespace shaderview::testing {

QImage renderFrame(QWidget& window, ShaderView& view, QSize size)
{
    window.resize(size);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return {};
    return view.grabFrame();
}

} // namespace shaderview::testing

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests) || shaderview::testing::offscreenRequested())
        return RUN_ALL_TESTS(); // listing needs no display; the offscreen run skips each test
    shaderview::prepareApplication();
    QApplication application(argc, argv); // without a display this stops the run: it must fail
    return RUN_ALL_TESTS();
}

// main() of the GL test programs: a real QApplication on the run's display.

#include "platform/shaderview/tests/GLTesting.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

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
    const int status = RUN_ALL_TESTS();
#if defined(__SANITIZE_ADDRESS__)
    // Leaks are looked for while the display is still open. Closing it, Mesa's driver leaves
    // blocks behind and is unloaded before the usual check at exit, which could then not tell
    // them from ours.
    __lsan_do_leak_check();
#endif
    return status;
}

#pragma once

// What the GL tests share: they run on the test run's display, skip only when the run asks
// for Qt's offscreen platform on purpose (a GL widget cannot be shown there), and fail
// when a display gives no OpenGL 3.3 core device.

#include "platform/shaderview/Device.h"
#include "platform/shaderview/ShaderView.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include <memory>

namespace shaderview::testing {

inline bool offscreenRequested()
{
    return qgetenv("QT_QPA_PLATFORM") == "offscreen";
}

class GLTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (offscreenRequested())
            GTEST_SKIP() << "QT_QPA_PLATFORM=offscreen was asked for: GL needs a display";
        device_ = Device::systemDefault();
        ASSERT_TRUE(device_) << "no OpenGL 3.3 core device on this display";
    }

    std::shared_ptr<Device> device_;
};

/// Shows window (holding view) at size, waits until it is on screen, and returns the frame
/// view draws now; null when the window never came on screen.
QImage renderFrame(QWidget& window, ShaderView& view, QSize size);

} // namespace shaderview::testing

#include "platform/shaderview/Device.h"

#include "platform/foundation/FatalError.h"
#include "platform/shaderview/GLDevice.h"
#include "platform/shaderview/MainThread.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QSurfaceFormat>

namespace shaderview {

namespace {
constexpr std::string_view source = "platform/shaderview/Device";
}

void prepareApplication()
{
    if (QCoreApplication::instance())
        foundation::fatalError("prepareApplication() must run before the QApplication is made", source, __LINE__);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    QSurfaceFormat::setDefaultFormat(format);
}

std::shared_ptr<Device> Device::systemDefault()
{
    requireMainThread(source, __LINE__);
    static std::weak_ptr<Device> shared;
    if (auto device = shared.lock())
        return device;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return nullptr;
    // These platforms draw into memory only: a GL widget shown there takes the process down.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return nullptr;
    if (!QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts))
        foundation::fatalError("shaderview::prepareApplication() was not called before the QApplication was made",
                               source, __LINE__);
    auto device = makeGLDevice();
    shared = device;
    return device;
}

} // namespace shaderview

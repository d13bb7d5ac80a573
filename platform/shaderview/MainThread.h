#pragma once

#include "platform/foundation/FatalError.h"

#include <QCoreApplication>
#include <QThread>

#include <string_view>

namespace shaderview {

/// Views, renderers and their controllers belong to the main thread; reaching them from any
/// other thread is a programming error.
inline void requireMainThread(std::string_view source, int line)
{
    const QCoreApplication* application = QCoreApplication::instance();
    if (application && QThread::currentThread() != application->thread())
        foundation::fatalError("called off the main thread", source, line);
}

} // namespace shaderview

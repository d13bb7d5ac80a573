#pragma once

#include <QApplication>

#include <functional>
#include <memory>

namespace zindlehost {

/// The application object of `zindle-host show`, on whatever display Qt finds. When there is
/// none to open (no platform plugin starts: no DISPLAY, or one nobody answers on), Qt would
/// abort inside its start, where it cannot be unwound: noDisplay is called there instead, to
/// report it, and the process ends at once with the status it returns. Qt's messages of a
/// successful start come out as usual. Main thread, before any other Qt application object.
std::unique_ptr<QApplication> openWindowApplication(int& argc, char** argv, const std::function<int()>& noDisplay);

} // namespace zindlehost

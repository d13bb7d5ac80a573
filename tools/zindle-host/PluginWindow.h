#pragma once

#include "tools/zindle-host/Cli.h"

#include <QWidget>

#include <memory>

namespace zindlehost {

class ShowSession;

/// The window `zindle-host show` shows: the effect's own plug-in view, resizable, at the size
/// the view prefers. Throws HostError (effect) when the effect has no view. Main thread, with a
/// QApplication.
std::unique_ptr<QWidget> makePluginWindow(ShowSession& session);

/// The ShowWindow of the program: makes the window, shows it and runs the event loop until it
/// is closed or the program gets SIGINT or SIGTERM (the effect's model polls its meters on that
/// loop); returns 0.
int showPluginWindow(ShowSession& session, const Console& console);

} // namespace zindlehost

#include "tools/zindle-host/Cli.h"
#include "tools/zindle-host/HostError.h"
#include "tools/zindle-host/PluginWindow.h"
#include "tools/zindle-host/WindowApplication.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>
#include <memory>

#include <unistd.h>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const zindlehost::Console console{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
    // First: an effect's principal and model live on the main thread's queue and timers. Only
    // show needs a display, and its command line is checked before one is looked for; the
    // other commands run anywhere.
    const bool shows = !arguments.empty() && arguments.front() == "show";
    // validate registers the effect's fonts as its view would, which takes a GUI application;
    // it opens no window, so it needs no display.
    const bool validates = !arguments.empty() && arguments.front() == "validate";
    std::unique_ptr<QCoreApplication> application;
    if (shows) {
        if (const auto status = zindlehost::checkShowArguments(arguments, console))
            return *status;
        application = zindlehost::openWindowApplication(argc, argv, [&console] {
            return zindlehost::report(console, zindlehost::HostError(zindlehost::ExitCode::failed,
                                                                     "show cannot open a window: no display"));
        });
    } else if (validates) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    return zindlehost::run(arguments, console, zindlehost::showPluginWindow);
}

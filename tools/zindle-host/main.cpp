#include "tools/zindle-host/Cli.h"
#include "tools/zindle-host/PluginWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>
#include <memory>

#include <unistd.h>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // First: an effect's principal and model live on the main thread's queue and timers. Only
    // show needs a display; the other commands run anywhere.
    const bool shows = !arguments.empty() && arguments.front() == "show";
    // validate registers the effect's fonts as its view would, which takes a GUI application;
    // it opens no window, so it needs no display.
    const bool validates = !arguments.empty() && arguments.front() == "validate";
    std::unique_ptr<QCoreApplication> application;
    if (shows) {
        application = std::make_unique<QApplication>(argc, argv);
    } else if (validates) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    const zindlehost::Console console{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
    return zindlehost::run(arguments, console, zindlehost::showPluginWindow);
}

#include "tools/zindle-host/Cli.h"

#include <QCoreApplication>

#include <iostream>

#include <unistd.h>

int main(int argc, char** argv)
{
    // First: an effect's principal and model live on the main thread's queue and timers.
    QCoreApplication application(argc, argv);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const zindlehost::Console console{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
    return zindlehost::run(arguments, console);
}

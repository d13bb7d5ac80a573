// The validator program that the validation runner starts in a child process of its own, one
// component per run (platform/audiounit/ValidationService.h says what it reads and writes).

#include "platform/audiounit/ValidationService.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    return au::validation_service::run(std::vector<std::string>(argv + 1, argv + argc));
}

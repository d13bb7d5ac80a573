// The validator program that the validation runner starts in a child process of its own, one
// component per run (platform/audiounit/ValidationService.h says what it reads and writes).

#include "platform/audiounit/ValidationService.h"

#include <QGuiApplication>

int main(int argc, char** argv)
{
    // A GUI application, so that an effect can check the fonts and images its view will read
    // as it would in a host; on the offscreen platform, since nothing is shown and a display
    // may not be there.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    return au::validation_service::run(std::vector<std::string>(argv + 1, argv + argc));
}

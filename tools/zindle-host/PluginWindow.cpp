#include "tools/zindle-host/PluginWindow.h"

#include "tools/zindle-host/HostError.h"
#include "tools/zindle-host/ShowSession.h"

#include "platform/ui/ViewController.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QVBoxLayout>

#include <cmath>
#include <csignal>
#include <ostream>

#include <fcntl.h>
#include <unistd.h>

namespace zindlehost {

namespace {

int signalPipe[2] = {-1, -1};

extern "C" void forwardSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
}

/// While it lives, Ctrl-C (SIGINT) and SIGTERM end the event loop like closing the window, so
/// the playback stops and the audio connection closes properly. A signal handler may only
/// write to a pipe; the event loop reads it.
class QuitOnSignals {
public:
    QuitOnSignals()
    {
        if (signalPipe[0] < 0 && pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        notifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [] {
            char bytes[16];
            while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
            }
            QApplication::quit();
        });
        struct sigaction action = {};
        action.sa_handler = forwardSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGINT, &action, &previousInterrupt_);
        sigaction(SIGTERM, &action, &previousTerminate_);
    }
    ~QuitOnSignals()
    {
        if (!notifier_)
            return;
        sigaction(SIGINT, &previousInterrupt_, nullptr);
        sigaction(SIGTERM, &previousTerminate_, nullptr);
    }
    QuitOnSignals(const QuitOnSignals&) = delete;
    QuitOnSignals& operator=(const QuitOnSignals&) = delete;

private:
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction previousInterrupt_ = {};
    struct sigaction previousTerminate_ = {};
};

} // namespace

std::unique_ptr<QWidget> makePluginWindow(ShowSession& session)
{
    ui::ViewController* controller = session.effect().principal().userInterface();
    if (!controller)
        throw HostError(ExitCode::effect, "show: the effect " + session.effect().manifest().name + " has no view");

    auto window = std::make_unique<QWidget>();
    window->setWindowTitle(QString::fromStdString(session.effect().manifest().name));
    auto* layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    // The window takes the view over; the principal (which the session keeps) made it.
    layout->addWidget(controller->view());
    const QSizeF preferred = controller->preferredContentSize();
    if (!preferred.isEmpty())
        window->resize(int(std::ceil(preferred.width())), int(std::ceil(preferred.height())));
    return window;
}

int showPluginWindow(ShowSession& session, const Console& console)
{
    const std::unique_ptr<QWidget> window = makePluginWindow(session);
    window->show();
    const QuitOnSignals quitOnSignals;
    console.out << "showing " << session.effect().manifest().name << "; close the window (or press Ctrl-C) to stop"
                << std::endl;
    return QApplication::exec();
}

} // namespace zindlehost

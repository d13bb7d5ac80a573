#include "tools/zindle-host/PluginWindow.h"

#include "tools/zindle-host/HostError.h"
#include "tools/zindle-host/ShowSession.h"

#include "platform/ui/ViewController.h"

#include <QApplication>
#include <QVBoxLayout>

#include <cmath>
#include <ostream>

namespace zindlehost {

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
    console.out << "showing " << session.effect().manifest().name << "; close the window to stop" << std::endl;
    return QApplication::exec();
}

} // namespace zindlehost

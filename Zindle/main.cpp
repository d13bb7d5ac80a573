// The application's entry: one instance per user. A launch while one runs hands its links to
// it and ends, before it connects to any display; the first launch starts up, shows its window
// and routes the links of its own command line.

#include "Zindle/MainWindow.h"
#include "Zindle/SingleInstance.h"
#include "Zindle/ZindleApp.h"

#include "platform/shaderview/Device.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

// The links are every argument, taken before Qt takes its own options out, so that a link
// routes the same whether this launch hands it over or opens it itself.
QStringList commandLineLinks(int argc, char** argv)
{
    QStringList links;
    for (int i = 1; i < argc; ++i)
        links << QString::fromLocal8Bit(argv[i]);
    return links;
}

// The instance lock tells a live holder from a process that reused its id by the name of the
// holder's executable, so the lock is written under that name.
QString executableName()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? QStringLiteral("zindle") : QString::fromStdString(executable.filename().string());
}

QtMessageHandler defaultMessageHandler = nullptr;

// Qt stops the process when no window system can be reached; the application says so in its
// own words and fails instead.
void failWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        defaultMessageHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "zindle: cannot show a window: no display could be opened (DISPLAY is %s)\n",
                 std::getenv("DISPLAY") ? "set, but its server did not answer" : "not set");
    std::fflush(stderr);
    std::_Exit(1);
}

std::unique_ptr<QApplication> makeApplication(int& argc, char** argv)
{
    defaultMessageHandler = qInstallMessageHandler(failWithoutDisplay);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(defaultMessageHandler);
    return application;
}

} // namespace

int main(int argc, char** argv)
{
    const QStringList urls = commandLineLinks(argc, argv);
    QCoreApplication::setApplicationName(executableName());

    std::unique_ptr<QApplication> application; // made once this launch is the one instance; goes last
    zindleapp::SingleInstance instance;
    switch (instance.start(urls)) {
    case zindleapp::SingleInstance::Role::handedOver:
        return 0;
    case zindleapp::SingleInstance::Role::failed:
        std::fprintf(stderr, "zindle: %s\n", qPrintable(instance.errorString()));
        return 1;
    case zindleapp::SingleInstance::Role::primary:
        break;
    }

    shaderview::prepareApplication();
    application = makeApplication(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("zindle"));

    zindleapp::ZindleApp app;
    instance.onDelivery = [&app](const QStringList& delivered) {
        app.showMainWindow();
        app.appDelegate().application(delivered);
    };
    instance.listen();
    if (!instance.errorString().isEmpty())
        std::fprintf(stderr, "zindle: warning: %s\n", qPrintable(instance.errorString()));
    app.appDelegate().applicationDidFinishLaunching(application.get());
    app.showMainWindow();
    if (!urls.isEmpty())
        QTimer::singleShot(0, application.get(), [&app, urls] { app.appDelegate().application(urls); });
    return application->exec();
}

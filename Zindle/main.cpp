// The application's entry: one instance per user. A launch while one runs hands its links to
// it and ends; the first launch starts up, shows its window and routes the links of its own
// command line.

#include "Zindle/MainWindow.h"
#include "Zindle/SingleInstance.h"
#include "Zindle/ZindleApp.h"

#include "platform/shaderview/Device.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    shaderview::prepareApplication();
    QApplication application(argc, argv);
    // The application name stays the program's own: the instance lock checks a live holder by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("zindle"));

    // What is left after Qt took its own options: the links to open.
    QStringList urls = QApplication::arguments();
    urls.removeFirst();

    zindleapp::SingleInstance instance;
    switch (instance.start(urls)) {
    case zindleapp::SingleInstance::Role::handedOver:
        return 0;
    case zindleapp::SingleInstance::Role::failed:
        std::fprintf(stderr, "zindle: %s\n", qPrintable(instance.errorString()));
        return 1;
    case zindleapp::SingleInstance::Role::primary:
        if (!instance.errorString().isEmpty())
            std::fprintf(stderr, "zindle: warning: %s\n", qPrintable(instance.errorString()));
        break;
    }

    zindleapp::ZindleApp app;
    instance.onDelivery = [&app](const QStringList& delivered) {
        app.showMainWindow();
        app.appDelegate().application(delivered);
    };
    app.appDelegate().applicationDidFinishLaunching(&application);
    app.showMainWindow();
    if (!urls.isEmpty())
        QTimer::singleShot(0, &application, [&app, urls] { app.appDelegate().application(urls); });
    return application.exec();
}

// An application that ends while a fetch is under way. This program makes its own application
// object (it has no GUI test main), so the test can destroy it.

#include "platform/foundation/Fetch.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QTcpServer>

#include <memory>

namespace foundation {
namespace {

// Qt's host-lookup service goes as the application starts to be destroyed, before the
// application's children; a network manager still alive then takes a reply that is resolving
// its host down with the program. The fetch layer's manager must be gone by that point.
TEST(FetchShutdown, TheNetworkManagerIsGoneBeforeTheApplicationsServices)
{
    int argc = 1;
    char name[] = "fetch-shutdown";
    char* argv[] = {name, nullptr};
    auto application = std::make_unique<QCoreApplication>(argc, argv);

    QTcpServer server; // accepts and never answers, so the request is under way at the end
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    bool completed = false;
    fetch(QUrl(QStringLiteral("http://127.0.0.1:%1/feed.xml").arg(server.serverPort())),
          [&](FetchResult) { completed = true; });
    QElapsedTimer waited;
    waited.start();
    while (!server.hasPendingConnections() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(server.hasPendingConnections());
    ASSERT_EQ(application->findChildren<QNetworkAccessManager*>().size(), 1);

    QObject* const raw = application.get();
    qsizetype managersWhenServicesGo = -1;
    QObject::connect(raw, &QObject::destroyed,
                     [&] { managersWhenServicesGo = raw->findChildren<QNetworkAccessManager*>().size(); });
    application.reset();
    EXPECT_EQ(managersWhenServicesGo, 0);
    EXPECT_FALSE(completed) << "a request cut short by the end of the program reports nothing";
}

} // namespace
} // namespace foundation

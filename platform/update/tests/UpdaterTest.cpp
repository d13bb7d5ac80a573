// The updater end to end: a real HTTP server on 127.0.0.1, the fetch layer, the appcast reader
// and the standard dialog, as a user meets them.
#include "platform/update/StandardUpdaterController.h"
#include "platform/update/UpdaterDelegate.h"

#include "Mossbell/tests/QStringPrinter.h"
#include "platform/foundation/tests/EventLoopWait.h"
#include "testing/FeedServer.h"
#include "testing/UrlCatcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <fstream>

namespace update {
namespace {

using foundation::test::runEventLoopUntil;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using State = UpdateDialog::State;

QByteArray feed(const QByteArray& items)
{
    return R"(<?xml version="1.0" encoding="utf-8"?><rss version="2.0" xmlns:sparkle="urn:s"><channel>)" + items
           + "</channel></rss>";
}

QByteArray item(const QByteArray& version, const QByteArray& notes = "Better freeze.")
{
    return "<item><title>Zindle " + version + "</title><sparkle:shortVersionString>" + version
           + "</sparkle:shortVersionString><description>" + notes
           + "</description><link>https://vartlow.com/zindle/download/</link></item>";
}

class FeedDelegate final : public UpdaterDelegate {
public:
    QString feed;
    int asked = 0;
    QString feedURLString(const Updater&) override
    {
        ++asked;
        return feed;
    }
};

// An application bundle of version 1.2.9 named Zindle.
foundation::Bundle hostBundle(const QTemporaryDir& directory)
{
    const std::filesystem::path path = directory.path().toStdString();
    std::ofstream(path / "Info.json") << R"({"CFBundleName": "Zindle", "CFBundleShortVersionString": "1.2.9"})";
    return *foundation::Bundle::open(path);
}

// That application's updater and a feed server.
class UpdaterTest : public ::testing::Test {
protected:
    UpdaterTest()
    {
        delegate.feed = server.url().toString();
        controller.updater().setFeedTimeout(std::chrono::milliseconds(400));
    }

    UpdateDialog& dialog() { return *controller.userDriver().dialog(); }

    // Checks and waits for the outcome.
    State check()
    {
        controller.checkForUpdates(nullptr);
        EXPECT_TRUE(runEventLoopUntil([&] { return !controller.updater().sessionInProgress(); }));
        return dialog().state();
    }

    QTemporaryDir directory;
    testing_support::FeedServer server;
    FeedDelegate delegate;
    StandardUpdaterController controller{false, &delegate, hostBundle(directory)};
};

TEST_F(UpdaterTest, StartsOnlyWhenAsked)
{
    EXPECT_FALSE(controller.startedAtConstruction());
    EXPECT_FALSE(controller.updater().isStarted());
    controller.checkForUpdates(nullptr);
    EXPECT_EQ(dialog().state(), State::failed);
    EXPECT_EQ(dialog().message(), "The updater has not been started.");
    EXPECT_EQ(server.requests(), 0);

    controller.startUpdater();
    EXPECT_TRUE(controller.updater().isStarted());
    EXPECT_EQ(controller.updaterDelegate(), &delegate);
}

TEST_F(UpdaterTest, ANewerReleaseShowsItsNotesAndOpensItsDownloadPage)
{
    controller.startUpdater();
    server.serve(feed(item("1.2.5") + item("1.3.0", "<![CDATA[<p>Freeze <b>holds</b> longer.</p>]]>")));
    controller.checkForUpdates(nullptr);
    EXPECT_TRUE(controller.updater().sessionInProgress()) << "the check runs on, the caller goes on";
    EXPECT_EQ(dialog().state(), State::checking);
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_TRUE(dialog().progress()->isVisible());
    ASSERT_TRUE(runEventLoopUntil([&] { return !controller.updater().sessionInProgress(); }));

    EXPECT_EQ(dialog().state(), State::updateFound);
    EXPECT_EQ(dialog().windowTitle(), "Zindle Update");
    EXPECT_EQ(dialog().title(), "A new version of Zindle is available");
    EXPECT_THAT(dialog().message().toStdString(), StartsWith("Zindle 1.3.0 is available; you have 1.2.9."));
    EXPECT_TRUE(dialog().releaseNotes()->isVisible());
    EXPECT_EQ(dialog().releaseNotes()->toPlainText(), "Freeze holds longer.");
    EXPECT_FALSE(dialog().progress()->isVisible());
    EXPECT_EQ(dialog().defaultButton()->text(), "Open Download Page");
    EXPECT_TRUE(dialog().laterButton()->isVisible());

    testing_support::UrlCatcher browser("https");
    QTest::mouseClick(dialog().defaultButton(), Qt::LeftButton);
    EXPECT_EQ(browser.urls, std::vector<QUrl>{QUrl("https://vartlow.com/zindle/download/")});
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(server.lastRequestLine(), "GET /zindle/zindle.xml HTTP/1.1");
}

TEST_F(UpdaterTest, EachOutcomeInWords)
{
    controller.startUpdater();
    struct Case {
        const char* what;
        std::function<void()> setUp;
        State state;
        std::string message; // its start
    };
    const Case cases[] = {
        {"the same version", [&] { server.serve(feed(item("1.2.9"))); }, State::upToDate,
         "Version 1.2.9 is the newest version available."},
        {"only older ones", [&] { server.serve(feed(item("1.2.8") + item("0.9"))); }, State::upToDate, "Version 1.2.9"},
        {"a malformed feed", [&] { server.serve("<rss><channel><item>"); }, State::failed,
         "The update feed could not be read: it is not well-formed XML: "},
        {"an error page", [&] { server.serve("<html>gone</html>", 404); }, State::failed,
         "The update server answered with HTTP status 404 instead of the feed."},
        {"a server that never answers", [&] { server.hang(); }, State::failed,
         "The update feed could not be fetched: the request timed out."},
        {"no server", [&] { delegate.feed = "http://127.0.0.1:1/zindle/zindle.xml"; }, State::failed,
         "The update feed could not be fetched: "},
        {"no feed", [&] { delegate.feed = ""; }, State::failed, "No update feed is set for this application."},
        {"a feed over plain HTTP", [&] { delegate.feed = "http://updates.vartlow.com/zindle/zindle.xml"; },
         State::failed, "The update feed address \u201chttp://updates.vartlow.com/zindle/zindle.xml\u201d is not secure"},
    };
    for (const Case& c : cases) {
        c.setUp();
        EXPECT_EQ(check(), c.state) << c.what;
        EXPECT_THAT(dialog().message().toStdString(), StartsWith(c.message)) << c.what;
        EXPECT_EQ(dialog().defaultButton()->text(), "OK") << c.what;
        EXPECT_FALSE(dialog().releaseNotes()->isVisible()) << c.what;
    }
    EXPECT_EQ(server.requests(), 5) << "refused, missing and insecure feeds are never asked for";
    EXPECT_EQ(dialog().title(), "The update check failed");
}

TEST_F(UpdaterTest, ASecondCheckWhileOneRunsStartsNoOther)
{
    controller.startUpdater();
    controller.updater().setFeedTimeout(std::chrono::seconds(20));
    server.hang();
    controller.checkForUpdates(nullptr);
    ASSERT_TRUE(runEventLoopUntil([&] { return server.requests() == 1; }));
    dialog().hide();
    controller.checkForUpdates(nullptr);
    foundation::test::runEventLoopFor(std::chrono::milliseconds(100));
    EXPECT_EQ(server.requests(), 1);
    EXPECT_EQ(delegate.asked, 1);
    EXPECT_TRUE(dialog().isVisible()) << "the running check comes to the front instead";

    // Cancelling ends it; nothing follows it, and a new check may start.
    QTest::mouseClick(dialog().defaultButton(), Qt::LeftButton);
    EXPECT_FALSE(controller.updater().sessionInProgress());
    EXPECT_FALSE(dialog().isVisible());
    server.serve(feed(item("1.2.9")));
    EXPECT_EQ(check(), State::upToDate);
    EXPECT_EQ(server.requests(), 2);
}

} // namespace
} // namespace update

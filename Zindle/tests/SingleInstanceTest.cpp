// One running application per user: the hand-over of links in process, then between real
// processes of bin/zindle, whose update check meets a feed server here; and a socket a crashed
// instance left behind does not stop the next start.
#include "Zindle/SingleInstance.h"

#include "Mossbell/tests/QStringPrinter.h"
#include "platform/foundation/tests/EventLoopWait.h"
#include "testing/FeedServer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace zindleapp {
namespace {

using ::testing::HasSubstr;
using foundation::test::runEventLoopFor;
using foundation::test::runEventLoopUntil;
using namespace std::chrono_literals;

TEST(SingleInstanceTest, ALaterStartHandsItsLinksToTheFirst)
{
    QTemporaryDir directory;
    const QString name = directory.filePath("zindle.socket");
    SingleInstance first(name);
    std::vector<QStringList> delivered;
    first.onDelivery = [&](const QStringList& urls) { delivered.push_back(urls); };
    ASSERT_EQ(first.start({"zindle://ignored-by-the-first"}), SingleInstance::Role::primary) << first.errorString().toStdString();
    first.listen();

    SingleInstance second(name);
    EXPECT_EQ(second.start({"zindle://openAndUpdate", "https://vartlow.com/ a b"}), SingleInstance::Role::handedOver);
    SingleInstance third(name);
    EXPECT_EQ(third.start({}), SingleInstance::Role::handedOver);
    ASSERT_TRUE(runEventLoopUntil([&] { return delivered.size() == 2; }));
    EXPECT_EQ(delivered[0], (QStringList{"zindle://openAndUpdate", "https://vartlow.com/ a b"}));
    EXPECT_EQ(delivered[1], QStringList{}) << "a bare second launch only brings the first to the front";
}

// bin/zindle, on the offscreen platform, with the user's runtime directory and the feed of this
// test; its update checks are requests to the feed server.
class Launches : public ::testing::Test {
protected:
    ~Launches() override
    {
        for (QProcess* process : processes_) {
            process->kill();
            process->waitForFinished(5000);
            delete process;
        }
    }

    enum class Display { offscreen, none };

    QProcessEnvironment launchEnvironment(Display display) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (display == Display::offscreen) {
            environment.insert("QT_QPA_PLATFORM", "offscreen");
        } else {
            for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                environment.remove(variable);
        }
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        environment.insert("ZINDLE_UPDATE_FEED_URL", feed.url().toString());
        return environment;
    }

    QProcess& launch(const QStringList& arguments, Display display = Display::offscreen)
    {
        auto* process = new QProcess;
        processes_.push_back(process);
        process->setProcessEnvironment(launchEnvironment(display));
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(ZINDLE_PROGRAM, arguments);
        EXPECT_TRUE(process->waitForStarted(5000));
        return *process;
    }

    // Launches the one instance and waits until it listens.
    QProcess& launchFirst(const QStringList& arguments = {})
    {
        QProcess& first = launch(arguments);
        EXPECT_TRUE(runEventLoopUntil([&] { return QFileInfo(socket()).lastModified() > startedAfter_; }));
        return first;
    }

    // A later launch: it must end soon, having handed its links over.
    void handOver(const QStringList& arguments, Display display = Display::offscreen)
    {
        QProcess& later = launch(arguments, display);
        ASSERT_TRUE(runEventLoopUntil([&] { return later.state() == QProcess::NotRunning; }, 15s));
        EXPECT_EQ(later.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(later.exitCode(), 0);
    }

    QString socket() const { return runtime.filePath("zindle.socket"); }
    // The next launchFirst waits for a socket newer than the one there now (a second's margin
    // from the clock would take a socket made less than a second ago for the new one).
    void expectANewerSocket() { startedAfter_ = QFileInfo(socket()).lastModified(); }

    QTemporaryDir runtime;
    testing_support::FeedServer feed;
    QDateTime startedAfter_ = QDateTime::currentDateTime().addSecs(-1);

private:
    std::vector<QProcess*> processes_;
};

TEST_F(Launches, TheUpdateLinkOfALaterLaunchReachesTheRunningApplication)
{
    feed.serve("<rss><channel/></rss>");
    QProcess& first = launchFirst();
    runEventLoopFor(300ms);
    EXPECT_EQ(feed.requests(), 0) << "no check of its own at start";

    handOver({"zindle://openAndUpdate/any?thing#x"});
    ASSERT_TRUE(runEventLoopUntil([&] { return feed.requests() == 1; }));
    EXPECT_EQ(feed.lastRequestLine(), "GET /zindle/zindle.xml HTTP/1.1");

    handOver({"zindle://openandupdate"});
    handOver({});
    runEventLoopFor(500ms);
    EXPECT_EQ(feed.requests(), 1) << "other links ask for nothing";
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(Launches, TheFirstLaunchRoutesItsOwnLinks)
{
    feed.serve("<rss><channel/></rss>");
    launchFirst({"zindle://openAndUpdate"});
    EXPECT_TRUE(runEventLoopUntil([&] { return feed.requests() == 1; }));
}

// The hand-over comes before any display connection (and so before any GL driver is loaded):
// a launch from a terminal without a display still reaches the running application, and only
// a launch that would show the window needs one.
TEST_F(Launches, ALaterLaunchNeedsNoDisplay)
{
    feed.serve("<rss><channel/></rss>");
    launchFirst();
    handOver({"zindle://openAndUpdate"}, Display::none);
    EXPECT_TRUE(runEventLoopUntil([&] { return feed.requests() == 1; }));

    QTemporaryDir elsewhere; // no instance there: this launch would be the first
    QProcess alone;
    QProcessEnvironment environment = launchEnvironment(Display::none);
    environment.insert("XDG_RUNTIME_DIR", elsewhere.path());
    alone.setProcessEnvironment(environment);
    alone.start(ZINDLE_PROGRAM, {});
    ASSERT_TRUE(alone.waitForFinished(15000));
    EXPECT_EQ(alone.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(alone.exitCode(), 1);
    EXPECT_THAT(alone.readAllStandardError().toStdString(), HasSubstr("zindle: cannot show a window: no display could be opened"));
}

TEST_F(Launches, ACrashedInstanceDoesNotStopTheNextStart)
{
    feed.serve("<rss><channel/></rss>");
    QProcess& crashed = launchFirst();
    crashed.kill(); // SIGKILL: nothing is cleaned up
    ASSERT_TRUE(crashed.waitForFinished(5000));
    ASSERT_TRUE(QFileInfo::exists(socket())) << "the dead instance's socket is left behind";
    ASSERT_TRUE(QFileInfo::exists(socket() + ".lock"));

    expectANewerSocket();
    QProcess& next = launchFirst();
    runEventLoopFor(300ms);
    EXPECT_EQ(next.state(), QProcess::Running) << "it became the one instance";
    handOver({"zindle://openAndUpdate"});
    EXPECT_TRUE(runEventLoopUntil([&] { return feed.requests() == 1; }));
}

} // namespace
} // namespace zindleapp

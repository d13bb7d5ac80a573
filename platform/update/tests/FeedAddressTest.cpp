#include "platform/update/FeedAddress.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace update {
namespace {

// Plain http could hand any machine on the way the feed; only this machine may serve it so.
TEST(UpdateFeed, AnOverrideIsHttpsOrHttpToThisMachine)
{
    const std::pair<const char*, bool> cases[] = {
        {"https://mirror.example/zindle/zindle.xml", true},
        {"HTTPS://Mirror.Example:8443/feed.xml", true},
        {"http://127.0.0.1:8/feed.xml", true},
        {"http://127.200.3.4/feed.xml", true},
        {"http://[::1]:8080/feed.xml", true},
        {"http://localhost:8/feed.xml", true},
        {"http://LocalHost/feed.xml", true},
        {"http://updates.vartlow.com/zindle/zindle.xml", false},
        {"http://192.168.1.5/feed.xml", false},
        {"http://[::ffff:10.0.0.1]/feed.xml", false},
        {"http://127.0.0.1.example/feed.xml", false},
        {"http://localhost.example/feed.xml", false},
        {"ftp://127.0.0.1/feed.xml", false},
        {"file:///etc/zindle.xml", false},
        {"https:///feed.xml", false},
        {"/zindle/zindle.xml", false},
        {"not an address", false},
    };
    for (const auto& [text, accepted] : cases) {
        QString rejection;
        const auto url = feedUrlOverride(QString::fromUtf8(text), &rejection);
        EXPECT_EQ(url.has_value(), accepted) << text;
        EXPECT_EQ(rejection.isEmpty(), accepted) << text;
        if (url) {
            EXPECT_EQ(*url, QUrl(QString::fromUtf8(text))) << text;
        }
    }
}

TEST(UpdateFeed, DefaultAddressAndItsOverride)
{
    qunsetenv("ZINDLE_UPDATE_FEED_URL");
    const QUrl address = feedUrl();
    EXPECT_EQ(address.scheme(), "https");
    EXPECT_EQ(address.path(), "/zindle/zindle.xml");
    EXPECT_FALSE(address.host().isEmpty());

    qputenv("ZINDLE_UPDATE_FEED_URL", "http://127.0.0.1:8/feed.xml");
    EXPECT_EQ(feedUrl(), QUrl("http://127.0.0.1:8/feed.xml"));
    qunsetenv("ZINDLE_UPDATE_FEED_URL");
}

std::vector<std::string> warnings;
void collectWarning(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtWarningMsg)
        warnings.push_back(text.toStdString());
}

TEST(UpdateFeed, ARefusedOverrideIsIgnoredWithOneWarning)
{
    const QUrl standard = [] {
        qunsetenv("ZINDLE_UPDATE_FEED_URL");
        return feedUrl();
    }();
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectWarning);
    qputenv("ZINDLE_UPDATE_FEED_URL", "http://mirror.example/feed.xml");
    EXPECT_EQ(feedUrl(), standard);
    EXPECT_EQ(feedUrl(), standard) << "every reader ignores it, one warns";
    qputenv("ZINDLE_UPDATE_FEED_URL", "gopher://127.0.0.1/feed.xml");
    EXPECT_EQ(feedUrl(), standard);
    qInstallMessageHandler(previous);
    qunsetenv("ZINDLE_UPDATE_FEED_URL");

    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0], "zindle: ignoring ZINDLE_UPDATE_FEED_URL 'http://mirror.example/feed.xml': only https, "
                           "or http to a loopback address, may serve the update feed; reading "
                               + standard.toString().toStdString());
    EXPECT_NE(warnings[1].find("'gopher://127.0.0.1/feed.xml'"), std::string::npos);
}

} // namespace
} // namespace update

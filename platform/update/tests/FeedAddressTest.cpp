#include "platform/update/FeedAddress.h"

#include <gtest/gtest.h>

#include <utility>

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

} // namespace
} // namespace update

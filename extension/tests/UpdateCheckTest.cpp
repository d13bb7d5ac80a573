#include "ModelTestSupport.h"

#include "testing/FeedServer.h"

#include "extension/SimpleSparklerChecker.h"

#include "platform/update/FeedAddress.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zindle {
namespace {

QByteArray feed(const std::vector<std::string>& versions)
{
    QByteArray document = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:sparkle="urn:zindle:test-feed">
<channel><title>Zindle</title>)";
    for (const auto& version : versions)
        document += "<item><sparkle:shortVersionString>" + QByteArray::fromStdString(version) +
                    "</sparkle:shortVersionString><title>Version</title></item>\n";
    document += "</channel></rss>";
    return document;
}

TEST(SimpleSparklerChecker, CollectsTrimmedVersionTextsInDocumentOrder)
{
    SimpleSparklerChecker checker;
    checker.parse(feed({"1.2", "  \n 1.3.0\t\n", "0.9"}));
    EXPECT_EQ(checker.versions(), (std::vector<QString>{"1.2", "1.3.0", "0.9"}));
    EXPECT_EQ(checker.latestVersion(), QString("1.3.0"));
}

TEST(SimpleSparklerChecker, WhatIsAndIsNotRead)
{
    struct Case {
        const char* label;
        QByteArray document;
        std::vector<QString> versions;
    };
    const std::vector<Case> cases{
        {"attribute only",
         R"(<rss xmlns:sparkle="s"><item><enclosure sparkle:shortVersionString="9.0" url="x"/></item></rss>)", {}},
        {"another prefix", R"(<rss xmlns:sp="s"><sp:shortVersionString>2.0</sp:shortVersionString></rss>)", {}},
        {"no prefix", R"(<rss><shortVersionString>2.0</shortVersionString></rss>)", {}},
        {"not XML", "this is not a feed", {}},
        {"empty", "", {}},
        {"entities", R"(<r><sparkle:shortVersionString>1&#46;4</sparkle:shortVersionString><x/></r>)", {"1.4"}},
        {"CDATA is not character data",
         R"(<r><sparkle:shortVersionString><![CDATA[7.0]]>1.1</sparkle:shortVersionString><x/></r>)", {"1.1"}},
        {"broken after the first",
         R"(<r><sparkle:shortVersionString>1.1</sparkle:shortVersionString><oops></r><sparkle:shortVersionString>5.0</sparkle:shortVersionString>)",
         {"1.1"}},
        // The enclosing element ends right after the version element: the text comes again.
        {"enclosing end repeats", R"(<r><i><sparkle:shortVersionString>1.6</sparkle:shortVersionString></i></r>)",
         {"1.6", "1.6", "1.6"}},
    };
    for (const Case& c : cases) {
        SimpleSparklerChecker checker;
        checker.parse(c.document);
        EXPECT_EQ(checker.versions(), c.versions) << c.label;
        EXPECT_EQ(checker.latestVersion().has_value(), !c.versions.empty()) << c.label;
    }
}

TEST(SimpleSparklerChecker, CallbacksKeepTheCurrentElement)
{
    SimpleSparklerChecker checker;
    checker.didStartElement("shortVersionString", "sparkle:shortVersionString");
    checker.foundCharacters(" 1.");
    checker.foundCharacters("2 ");
    EXPECT_EQ(checker.currentValue(), " 1.2 ");
    checker.didEndElement();
    checker.didEndElement();
    EXPECT_EQ(checker.currentElement(), "sparkle:shortVersionString");
    EXPECT_EQ(checker.versions(), (std::vector<QString>{"1.2", "1.2"}));

    checker.didStartElement("title", "");
    EXPECT_EQ(checker.currentElement(), "title") << "the element name when there is no qualified name";
    EXPECT_TRUE(checker.currentValue().isEmpty());
    checker.didEndElement();
    EXPECT_EQ(checker.versions().size(), 2u);
}

TEST(SimpleSparklerChecker, LatestIsTheLargestWeightFirstOfEqualOnes)
{
    struct Case {
        std::vector<std::string> versions;
        std::optional<QString> latest;
    };
    const std::vector<Case> cases{
        {{}, std::nullopt},
        {{"2.0", "1.5"}, "2.0"},
        {{"1.5", "0.9"}, "1.5"},
        {{"0.9", "1.5", "1.2"}, "1.5"},
        {{"1.100", "2.0"}, "1.100"}, // equal weights: the first
        {{"2.0", "1.100"}, "2.0"},
        {{"beta", "0.0.0"}, "beta"},
    };
    for (const Case& c : cases) {
        SimpleSparklerChecker checker;
        checker.parse(feed(c.versions));
        EXPECT_EQ(checker.latestVersion(), c.latest) << (c.versions.empty() ? "" : c.versions.front());
    }
}

// A model whose plug-in version the test chooses.
class VersionedSettings : public Settings {
public:
    std::string version = "1.0";
    std::string pluginVersion() const override { return version; }
};

class UpdateCheck : public ::testing::Test {
protected:
    // Runs one check to its end.
    void check(const std::string& pluginVersion)
    {
        settings->version = pluginVersion;
        bool finished = false;
        settings->checkForUpdates([&] { finished = true; });
        ASSERT_TRUE(test::spinUntil([&] { return finished; }));
    }
    std::optional<std::string> announced() const
    {
        const auto& details = settings->updateDetails();
        return details ? std::optional(details->newVersion) : std::nullopt;
    }

    testing_support::FeedServer server;
    std::shared_ptr<VersionedSettings> settings = [this] {
        auto s = std::make_shared<VersionedSettings>();
        s->setUpdateFeedUrl(server.url());
        return s;
    }();
};

TEST_F(UpdateCheck, AnnouncesAFeedVersionOfGreaterWeight)
{
    struct Case {
        std::vector<std::string> feedVersions;
        std::string pluginVersion;
        std::optional<std::string> announced;
        int status = 200;
    };
    const std::vector<Case> cases{
        {{"1.3.0"}, "1.2.9", "1.3.0"},
        {{"1.2.9"}, "1.2.9", std::nullopt},
        {{"2.0", "1.5"}, "1.0", "2.0"},
        {{"1.5", "0.9"}, "1.0", "1.5"},
        {{"0.9", "0.8"}, "1.0", std::nullopt},
        {{" \n 1.3\n "}, "1.2", "1.3"},
        {{"0.0.1"}, "Unknown", "0.0.1"},
        {{"1.1"}, "1.0", "1.1", 404}, // the status is not looked at
        {{}, "1.0", std::nullopt},
    };
    for (const Case& c : cases) {
        settings->setUpdateDetails(std::nullopt);
        server.serve(feed(c.feedVersions), c.status);
        check(c.pluginVersion);
        EXPECT_EQ(announced(), c.announced) << c.pluginVersion;
    }
    EXPECT_EQ(server.requests(), int(cases.size()));
    EXPECT_EQ(server.lastRequestLine(), "GET /zindle/zindle.xml HTTP/1.1");
}

TEST_F(UpdateCheck, ALaterCheckFindingNothingKeepsTheNotice)
{
    server.serve(feed({"1.4"}));
    check("1.0");
    EXPECT_EQ(announced(), "1.4");
    server.serve(feed({"0.1"}));
    check("1.0");
    EXPECT_EQ(announced(), "1.4");
    server.serve("garbage");
    check("1.0");
    EXPECT_EQ(announced(), "1.4");
}

TEST_F(UpdateCheck, NoServerChangesNothing)
{
    settings->setUpdateFeedUrl(test::refusedFeedUrl());
    check("0.1");
    EXPECT_EQ(announced(), std::nullopt);
    EXPECT_EQ(server.requests(), 0);
}

// A feed past the limit fails the check, however good its news: the check never holds more.
TEST_F(UpdateCheck, AFeedLargerThanTheLimitFailsTheCheck)
{
    QByteArray document = feed({"9.0"});
    server.serve(document);
    check("1.0");
    EXPECT_EQ(announced(), "9.0") << "the document itself announces";

    settings->setUpdateDetails(std::nullopt);
    document.insert(document.indexOf("<channel>"), QByteArray(update::feedSizeLimit, ' '));
    server.serve(document);
    check("1.0");
    EXPECT_EQ(announced(), std::nullopt);
}

TEST_F(UpdateCheck, TheCheckHoldsTheModelUntilItEnds)
{
    server.serve(feed({"3.0"}));
    std::weak_ptr<VersionedSettings> watch = settings;
    bool finished = false;
    settings->checkForUpdates([&] { finished = true; });
    settings.reset();
    EXPECT_FALSE(watch.expired());
    ASSERT_TRUE(test::spinUntil([&] { return finished; }));
    test::runMainQueue();
    EXPECT_TRUE(watch.expired());
}

// The check reads the product's feed, override included.
TEST(UpdateFeed, TheCheckReadsTheProductsFeed)
{
    qunsetenv("ZINDLE_UPDATE_FEED_URL");
    EXPECT_EQ(Settings().updateFeedUrl(), update::feedUrl());
    qputenv("ZINDLE_UPDATE_FEED_URL", "http://127.0.0.1:8/feed.xml");
    EXPECT_EQ(Settings().updateFeedUrl(), QUrl("http://127.0.0.1:8/feed.xml"));
    qunsetenv("ZINDLE_UPDATE_FEED_URL");
}

} // namespace
} // namespace zindle

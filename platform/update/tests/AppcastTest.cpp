#include "platform/update/Appcast.h"
#include "platform/update/FeedParser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QStringList>

namespace update {
namespace {

using ::testing::HasSubstr;

// What the reader reports, as one line per event.
class Recorder final : public FeedParserDelegate {
public:
    QStringList events;
    void parserDidStartElement(const QString& name, const QString& qualified, const QXmlStreamAttributes& attributes) override
    {
        events << "start " + name + " " + qualified + (attributes.isEmpty() ? "" : " @" + attributes.first().qualifiedName().toString());
    }
    void parserFoundCharacters(const QString& text) override { events << "text " + text; }
    void parserFoundCDATA(const QString& text) override { events << "cdata " + text; }
    void parserDidEndElement(const QString& name, const QString& qualified) override { events << "end " + name + " " + qualified; }
};

TEST(FeedParser, ReportsElementsTextAndCdataApartAndStopsAtAFault)
{
    Recorder recorder;
    const auto fault = parseFeed(R"(<r><sparkle:v a:b="1">1&#46;2<![CDATA[<x>]]></sparkle:v><oops></r><late/>)", recorder);
    EXPECT_EQ(recorder.events, (QStringList{"start r r", "start v sparkle:v @a:b", "text 1.2", "cdata <x>",
                                            "end v sparkle:v", "start oops oops"}));
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->line, 1);
    EXPECT_THAT(fault->description().toStdString(), HasSubstr("(line 1, column "));

    Recorder empty;
    EXPECT_TRUE(parseFeed("", empty).has_value()) << "an empty document is not a feed";
    Recorder fine;
    EXPECT_FALSE(parseFeed("<r/>", fine).has_value());
}

const QByteArray realisticFeed = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:sparkle="http://www.andymatuschak.org/xml-namespaces/sparkle">
  <channel>
    <title>Zindle</title>
    <link>https://vartlow.com/zindle/</link>
    <item>
      <title>Zindle 1.3</title>
      <sparkle:version>130</sparkle:version>
      <sparkle:shortVersionString> 1.3.0 </sparkle:shortVersionString>
      <description><![CDATA[<h2>New</h2><p>Freeze holds longer.</p>]]></description>
      <link>https://vartlow.com/zindle/download/</link>
      <enclosure url="https://updates.vartlow.com/zindle/Zindle-1.3.0.tar.xz" sparkle:version="999" length="1"/>
      <sparkle:deltas>
        <enclosure url="https://updates.vartlow.com/zindle/delta.xz" sparkle:shortVersionString="9.9"/>
      </sparkle:deltas>
    </item>
    <item>
      <title>Zindle 1.2.5</title>
      <sparkle:releaseNotesLink>https://vartlow.com/zindle/1.2.5.html</sparkle:releaseNotesLink>
      <enclosure url="https://updates.vartlow.com/zindle/Zindle-1.2.5.tar.xz"
                 sparkle:version="125" sparkle:shortVersionString="1.2.5"/>
    </item>
    <item><title>No version at all</title></item>
  </channel>
</rss>)";

TEST(Appcast, ReadsEachItemFromItsOwnChildrenAndTheEnclosure)
{
    const Appcast appcast = Appcast::parse(realisticFeed);
    ASSERT_EQ(appcast.items().size(), 3u);
    const AppcastItem& first = appcast.items()[0];
    EXPECT_EQ(first.title, "Zindle 1.3");
    EXPECT_EQ(first.version, "130") << "the element wins over the enclosure's attribute";
    EXPECT_EQ(first.shortVersionString, "1.3.0") << "trimmed; the delta's version is not the item's";
    EXPECT_EQ(first.itemDescription, "<h2>New</h2><p>Freeze holds longer.</p>");
    EXPECT_EQ(first.link, QUrl("https://vartlow.com/zindle/download/"));
    EXPECT_EQ(first.enclosureURL, QUrl("https://updates.vartlow.com/zindle/Zindle-1.3.0.tar.xz"));
    EXPECT_EQ(first.downloadPage(), first.link);

    const AppcastItem& second = appcast.items()[1];
    EXPECT_EQ(second.version, "125");
    EXPECT_EQ(second.displayVersionString(), "1.2.5");
    EXPECT_EQ(second.releaseNotesLink, QUrl("https://vartlow.com/zindle/1.2.5.html"));
    EXPECT_EQ(second.downloadPage(), second.enclosureURL) << "no link: the enclosure";

    EXPECT_TRUE(appcast.items()[2].displayVersionString().isEmpty());
    EXPECT_EQ(appcast.newestItem(), &first);
}

TEST(Appcast, TheNewestItemWeighsMostAndAFeedOnlySendsUsersToTheWeb)
{
    auto item = [](const char* version, const char* link = "", const char* enclosure = "") {
        return QByteArray("<item><sparkle:shortVersionString>") + version + "</sparkle:shortVersionString><link>" + link
               + "</link><enclosure url=\"" + enclosure + "\"/></item>";
    };
    auto feed = [](const QByteArray& items) { return Appcast::parse("<rss><channel>" + items + "</channel></rss>"); };

    EXPECT_EQ(feed(item("1.5") + item("2.0") + item("1.9")).newestItem()->shortVersionString, "2.0");
    EXPECT_EQ(feed(item("1.100", "https://a/") + item("2.0", "https://b/")).newestItem()->link, QUrl("https://a/"))
        << "equal weights: the first";
    EXPECT_EQ(feed("").newestItem(), nullptr);

    EXPECT_EQ(feed(item("2", "javascript:alert(1)", "https://d/z.xz")).items()[0].downloadPage(), QUrl("https://d/z.xz"));
    EXPECT_TRUE(feed(item("2", "file:///etc/passwd", "ftp://d/z")).items()[0].downloadPage().isEmpty());
}

TEST(Appcast, WhatIsNotAnAppcastSaysWhy)
{
    const std::pair<QByteArray, std::string> cases[] = {
        {"", "not well-formed XML"},
        {"this is not a feed", "not well-formed XML"},
        {"<rss><channel><item>", "not well-formed XML"},
        {"<html><body>Moved</body></html>", "not an RSS document (its root element is <html>)"},
    };
    for (const auto& [document, reason] : cases) {
        try {
            Appcast::parse(document);
            ADD_FAILURE() << document.constData() << " was read";
        } catch (const AppcastError& error) {
            EXPECT_THAT(error.what(), HasSubstr(reason)) << document.constData();
        }
    }
}

} // namespace
} // namespace update

#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <stdexcept>
#include <vector>

namespace update {

/// One release of an appcast: an "item" of the RSS channel, read from its own child elements
/// (the enclosure's attributes stand in for versions the item does not give as elements).
struct AppcastItem {
    QString title;
    /// "sparkle:version": the release's build version.
    QString version;
    /// "sparkle:shortVersionString": the version users see.
    QString shortVersionString;
    /// "description": the release notes, plain text or HTML.
    QString itemDescription;
    /// "sparkle:releaseNotesLink": a page with the release notes.
    QUrl releaseNotesLink;
    /// "link": the release's page.
    QUrl link;
    /// The "url" attribute of "enclosure": the download itself.
    QUrl enclosureURL;

    /// shortVersionString, else version.
    const QString& displayVersionString() const;
    /// Where the user goes to get the release: link, else the enclosure's address; only web
    /// addresses (http, https) count, so a feed cannot send the user anywhere else. Empty
    /// when there is none.
    QUrl downloadPage() const;
};

/// A feed that cannot be read as an appcast: not well-formed, or not an RSS document.
class AppcastError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// An appcast: the releases an update feed lists, in document order. Immutable; any thread.
class Appcast {
public:
    /// Reads data with the update layer's feed reader. Throws AppcastError saying why (with
    /// the line) when the document is not well-formed XML or its root is not "rss".
    static Appcast parse(const QByteArray& data);

    const std::vector<AppcastItem>& items() const { return items_; }

    /// The release whose displayVersionString weighs most (convertVersionToWeight), the first
    /// of several such; items without a version are skipped. Null when none has one.
    const AppcastItem* newestItem() const;

private:
    std::vector<AppcastItem> items_;
};

} // namespace update

#pragma once

#include "platform/update/FeedParser.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace zindle {

/// Reads the version texts of an update feed (an appcast): the text of every
/// "sparkle:shortVersionString" element, trimmed, in document order. Nothing else of the feed
/// is read, attributes included. It walks the feed with the update layer's one feed reader.
/// One checker per feed; any thread, one at a time.
class SimpleSparklerChecker : private update::FeedParserDelegate {
public:
    /// Collects from the document, namespaces left unprocessed (the element names keep their
    /// prefix). A malformed document ends the parse; what was collected before stays.
    void parse(const QByteArray& data);

    /// The version of largest weight (convertVersionToWeight); the first in document order of
    /// several with that weight; nothing when none was collected.
    std::optional<QString> latestVersion() const;

    const std::vector<QString>& versions() const { return versions_; }
    const QString& currentElement() const { return currentElement_; }
    const QString& currentValue() const { return currentValue_; }

    // What the parse calls, in document order.

    /// An element starts: it becomes the current element (its qualified name when there is one)
    /// and the collected text starts empty.
    void didStartElement(const QString& elementName, const QString& qualifiedName);
    /// Character data (not CDATA sections) adds to the collected text.
    void foundCharacters(const QString& characters);
    /// An element ends: when the current element is the version element, its trimmed text is
    /// collected. The current element stays, so an enclosing element that ends right after the
    /// version element collects the same text again (which changes no result).
    void didEndElement();

private:
    void parserDidStartElement(const QString& elementName, const QString& qualifiedName,
                               const QXmlStreamAttributes& attributes) override;
    void parserFoundCharacters(const QString& characters) override;
    void parserDidEndElement(const QString& elementName, const QString& qualifiedName) override;

    std::vector<QString> versions_;
    QString currentElement_;
    QString currentValue_;
};

} // namespace zindle

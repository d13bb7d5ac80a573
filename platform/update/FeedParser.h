#pragma once

#include <QByteArray>
#include <QString>
#include <QXmlStreamAttributes>

#include <optional>

namespace update {

/// What a feed parse reports as it walks the document, in document order. Every callback does
/// nothing unless overridden, so a reader takes only what it needs.
class FeedParserDelegate {
public:
    virtual ~FeedParserDelegate() = default;

    /// An element starts. Namespaces are not processed: qualifiedName is the name as written,
    /// prefix included ("sparkle:version"), and elementName its local part.
    virtual void parserDidStartElement(const QString& elementName, const QString& qualifiedName,
                                       const QXmlStreamAttributes& attributes);
    /// Character data, entities resolved; CDATA sections come through parserFoundCDATA alone.
    virtual void parserFoundCharacters(const QString& characters);
    virtual void parserFoundCDATA(const QString& block);
    virtual void parserDidEndElement(const QString& elementName, const QString& qualifiedName);
};

/// Why a document is not well-formed XML, where the reader stopped.
struct FeedParseError {
    QString message;
    qint64 line = 0;
    qint64 column = 0;

    /// "<message> (line <n>, column <m>)".
    QString description() const;
};

/// The one reader of update feeds: walks data with QXmlStreamReader, namespace processing
/// off, and reports each element, its text and its end to delegate. A document that is not
/// well-formed ends the walk at the fault: what was reported before stays reported, and the
/// fault is returned (an empty document counts as one). Any thread; one walk at a time per
/// delegate.
std::optional<FeedParseError> parseFeed(const QByteArray& data, FeedParserDelegate& delegate);

} // namespace update

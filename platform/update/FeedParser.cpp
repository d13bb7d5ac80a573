#include "platform/update/FeedParser.h"

#include <QXmlStreamReader>

namespace update {

void FeedParserDelegate::parserDidStartElement(const QString&, const QString&, const QXmlStreamAttributes&) {}
void FeedParserDelegate::parserFoundCharacters(const QString&) {}
void FeedParserDelegate::parserFoundCDATA(const QString&) {}
void FeedParserDelegate::parserDidEndElement(const QString&, const QString&) {}

QString FeedParseError::description() const
{
    return QStringLiteral("%1 (line %2, column %3)").arg(message).arg(line).arg(column);
}

std::optional<FeedParseError> parseFeed(const QByteArray& data, FeedParserDelegate& delegate)
{
    QXmlStreamReader reader(data);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            delegate.parserDidStartElement(reader.name().toString(), reader.qualifiedName().toString(),
                                           reader.attributes());
            break;
        case QXmlStreamReader::Characters:
            if (reader.isCDATA())
                delegate.parserFoundCDATA(reader.text().toString());
            else
                delegate.parserFoundCharacters(reader.text().toString());
            break;
        case QXmlStreamReader::EndElement:
            delegate.parserDidEndElement(reader.name().toString(), reader.qualifiedName().toString());
            break;
        default:
            break;
        }
    }
    if (!reader.hasError())
        return std::nullopt;
    return FeedParseError{reader.errorString(), reader.lineNumber(), reader.columnNumber()};
}

} // namespace update

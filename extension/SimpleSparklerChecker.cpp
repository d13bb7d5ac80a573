#include "extension/SimpleSparklerChecker.h"

#include "extension/VersionWeight.h"

#include <QXmlStreamReader>

namespace zindle {

namespace {
const QString versionElement = QStringLiteral("sparkle:shortVersionString");
}

void SimpleSparklerChecker::parse(const QByteArray& data)
{
    QXmlStreamReader reader(data);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            didStartElement(reader.name().toString(), reader.qualifiedName().toString());
            break;
        case QXmlStreamReader::Characters:
            if (!reader.isCDATA())
                foundCharacters(reader.text().toString());
            break;
        case QXmlStreamReader::EndElement:
            didEndElement();
            break;
        default:
            break;
        }
    }
}

std::optional<QString> SimpleSparklerChecker::latestVersion() const
{
    if (versions_.empty())
        return std::nullopt;
    const QString* latest = &versions_.front();
    std::int64_t latestWeight = convertVersionToWeight(latest->toStdString());
    for (const QString& version : versions_) {
        const std::int64_t weight = convertVersionToWeight(version.toStdString());
        if (weight > latestWeight) {
            latest = &version;
            latestWeight = weight;
        }
    }
    return *latest;
}

void SimpleSparklerChecker::didStartElement(const QString& elementName, const QString& qualifiedName)
{
    currentElement_ = qualifiedName.isEmpty() ? elementName : qualifiedName;
    currentValue_.clear();
}

void SimpleSparklerChecker::foundCharacters(const QString& characters) { currentValue_ += characters; }

void SimpleSparklerChecker::didEndElement()
{
    if (currentElement_ == versionElement)
        versions_.push_back(currentValue_.trimmed());
}

} // namespace zindle

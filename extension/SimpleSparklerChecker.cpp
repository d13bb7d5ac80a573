#include "extension/SimpleSparklerChecker.h"

#include "platform/update/VersionWeight.h"

namespace zindle {

namespace {
const QString versionElement = QStringLiteral("sparkle:shortVersionString");
}

void SimpleSparklerChecker::parse(const QByteArray& data)
{
    // A fault ends the walk; what was collected before it stays.
    update::parseFeed(data, *this);
}

std::optional<QString> SimpleSparklerChecker::latestVersion() const
{
    if (versions_.empty())
        return std::nullopt;
    const QString* latest = &versions_.front();
    std::int64_t latestWeight = update::convertVersionToWeight(latest->toStdString());
    for (const QString& version : versions_) {
        const std::int64_t weight = update::convertVersionToWeight(version.toStdString());
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

void SimpleSparklerChecker::parserDidStartElement(const QString& elementName, const QString& qualifiedName,
                                                  const QXmlStreamAttributes&)
{
    didStartElement(elementName, qualifiedName);
}

// CDATA sections are not character data here: the parse reports them apart, and the checker
// takes no notice of them.
void SimpleSparklerChecker::parserFoundCharacters(const QString& characters) { foundCharacters(characters); }

// The end tag's own names are not looked at.
void SimpleSparklerChecker::parserDidEndElement(const QString&, const QString&) { didEndElement(); }

void SimpleSparklerChecker::didEndElement()
{
    if (currentElement_ == versionElement)
        versions_.push_back(currentValue_.trimmed());
}

} // namespace zindle

#include "platform/update/Appcast.h"

#include "platform/update/FeedParser.h"
#include "platform/update/VersionWeight.h"

#include <optional>

namespace update {

namespace {

const QString versionName = QStringLiteral("sparkle:version");
const QString shortVersionName = QStringLiteral("sparkle:shortVersionString");

// Collects the items: the text of each direct child of an "item", and the enclosure's
// attributes. Elements nested deeper (delta updates and the like) are not the item's own.
class ItemReader final : public FeedParserDelegate {
public:
    std::vector<AppcastItem> items;
    QString rootElement;

    void parserDidStartElement(const QString&, const QString& qualifiedName,
                               const QXmlStreamAttributes& attributes) override
    {
        ++depth_;
        if (rootElement.isEmpty())
            rootElement = qualifiedName;
        if (!item_ && qualifiedName == QLatin1String("item")) {
            item_.emplace();
            itemDepth_ = depth_;
            return;
        }
        if (!item_ || depth_ != itemDepth_ + 1)
            return;
        child_ = qualifiedName;
        text_.clear();
        if (qualifiedName == QLatin1String("enclosure")) {
            enclosureURL_ = QUrl(attributes.value(QLatin1String("url")).toString().trimmed());
            enclosureVersion_ = attributes.value(versionName).toString().trimmed();
            enclosureShortVersion_ = attributes.value(shortVersionName).toString().trimmed();
        }
    }

    void parserFoundCharacters(const QString& characters) override { text_ += characters; }
    void parserFoundCDATA(const QString& block) override { text_ += block; }

    void parserDidEndElement(const QString&, const QString&) override
    {
        if (item_ && depth_ == itemDepth_ + 1)
            takeChild();
        else if (item_ && depth_ == itemDepth_)
            finishItem();
        --depth_;
    }

private:
    void takeChild()
    {
        AppcastItem& item = *item_;
        const QString text = text_.trimmed();
        if (child_ == QLatin1String("title"))
            item.title = text;
        else if (child_ == versionName)
            item.version = text;
        else if (child_ == shortVersionName)
            item.shortVersionString = text;
        else if (child_ == QLatin1String("description"))
            item.itemDescription = text;
        else if (child_ == QLatin1String("sparkle:releaseNotesLink"))
            item.releaseNotesLink = QUrl(text);
        else if (child_ == QLatin1String("link"))
            item.link = QUrl(text);
        child_.clear();
        text_.clear();
    }

    void finishItem()
    {
        AppcastItem& item = *item_;
        // Versions given as elements win over the enclosure's attributes.
        if (item.version.isEmpty())
            item.version = enclosureVersion_;
        if (item.shortVersionString.isEmpty())
            item.shortVersionString = enclosureShortVersion_;
        item.enclosureURL = enclosureURL_;
        items.push_back(std::move(item));
        item_.reset();
        enclosureURL_.clear();
        enclosureVersion_.clear();
        enclosureShortVersion_.clear();
    }

    int depth_ = 0;
    int itemDepth_ = 0;
    std::optional<AppcastItem> item_;
    QString child_;
    QString text_;
    QUrl enclosureURL_;
    QString enclosureVersion_;
    QString enclosureShortVersion_;
};

bool isWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme();
    return url.isValid() && !url.host().isEmpty()
           && (scheme == QLatin1String("https") || scheme == QLatin1String("http"));
}

} // namespace

const QString& AppcastItem::displayVersionString() const
{
    return shortVersionString.isEmpty() ? version : shortVersionString;
}

QUrl AppcastItem::downloadPage() const
{
    if (isWebAddress(link))
        return link;
    if (isWebAddress(enclosureURL))
        return enclosureURL;
    return {};
}

Appcast Appcast::parse(const QByteArray& data)
{
    ItemReader reader;
    if (const auto error = parseFeed(data, reader))
        throw AppcastError("it is not well-formed XML: " + error->description().toStdString());
    if (reader.rootElement != QLatin1String("rss"))
        throw AppcastError("it is not an RSS document (its root element is <" + reader.rootElement.toStdString() + ">)");
    Appcast appcast;
    appcast.items_ = std::move(reader.items);
    return appcast;
}

const AppcastItem* Appcast::newestItem() const
{
    const AppcastItem* newest = nullptr;
    std::int64_t newestWeight = 0;
    for (const AppcastItem& item : items_) {
        if (item.displayVersionString().isEmpty())
            continue;
        const std::int64_t weight = convertVersionToWeight(item.displayVersionString().toStdString());
        if (!newest || weight > newestWeight) {
            newest = &item;
            newestWeight = weight;
        }
    }
    return newest;
}

} // namespace update

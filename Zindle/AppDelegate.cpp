#include "Zindle/AppDelegate.h"

#include "platform/foundation/MainQueue.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

#include <optional>

namespace zindleapp {

namespace {

constexpr std::string_view source = "Zindle/AppDelegate";

void requireMainThread(const char* entry, int line)
{
    foundation::mainQueue::requireMainThread(std::string(entry) + " called off the main thread", source, line);
}

bool isSchemeCharacter(QChar c, bool first)
{
    const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    return first ? letter : letter || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
}

// The scheme of a URL's text: what comes before the first colon, when it is one.
std::optional<QStringView> schemeOf(QStringView url)
{
    const qsizetype colon = url.indexOf(u':');
    if (colon <= 0)
        return std::nullopt;
    for (qsizetype i = 0; i < colon; ++i)
        if (!isSchemeCharacter(url[i], i == 0))
            return std::nullopt;
    return url.left(colon);
}

// The host of a URL's text: the authority after "scheme://", without user information and
// port; none when there is no authority.
std::optional<QStringView> hostOf(QStringView url, qsizetype schemeLength)
{
    QStringView rest = url.mid(schemeLength + 1);
    if (!rest.startsWith(u"//"))
        return std::nullopt;
    rest = rest.mid(2);
    qsizetype end = 0;
    while (end < rest.size() && rest[end] != u'/' && rest[end] != u'?' && rest[end] != u'#')
        ++end;
    QStringView authority = rest.left(end);
    if (const qsizetype at = authority.lastIndexOf(u'@'); at >= 0)
        authority = authority.mid(at + 1);
    if (authority.startsWith(u'[')) {
        const qsizetype close = authority.indexOf(u']');
        return close < 0 ? authority : authority.left(close + 1);
    }
    if (const qsizetype colon = authority.indexOf(u':'); colon >= 0)
        authority = authority.left(colon);
    return authority;
}

QPalette darkPalette()
{
    QPalette palette;
    const QColor window(0x24, 0x21, 0x2e);
    const QColor base(0x1a, 0x18, 0x22);
    const QColor text(0xe6, 0xe3, 0xee);
    const QColor disabledText(0x7a, 0x76, 0x86);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, disabledText);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(0x33, 0x2f, 0x40));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0xa8, 0x9b, 0xff));
    palette.setColor(QPalette::Highlight, QColor(0x6e, 0x5b, 0xd6));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    return palette;
}

} // namespace

AppDelegate::AppDelegate()
{
    requireMainThread("AppDelegate.init()", __LINE__);
}

void AppDelegate::applicationDidFinishLaunching(QObject* object)
{
    requireMainThread("applicationDidFinishLaunching(_:)", __LINE__);
    auto* application = qobject_cast<QApplication*>(object);
    if (!application)
        return;
    application->setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    application->setPalette(darkPalette());
}

void AppDelegate::application(const QStringList& urls)
{
    requireMainThread("application(_:open:)", __LINE__);
    for (const QString& url : urls)
        routeURL(url);
}

bool AppDelegate::isUpdateLink(const QString& url)
{
    const auto scheme = schemeOf(url);
    if (!scheme || *scheme != u"zindle")
        return false;
    const auto host = hostOf(url, scheme->size());
    return host && *host == u"openAndUpdate";
}

void AppDelegate::routeURL(const QString& url)
{
    if (isUpdateLink(url))
        checkForUpdates();
}

void AppDelegate::checkForUpdates()
{
    if (sparkleHelper && sparkleHelper->updaterController)
        sparkleHelper->updaterController->checkForUpdates(nullptr);
}

} // namespace zindleapp

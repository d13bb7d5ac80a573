#include "platform/assets/AssetCatalog.h"

#include <QFile>
#include <QFontDatabase>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <system_error>

namespace assets {

namespace fs = std::filesystem;

namespace {

QString pathText(const fs::path& path) { return QString::fromStdString(path.string()); }

// The table, or why there is none.
std::optional<QJsonObject> readColorTable(const fs::path& bundle, QString* fault = nullptr)
{
    const fs::path path = AssetCatalog::colorTablePath(bundle);
    QFile file(pathText(path));
    if (!file.open(QIODevice::ReadOnly)) {
        if (fault)
            *fault = pathText(path) + QStringLiteral(" cannot be read: ") + file.errorString();
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (!document.isObject()) {
        if (fault)
            *fault = pathText(path) + QStringLiteral(" is not a colour table (")
                     + (error.error != QJsonParseError::NoError ? error.errorString() : QStringLiteral("no JSON object"))
                     + QLatin1Char(')');
        return std::nullopt;
    }
    return document.object();
}

std::optional<QColor> parseColor(const QString& text)
{
    // #rrggbbaa is not QColor's order (#aarrggbb), so split it ourselves.
    if (text.size() == 9 && text.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const uint value = text.mid(1).toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        return QColor(int(value >> 24) & 0xff, int(value >> 16) & 0xff, int(value >> 8) & 0xff, int(value) & 0xff);
    }
    const QColor color = QColor::fromString(text);
    return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
}

} // namespace

AssetCatalog::AssetCatalog(fs::path bundlePath) : bundle_(std::move(bundlePath)) {}

fs::path AssetCatalog::colorTablePath(const fs::path& bundlePath)
{
    return bundlePath / "Assets" / "colors.json";
}

fs::path AssetCatalog::imagePath(const fs::path& bundlePath, const QString& name, int scale)
{
    const QString file = scale > 1 ? QStringLiteral("%1@%2x.png").arg(name).arg(scale) : name + QStringLiteral(".png");
    return bundlePath / "Assets" / file.toStdString();
}

std::optional<QColor> AssetCatalog::color(const QString& name) const
{
    const QJsonValue value = readColorTable(bundle_).value_or(QJsonObject()).value(name);
    if (!value.isString())
        return std::nullopt;
    return parseColor(value.toString());
}

QStringList AssetCatalog::colorNames() const
{
    return readColorTable(bundle_).value_or(QJsonObject()).keys();
}

QImage AssetCatalog::image(const QString& name, qreal scale) const
{
    const int preferred = scale > 1.0 ? 2 : 1;
    QImage image = imageAtScale(name, preferred);
    return image.isNull() ? imageAtScale(name, 3 - preferred) : image;
}

QImage AssetCatalog::imageAtScale(const QString& name, int scale) const
{
    QImage image(QString::fromStdString(imagePath(bundle_, name, scale).string()));
    if (!image.isNull())
        image.setDevicePixelRatio(scale);
    return image;
}

QStringList AssetCatalog::imageNames() const
{
    QStringList names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(bundle_ / "Assets", error)) {
        const QString file = QString::fromStdString(entry.path().filename().string());
        if (file.endsWith(QStringLiteral(".png")) && !file.endsWith(QStringLiteral("@2x.png")))
            names << file.chopped(4);
    }
    std::sort(names.begin(), names.end());
    return names;
}

QStringList AssetCatalog::registerFonts() const
{
    QStringList families;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(bundle_ / "Fonts", error)) {
        const auto extension = entry.path().extension();
        if (extension != ".ttf" && extension != ".otf")
            continue;
        const int id = QFontDatabase::addApplicationFont(QString::fromStdString(entry.path().string()));
        if (id >= 0)
            families << QFontDatabase::applicationFontFamilies(id);
    }
    return families;
}

QStringList AssetCatalog::faults(const QStringList& colorNames, const QStringList& imageNames) const
{
    QStringList found;
    QString tableFault;
    if (const std::optional<QJsonObject> table = readColorTable(bundle_, &tableFault)) {
        QStringList unread;
        for (const QString& name : colorNames) {
            const QJsonValue value = table->value(name);
            if (!value.isString() || !parseColor(value.toString()))
                unread << QLatin1Char('"') + name + QLatin1Char('"');
        }
        if (!unread.isEmpty())
            found << pathText(colorTablePath(bundle_)) + QStringLiteral(" has no colour ")
                         + unread.join(QStringLiteral(", "));
    } else if (!colorNames.isEmpty()) {
        found << tableFault;
    }

    for (const QString& name : imageNames) {
        bool any = false;
        for (const int scale : {1, 2}) {
            const QString path = pathText(imagePath(bundle_, name, scale));
            if (!QFile::exists(path))
                continue;
            any = true;
            QImageReader reader(path);
            if (reader.read().isNull())
                found << path + QStringLiteral(" does not read as an image (") + reader.errorString() + QLatin1Char(')');
        }
        if (!any)
            found << pathText(imagePath(bundle_, name, 1)) + QStringLiteral(" is missing");
    }
    return found;
}

} // namespace assets

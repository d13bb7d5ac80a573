#include "platform/assets/AssetCatalog.h"

#include <QFile>
#include <QFontDatabase>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <system_error>

namespace assets {

namespace fs = std::filesystem;

namespace {

QJsonObject readColorTable(const fs::path& bundle)
{
    QFile file(QString::fromStdString(AssetCatalog::colorTablePath(bundle).string()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
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
    const QJsonValue value = readColorTable(bundle_).value(name);
    if (!value.isString())
        return std::nullopt;
    return parseColor(value.toString());
}

QStringList AssetCatalog::colorNames() const
{
    return readColorTable(bundle_).keys();
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

} // namespace assets

#include "platform/assets/ArtworkWriter.h"

#include "platform/assets/AssetCatalog.h"

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace assets {

ArtworkWriter::ArtworkWriter(std::filesystem::path bundlePath) : bundle_(std::move(bundlePath))
{
    std::error_code error;
    std::filesystem::create_directories(bundle_ / "Assets", error);
}

bool ArtworkWriter::writeImage(const QString& name, const QSizeF& points, const Drawing& draw)
{
    for (const int scale : {1, 2}) {
        QImage image(int(std::ceil(points.width() * scale)), int(std::ceil(points.height() * scale)),
                     QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.scale(scale, scale);
            draw(painter, points);
        }
        const auto path = AssetCatalog::imagePath(bundle_, name, scale);
        // A name may hold folders ("knobs/dial-01").
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
        if (!image.save(QString::fromStdString(path.string()), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            ok_ = false;
            return false;
        }
    }
    return true;
}

bool ArtworkWriter::writeColors(const QMap<QString, QColor>& colors)
{
    QJsonObject table;
    for (auto it = colors.begin(); it != colors.end(); ++it) {
        const QColor& c = it.value();
        table.insert(it.key(), QString::asprintf("#%02x%02x%02x%02x", c.red(), c.green(), c.blue(), c.alpha()));
    }
    const auto path = AssetCatalog::colorTablePath(bundle_);
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(QJsonDocument(table).toJson()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        ok_ = false;
        return false;
    }
    return true;
}

int runArtworkGenerator(int argc, char** argv, const std::function<bool(ArtworkWriter&)>& draw)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <bundle directory>\n", argc > 0 ? argv[0] : "artwork");
        return EXIT_FAILURE;
    }
    ArtworkWriter writer(argv[1]);
    const bool drawn = draw(writer);
    return drawn && writer.ok() ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace assets

#pragma once

#include <QColor>
#include <QMap>
#include <QPainter>
#include <QSizeF>
#include <QString>

#include <filesystem>
#include <functional>

namespace assets {

/// Writes a module's artwork into its bundle's asset folder, for the generators the build
/// runs: every image at 1x and 2x from one drawing in points, and the colour table.
class ArtworkWriter {
public:
    /// Draws in points: the painter is already scaled, the size is the image's size in points.
    using Drawing = std::function<void(QPainter&, const QSizeF&)>;

    explicit ArtworkWriter(std::filesystem::path bundlePath);

    /// A name may hold folders ("knobs/dial-01"), which are made as needed. Returns false (and
    /// says why on standard error) when a file cannot be written.
    bool writeImage(const QString& name, const QSizeF& points, const Drawing& draw);
    bool writeColors(const QMap<QString, QColor>& colors);

    /// True when every write so far succeeded.
    bool ok() const { return ok_; }

private:
    std::filesystem::path bundle_;
    bool ok_ = true;
};

} // namespace assets

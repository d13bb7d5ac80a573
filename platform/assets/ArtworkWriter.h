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

/// The main of an artwork generator, `<program> <bundle directory>`: checks the command line,
/// lets draw write into the bundle and returns the exit status (failure when draw returns false
/// or a write failed).
int runArtworkGenerator(int argc, char** argv, const std::function<bool(ArtworkWriter&)>& draw);

/// The colour table of a module's asset table: every row's name (the module's assetName) with the
/// colour colorOf gives it.
template <typename Rows, typename ColorOf>
QMap<QString, QColor> colorTable(const Rows& rows, ColorOf colorOf)
{
    QMap<QString, QColor> table;
    for (const auto asset : rows)
        table.insert(assetName(asset), colorOf(asset));
    return table;
}

} // namespace assets

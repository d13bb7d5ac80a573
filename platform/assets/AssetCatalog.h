#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

namespace assets {

/// The named colours, images and fonts of one module resource bundle:
///   <bundle>/Assets/colors.json      {"Background/Normal": "#26272bff", ...} (#rrggbb or #rrggbbaa)
///   <bundle>/Assets/<name>.png       the image at 1x; <name>@2x.png at 2x
///   <bundle>/Fonts/*.ttf|*.otf       fonts to register with the application
/// Reads the disk on every call: callers keep what they need (the catalogues make each value
/// once). Main thread in practice; nothing here is shared mutable state.
class AssetCatalog {
public:
    explicit AssetCatalog(std::filesystem::path bundlePath);

    const std::filesystem::path& bundlePath() const { return bundle_; }

    /// The colour of that name, empty when the table lacks it.
    std::optional<QColor> color(const QString& name) const;
    QStringList colorNames() const;

    /// The image at the closest scale available (2x preferred when scale > 1), with its
    /// device pixel ratio set so that its size in points is its natural size. Null when no
    /// file of that name exists.
    QImage image(const QString& name, qreal scale = 1.0) const;
    /// The image drawn for exactly that scale (1 or 2), with its device pixel ratio set; null
    /// when the bundle has no file for that scale (no falling back to the other).
    QImage imageAtScale(const QString& name, int scale) const;
    QStringList imageNames() const;

    /// Registers every font file of the bundle with the application's font database and
    /// returns the families added. Needs a QGuiApplication.
    QStringList registerFonts() const;

    /// What is wrong with what a module reads from the bundle, one line per broken file,
    /// naming it: a colour table that is missing, is no JSON object, or lacks or cannot parse
    /// one of colorNames; an image of imageNames with no file at either scale, or whose file
    /// does not decode. Empty when all of it reads. Decodes every image: a check, not a path
    /// for drawing.
    QStringList faults(const QStringList& colorNames, const QStringList& imageNames) const;

    static std::filesystem::path colorTablePath(const std::filesystem::path& bundlePath);
    static std::filesystem::path imagePath(const std::filesystem::path& bundlePath, const QString& name, int scale);

private:
    std::filesystem::path bundle_;
};

} // namespace assets

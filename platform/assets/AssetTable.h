#pragma once

#include <QString>

#include <array>

// The asset tables of a module's resource bundle, kept as data in three X-macro tables:
//
//   Colour rows: X(identifier, "asset name")
//   Image rows:  X(identifier, "asset name", width, height)
//   Strip rows:  X(identifier, "frame name prefix", frame count, width, height)
//     sizes in points (every frame of a strip has the same size)
//
// ZINDLE_ASSET_TABLES(COLORS, IMAGES, STRIPS), written in a module's namespace, declares there
// what the module, its views and its artwork generator read from them:
//   enum class ColorAsset, ImageAsset, DialStrip (one enumerator per row, in table order);
//   allColorAssets, allImageAssets, allDialStrips (every row, in table order);
//   assetName(ColorAsset), assetName(ImageAsset), imageAssetInfo(ImageAsset),
//   dialStripInfo(DialStrip).
// How a strip names its frames is the module's own (see its dialFrameName).

namespace assets {

struct ImageAssetInfo {
    const char* name;
    double width; ///< points
    double height;
};

struct DialStripInfo {
    const char* prefix;
    int frameCount;
    double width; ///< points, of every frame
    double height;
};

} // namespace assets

#define ZINDLE_ASSET_ENUMERATOR(id, ...) id,
#define ZINDLE_ASSET_COLOR_ROW(id, ...) ColorAsset::id,
#define ZINDLE_ASSET_IMAGE_ROW(id, ...) ImageAsset::id,
#define ZINDLE_ASSET_STRIP_ROW(id, ...) DialStrip::id,
#define ZINDLE_ASSET_COLOR_NAME(id, name) name,
#define ZINDLE_ASSET_IMAGE_INFO(id, name, width, height) {name, width, height},
#define ZINDLE_ASSET_STRIP_INFO(id, prefix, frames, width, height) {prefix, frames, width, height},

// ZINDLE_IMAGE_TABLES(COLORS, IMAGES) declares the colour and image part alone, for a module
// without strips.
#define ZINDLE_IMAGE_TABLES(COLORS, IMAGES)                                                                            \
    enum class ColorAsset { COLORS(ZINDLE_ASSET_ENUMERATOR) };                                                         \
    enum class ImageAsset { IMAGES(ZINDLE_ASSET_ENUMERATOR) };                                                         \
                                                                                                                       \
    inline constexpr std::array allColorAssets = {COLORS(ZINDLE_ASSET_COLOR_ROW)};                                     \
    inline constexpr std::array allImageAssets = {IMAGES(ZINDLE_ASSET_IMAGE_ROW)};                                     \
                                                                                                                       \
    namespace asset_table {                                                                                            \
    inline constexpr const char* colorAssetNames[] = {COLORS(ZINDLE_ASSET_COLOR_NAME)};                                \
    inline constexpr ::assets::ImageAssetInfo imageAssetInfos[] = {IMAGES(ZINDLE_ASSET_IMAGE_INFO)};                   \
    }                                                                                                                  \
                                                                                                                       \
    inline QString assetName(ColorAsset asset)                                                                         \
    {                                                                                                                  \
        return QString::fromLatin1(asset_table::colorAssetNames[int(asset)]);                                          \
    }                                                                                                                  \
    constexpr const ::assets::ImageAssetInfo& imageAssetInfo(ImageAsset asset)                                         \
    {                                                                                                                  \
        return asset_table::imageAssetInfos[int(asset)];                                                               \
    }                                                                                                                  \
    inline QString assetName(ImageAsset asset)                                                                         \
    {                                                                                                                  \
        return QString::fromLatin1(imageAssetInfo(asset).name);                                                        \
    }

#define ZINDLE_ASSET_TABLES(COLORS, IMAGES, STRIPS)                                                                    \
    ZINDLE_IMAGE_TABLES(COLORS, IMAGES)                                                                                \
    enum class DialStrip { STRIPS(ZINDLE_ASSET_ENUMERATOR) };                                                          \
    inline constexpr std::array allDialStrips = {STRIPS(ZINDLE_ASSET_STRIP_ROW)};                                      \
    namespace asset_table {                                                                                            \
    inline constexpr ::assets::DialStripInfo dialStripInfos[] = {STRIPS(ZINDLE_ASSET_STRIP_INFO)};                     \
    }                                                                                                                  \
    constexpr const ::assets::DialStripInfo& dialStripInfo(DialStrip strip)                                            \
    {                                                                                                                  \
        return asset_table::dialStripInfos[int(strip)];                                                                \
    }

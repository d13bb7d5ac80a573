#pragma once

#include "platform/audiounit/ViewController.h"
#include "platform/foundation/Bundle.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>

namespace mossbell {

/// The names a module reads from its resource bundle.
struct AssetNames {
    QStringList colors;
    QStringList images; ///< image rows, then every frame of every dial strip
};

/// The names of a module's asset tables (see platform/assets/AssetTable.h): the module's own
/// assetName, dialStripInfo and dialFrameName name them, its strips counting frames from
/// firstFrame.
template <typename ColorAsset, std::size_t colorCount, typename ImageAsset, std::size_t imageCount,
          typename DialStrip, std::size_t stripCount>
AssetNames assetNames(const std::array<ColorAsset, colorCount>& colors, const std::array<ImageAsset, imageCount>& images,
                      const std::array<DialStrip, stripCount>& strips, int firstFrame)
{
    AssetNames names;
    for (const ColorAsset asset : colors)
        names.colors << assetName(asset);
    for (const ImageAsset asset : images)
        names.images << assetName(asset);
    for (const DialStrip strip : strips)
        for (int frame = 0; frame < dialStripInfo(strip).frameCount; ++frame)
            names.images << dialFrameName(strip, firstFrame + frame);
    return names;
}

/// Reads a module's resource bundle as the module's code finds it (lookup): its colour table
/// must give every colour of names and every image of names must decode. The check says what
/// it read, or names each broken file; a bundle that was not found is one fault saying where it
/// was looked for. Main thread in practice; touches no shared state.
au::ResourceCheck checkResourceBundle(const QString& bundleName, const foundation::ModuleBundleLookup& lookup,
                                      const AssetNames& names);

/// The framework's own resources: its bundle's colours, images and dial strips, and its fonts,
/// registered as the views will register them (only in a QGuiApplication; elsewhere the check
/// says they were not tried). Never ends the process. Main thread.
au::ResourceCheck checkResources();

/// Adds other's faults to check, and its text after a "; ".
void merge(au::ResourceCheck& check, const au::ResourceCheck& other);

} // namespace mossbell

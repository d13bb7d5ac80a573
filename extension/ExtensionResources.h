#pragma once

#include "extension/ExtensionAssets.h"

#include "Mossbell/AssetResources.h"
#include "platform/audiounit/ViewController.h"

namespace zindle {

/// The extension's named colours, one accessor per row of its colour table (e.g.
/// Colors::labels()). Each resource is made on first use from the extension's resource bundle
/// (found then, or the process stops) and lives for the process. Any thread.
struct Colors {
#define ZINDLE_DECLARE(id, ...) static const mossbell::ColorResource& id();
    ZINDLE_COLOR_ASSETS(ZINDLE_DECLARE)
#undef ZINDLE_DECLARE
    /// The accessor of that row.
    static const mossbell::ColorResource& of(ColorAsset asset);
};

/// The extension's named images, one accessor per row of its image table (e.g.
/// Images::modernArea()), made like the colours. Any thread.
struct Images {
#define ZINDLE_DECLARE(id, ...) static const mossbell::ImageResource& id();
    ZINDLE_IMAGE_ASSETS(ZINDLE_DECLARE)
#undef ZINDLE_DECLARE
    static const mossbell::ImageResource& of(ImageAsset asset);
};

/// Reads every resource the plug-in's model and view read: the framework's (its bundle and
/// fonts) and the extension's bundle with its colours, images and dial strips. Never ends the
/// process. Main thread.
au::ResourceCheck checkResources();

} // namespace zindle

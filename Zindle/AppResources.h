#pragma once

#include "Zindle/ZindleAssets.h"

#include "Mossbell/AssetResources.h"

#include "platform/foundation/Bundle.h"

#include <QFont>
#include <QUrl>

namespace zindleapp {

/// Marks the application's code: the bundle holding it is asked for the application's own
/// resources.
class ResourceBundleClass {};

/// The directory name of the application's resource bundle.
inline constexpr const char* resourceBundleName = "Zindle_Zindle.bundle";

/// The application's resource bundle, found once on first use (main bundle's resources first,
/// see foundation::findModuleBundle); stops the process with "unable to find bundle named
/// Zindle_Zindle" when none holds it. Any thread.
const foundation::Bundle& resourceBundle();

/// The application's named colours, one accessor per row of its colour table
/// (ColorResource::background() ...), each made once, on first use, from resourceBundle().
/// The control library's colours of the same names are other objects. Any thread.
struct ColorResource {
#define ZINDLE_APP_DECLARE(id, ...) static const mossbell::ColorResource& id();
    ZINDLE_APP_COLOR_ASSETS(ZINDLE_APP_DECLARE)
#undef ZINDLE_APP_DECLARE
};

/// The application's named images (ImageResource::tkuiButton() ...), made like the colours.
/// The control library's "tkui-button" and "tkui-button-down" are its own, in its own bundle.
/// Any thread.
struct ImageResource {
#define ZINDLE_APP_DECLARE(id, ...) static const mossbell::ImageResource& id();
    ZINDLE_APP_IMAGE_ASSETS(ZINDLE_APP_DECLARE)
#undef ZINDLE_APP_DECLARE
};

/// The welcome help page of the maker's site, "https://vartlow.com/help/zindle/welcome/",
/// made once on first use. Any thread.
const QUrl& welcomeHelpURL();

/// The rounded face the application's texts are set in (Dosis, carried in the bundle's
/// Fonts/), at size points of the design (drawn as logical pixels, as the views draw every
/// text) and weight. Registers the bundle's fonts on first use. Main thread, with a
/// QGuiApplication.
QFont roundedSystemFont(qreal size, QFont::Weight weight);

} // namespace zindleapp

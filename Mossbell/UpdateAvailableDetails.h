#pragma once

#include <string>

namespace mossbell {

/// A newer version of the plug-in that the update feed announces; the plug-in header shows it.
struct UpdateAvailableDetails {
    std::string newVersion; ///< as the feed writes it, e.g. "1.2"

    friend bool operator==(const UpdateAvailableDetails&, const UpdateAvailableDetails&) = default;
};

} // namespace mossbell

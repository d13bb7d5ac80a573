#pragma once

#include "Tarnkit/Foundation/StyleValues.h"
#include "Tarnkit/Foundation/StyledControlState.h"

#include <QString>

#include <map>
#include <optional>

namespace tarnkit {

/// Orders the keys of an image table by raw value, so a table is walked from the lowest
/// state up and ties in the image lookup go to the lower state.
struct StateOrder {
    bool operator()(StyledControlState a, StyledControlState b) const { return a.rawValue() < b.rawValue(); }
};

/// Images keyed by whole states (a key may hold several flags, e.g. on with highlighted).
using ImageTable = std::map<StyledControlState, ImageRef, StateOrder>;

/// What every style object answers. Style objects live on the main thread.
class Style {
public:
    virtual ~Style() = default;

    virtual std::optional<QString> appearanceName() const = 0;
    virtual BackgroundStyle backgroundStyle() const = 0;
    virtual BackgroundStyle interiorBackgroundStyle() const = 0;
    virtual ColorRef backgroundColor() const = 0;
    /// The image of the table that fits state best, or none.
    virtual ImageRef findImage(StyledControlState state, const ImageTable& table) const = 0;
};

} // namespace tarnkit

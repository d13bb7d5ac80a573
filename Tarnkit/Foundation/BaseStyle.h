#pragma once

#include "Tarnkit/Foundation/Style.h"

namespace tarnkit {

/// The appearance name of the fixed dark look.
inline const QString darkAquaAppearanceName = QStringLiteral("NSAppearanceNameDarkAqua");

/// The root of the style classes: the appearance, the background and the state-to-image
/// lookup every image table goes through. Style objects are made by the cells and views that
/// use them (as a rule once per class) and used on the main thread only; every field stays
/// writable.
class BaseStyle : public Style {
public:
    /// Dark appearance, emphasized backgrounds, not opaque, a new "Background/Normal" colour.
    BaseStyle();

    std::optional<QString> appearanceName() const override { return appearanceName_; }
    void setAppearanceName(std::optional<QString> name) { appearanceName_ = std::move(name); }
    BackgroundStyle backgroundStyle() const override { return backgroundStyle_; }
    void setBackgroundStyle(BackgroundStyle style) { backgroundStyle_ = style; }
    BackgroundStyle interiorBackgroundStyle() const override { return interiorBackgroundStyle_; }
    void setInteriorBackgroundStyle(BackgroundStyle style) { interiorBackgroundStyle_ = style; }
    bool opaque() const { return opaque_; }
    void setOpaque(bool opaque) { opaque_ = opaque; }
    ColorRef backgroundColor() const override { return backgroundColor_; }
    void setBackgroundColor(ColorRef color) { backgroundColor_ = std::move(color); }

    /// The image under state itself; else, for the empty state, the image under default; else
    /// the image of the key with the most flags (default not counted) among the keys whose
    /// flags all lie in state, the lowest such key winning a tie; else the image under
    /// default; else none.
    ImageRef findImage(StyledControlState state, const ImageTable& table) const override;

private:
    std::optional<QString> appearanceName_;
    BackgroundStyle backgroundStyle_ = BackgroundStyle::emphasized;
    BackgroundStyle interiorBackgroundStyle_ = BackgroundStyle::emphasized;
    bool opaque_ = false;
    ColorRef backgroundColor_;
};

} // namespace tarnkit

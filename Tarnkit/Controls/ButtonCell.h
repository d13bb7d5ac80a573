#pragma once

#include "Tarnkit/Controls/Cell.h"

namespace tarnkit {

/// Where a button cell puts its image against its title, by raw value.
enum class ImagePosition : int {
    noImage = 0,
    imageOnly = 1,
    imageLeft = 2,
    imageRight = 3,
    imageBelow = 4,
    imageAbove = 5,
    imageOverlaps = 6,
    imageLeading = 7,
    imageTrailing = 8,
};

/// How the styled cells fit an image into its rect, by raw value.
enum class ImageScaling : int {
    proportionallyDown = 0,
    axesIndependently = 1,
    none = 2,
    proportionallyUpOrDown = 3,
};

/// The behaviours of a button, by raw value: which flags its highlighting and its state show,
/// and whether a click moves its state on.
enum class ButtonType : int {
    momentaryLight = 0,
    pushOnPushOff = 1,
    toggle = 2,
    switchButton = 3,
    radio = 4,
    momentaryChange = 5,
    onOff = 6,
    momentaryPushIn = 7,
};

/// The bezel of a button, by raw value; the styled cells read it, nothing draws a system bezel.
enum class BezelStyle : int {
    rounded = 1,
    regularSquare = 2,
    smallSquare = 10,
};

/// What a cell changes to show highlighting or state (the masks of highlightsBy and
/// showsStateBy); 0 is nothing.
namespace cellStyleMask {
inline constexpr int contents = 1;
inline constexpr int pushIn = 2;
inline constexpr int changeGray = 4;
inline constexpr int changeBackground = 8;
} // namespace cellStyleMask

/// The cell of a button: image and title laid out by the image position, a bezel (drawn by
/// the styled subclasses; this class draws none), and the button behaviour.
///
/// Its rules (docs/tarnkit.md):
/// - a new cell is bordered, rounded, of type momentaryPushIn, its title centred and truncated
///   at the tail; a text cell shows no image (noImage), an image cell only its image;
/// - bezelInsets: 4 points above and below, 12 at the sides;
/// - titleRect / imageRect lay the content out in the drawing rect: the image beside, above or
///   below the title, 3 points apart, the two centred together (halves rounded away from zero);
///   beside it the title rect is as high as the drawing rect and as wide as the title (less
///   when it does not fit), above or below it is as wide as the drawing rect and one line high;
///   an image alone is centred, a title alone takes the whole drawing rect; noImage shows no
///   image, imageOnly no title;
/// - cellSize: the laid-out content, grown by bezelInsets when bordered or bezelled;
/// - draw: the bezel when bordered or bezelled, then the interior;
/// - controlState: the default derivation, but on and mixed only while showsStateBy is not 0.
class ButtonCell : public Cell {
public:
    static constexpr double imageTitleSpacing = 3;

    explicit ButtonCell(QString title = {});
    explicit ButtonCell(ImageRef image);

    /// Sets highlightsBy, showsStateBy and whether clicks move the state on, by the type.
    void setButtonType(ButtonType type);
    ButtonType buttonType() const { return buttonType_; }
    int highlightsBy() const { return highlightsBy_; }
    void setHighlightsBy(int mask) { highlightsBy_ = mask; }
    int showsStateBy() const { return showsStateBy_; }
    void setShowsStateBy(int mask) { showsStateBy_ = mask; }
    ImagePosition imagePosition() const { return imagePosition_; }
    void setImagePosition(ImagePosition position) { imagePosition_ = position; }
    ImageScaling imageScaling() const { return imageScaling_; }
    void setImageScaling(ImageScaling scaling) { imageScaling_ = scaling; }
    BezelStyle bezelStyle() const { return bezelStyle_; }
    void setBezelStyle(BezelStyle style) { bezelStyle_ = style; }

    /// Whether a click moves the state on (every type but the momentary ones).
    bool changesStateOnClick() const;
    /// The state a click gives: radio buttons turn on; other state-changing types go from on
    /// to off and from off or mixed to on; momentary types keep their state.
    ControlStateValue nextState() const;
    void setNextState() { setStateValue(nextState()); }

    StyledControlState controlState() const override;

    EdgeInsets bezelInsets() const override;
    Rect titleRect(const Rect& bounds) const override;
    Rect imageRect(const Rect& bounds) const override;
    Size cellSize() const override;

    void draw(QPainter& painter, const Rect& frame, QWidget& view) override;
    /// Draws nothing: the styled cells draw their bezel images.
    virtual void drawBezel(QPainter& painter, const Rect& frame, QWidget& view);

protected:
    /// The image rect the styled cells use: this class's imageRect of bounds inset by insets
    /// (y-up), moved to the vertical middle of bounds themselves; an image-only cell takes the
    /// whole inset rect.
    Rect insetImageRect(const Rect& bounds, const EdgeInsets& insets) const;

private:
    struct Layout {
        Rect image;
        Rect title;
    };
    struct Content {
        bool hasImage = false;
        bool hasTitle = false;
        Size image;
        Size title;
    };
    Content content() const;
    /// imageLeading and imageTrailing resolved by the control view's layout direction.
    ImagePosition resolvedPosition() const;
    Layout layout(const Rect& bounds) const;

    ButtonType buttonType_ = ButtonType::momentaryPushIn;
    int highlightsBy_ = 0;
    int showsStateBy_ = 0;
    ImagePosition imagePosition_ = ImagePosition::noImage;
    ImageScaling imageScaling_ = ImageScaling::proportionallyDown;
    BezelStyle bezelStyle_ = BezelStyle::rounded;
};

} // namespace tarnkit

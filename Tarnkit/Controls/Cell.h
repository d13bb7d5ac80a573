#pragma once

#include "Tarnkit/Controls/AttributedString.h"
#include "Tarnkit/Foundation/Geometry.h"
#include "Tarnkit/Foundation/StyleValues.h"
#include "Tarnkit/Foundation/StyledControl.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class QPainter;

namespace tarnkit {

// Cells lay out and draw in y-up geometry (Geometry.h): a rect is given in the coordinates of
// the view the cell draws in, with y growing upwards from the view's bottom edge, so "bottom"
// insets lift a rect from the bottom. Each rect becomes a Qt rect only where something is
// drawn, through viewFlip() of that view, so any frame draws in place.

/// A view's bounds in its y-up geometry: (0, 0, width, height).
Rect bounds(const QWidget& view);

/// The conversion between view's y-up geometry and its Qt coordinates.
VerticalFlip viewFlip(const QWidget& view);

/// A rect of size centred in frame: frame's origin plus the offsets of Rect::center at scale 1
/// (each rounded to whole points, halves away from zero).
Rect centred(const Size& size, const Rect& frame);

/// Draws string with the top of its line box at the top of rect (y-up, in view), aligned in
/// rect's width by its paragraph style, as a field or a label lays text out; returns the rect
/// the text takes.
Rect drawTextAtTop(QPainter& painter, const AttributedString& string, const Rect& rect, const QWidget& view);

/// Draws image into rect (y-up, in view) at opacity fraction, as the styled cells draw bezels
/// and icons: a template image is first tinted with the control text colour. A null image
/// draws nothing.
void drawStyledImage(QPainter& painter, const ImageRef& image, const Rect& rect, const QWidget& view,
                     double fraction);

/// The plain class that holds a control's state and draws it: its content (title, image,
/// font, paragraph style), its flags (enabled, highlighted, state value, bordered, bezelled),
/// its geometry and its drawing. A control owns one cell, made by the control's class; a cell
/// subclass changes the look by overriding the virtual operations below. It caches nothing
/// visual: every draw asks again for its state, rects and images.
///
/// The base rules (docs/tarnkit.md, "Controls and cells"):
/// - drawingRect: the bounds, inset by bezelInsets() when bordered or bezelled;
/// - titleRect: the drawing rect; imageRect: the image's size centred in the drawing rect;
/// - cellSize: the larger of the title's and the image's sizes, grown by bezelInsets() when
///   bordered or bezelled;
/// - draw: the interior; drawInterior: the image, then the title;
/// - drawTitle: the line vertically centred in the frame; drawImage: the image scaled into the
///   frame, at half opacity while disabled;
/// - controlState: the default derivation of StyledControlCell.
///
/// Main thread only.
class Cell : public StyledControlCell {
public:
    /// A text cell.
    explicit Cell(QString title = {});
    /// An image cell.
    explicit Cell(ImageRef image);
    ~Cell() override;

    Cell(const Cell&) = delete;
    Cell& operator=(const Cell&) = delete;

    // ---- content ----------------------------------------------------------------------------
    const QString& title() const { return title_; }
    void setTitle(QString title) { title_ = std::move(title); }
    const ImageRef& image() const { return image_; }
    void setImage(ImageRef image) { image_ = std::move(image); }
    /// The cell's own font; the library's control font unless set.
    const FontRef& font() const { return font_; }
    void setFont(FontRef font) { font_ = std::move(font); }
    const ParagraphStyle& paragraphStyle() const { return paragraphStyle_; }
    void setParagraphStyle(ParagraphStyle style) { paragraphStyle_ = style; }

    // ---- flags ------------------------------------------------------------------------------
    bool isEnabled() const override { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isHighlighted() const override { return highlighted_; }
    void setHighlighted(bool highlighted) { highlighted_ = highlighted; }
    ControlStateValue stateValue() const override { return state_; }
    void setStateValue(ControlStateValue state) { state_ = state; }
    bool isBordered() const { return bordered_; }
    void setBordered(bool bordered) { bordered_ = bordered; }
    bool isBezeled() const { return bezeled_; }
    void setBezeled(bool bezeled) { bezeled_ = bezeled; }
    virtual BackgroundStyle backgroundStyle() const { return backgroundStyle_; }
    virtual void setBackgroundStyle(BackgroundStyle style) { backgroundStyle_ = style; }
    /// The background the interior is drawn over; the cell's backgroundStyle unless overridden.
    virtual BackgroundStyle interiorBackgroundStyle() const { return backgroundStyle(); }

    /// The view that owns the cell, if any (held weakly; the owning control sets it).
    QWidget* controlView() const { return controlView_.data(); }
    void setControlView(QWidget* view) { controlView_ = view; }

    // ---- geometry (y-up) ----------------------------------------------------------------------
    /// What a border or bezel takes from each side of the bounds: 2 points for a plain cell.
    virtual EdgeInsets bezelInsets() const;
    virtual Rect drawingRect(const Rect& bounds) const;
    virtual Rect titleRect(const Rect& bounds) const;
    virtual Rect imageRect(const Rect& bounds) const;
    /// The size the cell needs to show its content: the control's default intrinsic size.
    virtual Size cellSize() const;
    /// The title as the cell draws and measures it: the title in the cell's font and
    /// paragraph style, in the control text colour (at half its alpha while disabled).
    virtual AttributedString attributedTitle() const;
    /// Where a focus ring goes for a cell drawn in frame: the frame when bordered or bezelled,
    /// else the drawing rect of the frame.
    virtual Rect focusRingMaskBounds(const Rect& frame, const QWidget& view) const;

    // ---- drawing (frames y-up in view) --------------------------------------------------------
    virtual void draw(QPainter& painter, const Rect& frame, QWidget& view);
    /// The image (when the cell has one and imageRect is not empty), then the title (when
    /// attributedTitle is not empty and titleRect is not empty), each in its rect of frame.
    virtual void drawInterior(QPainter& painter, const Rect& frame, QWidget& view);
    /// Draws title with its line box vertically centred in frame (Rect::centerY at scale 1)
    /// and aligned in frame's width; returns the rect the text takes.
    virtual Rect drawTitle(QPainter& painter, const AttributedString& title, const Rect& frame, QWidget& view);
    virtual void drawImage(QPainter& painter, const ImageRef& image, const Rect& frame, QWidget& view);
    /// The system focus ring's shape: nothing here, since the styled controls draw their own
    /// ring and the system one never shows.
    virtual void drawFocusRingMask(QPainter& painter, const Rect& frame, QWidget& view);
    /// Sets the highlighted flag and redraws view: what a control calls while it tracks a press.
    virtual void highlight(bool flag, const Rect& frame, QWidget& view);

protected:
    static void requireMainThread(const char* source, int line);

private:
    QString title_;
    ImageRef image_;
    FontRef font_;
    ParagraphStyle paragraphStyle_;
    bool enabled_ = true;
    bool highlighted_ = false;
    ControlStateValue state_ = ControlStateValue::off;
    bool bordered_ = false;
    bool bezeled_ = false;
    BackgroundStyle backgroundStyle_ = BackgroundStyle::normal;
    QPointer<QWidget> controlView_;
};

} // namespace tarnkit

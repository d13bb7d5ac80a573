#pragma once

#include "Mossbell/AssetResources.h"
#include "Mossbell/MossFont.h"

#include "platform/ui/View.h"

#include <QColor>
#include <QSizeF>
#include <QString>

#include <optional>

namespace mossbell {

/// The text a bitmap button writes over its image.
struct BitmapButtonLabel {
    QString text;    ///< shown as it is
    MossFont font;
    qreal fontSize;  ///< points
    qreal offset;    ///< vertical move of the label alone, in points; negative is up
    QColor color;

    friend bool operator==(const BitmapButtonLabel&, const BitmapButtonLabel&) = default;
};

/// The framework's bitmap buttons: an image of the framework's bundle, optionally with a label
/// over it, and a press tracked by the button itself. A drag that starts at the press reports
/// the press at once and the release with its location; the release counts when it lies in the
/// rectangle of buttonSize from the button's origin, left and top edges inside, right and
/// bottom edges outside. Only the final location matters.
///
/// The image and label are picked at every paint from the press and the model; what the
/// picking reads of the model (a parameter's value) repaints the button when it changes.
///
/// Main thread, like every view.
class BitmapButton : public ui::View {
public:
    ~BitmapButton() override;

    /// The hit area, and the frame the image and label are centred in.
    QSizeF buttonSize() const { return buttonSize_; }
    /// From the press until its release.
    bool isPressed() const { return isPressed_; }

    /// The image shown now.
    virtual const ImageResource& currentImage() const = 0;
    /// Its asset name.
    QString currentImageName() const { return currentImage().name(); }
    /// The label shown now, if any.
    virtual std::optional<BitmapButtonLabel> currentLabel() const { return std::nullopt; }

protected:
    BitmapButton(QSizeF buttonSize, QWidget* parent);

    /// The size of what the button draws, centred in the view; the hit area starts at its
    /// top-left corner. buttonSize unless a button shows its image unframed.
    virtual QSizeF contentSize() const { return buttonSize_; }
    /// Takes contentSize() as the natural size: a button whose content size differs from
    /// buttonSize calls it once made; later the button calls it itself on a change of press
    /// or model.
    void updateNaturalSize();
    /// The press: the first report of the drag.
    virtual void pressBegan() {}
    /// The release (or the end of a gesture the platform took away, which never counts).
    virtual void pressEnded(bool counted, const ui::DragValue& release) = 0;
    /// Ends a press under way as one that does not count (the view goes away, or what it acts
    /// on is replaced), so that its gesture still ends. A button whose pressEnded acts on
    /// something calls it from its own destructor: by the time this class's destructor runs,
    /// that override is gone.
    void cancelPress();

    void paint(QPainter& painter) override;
    void observedChange() override;
    void hideEvent(QHideEvent* event) override;

private:
    QRectF contentRect() const;
    bool releaseCounts(QPointF location) const;
    void setPressed(bool pressed);

    QSizeF buttonSize_;
    bool isPressed_ = false;
    bool cancelling_ = false;
};

} // namespace mossbell

#pragma once

#include "Tarnkit/Controls/PopUpButton.h"
#include "Tarnkit/Controls/StyledPopUpButtonCell.h"

#include <QRect>

#include <optional>

namespace tarnkit {

/// The library's pop-up button: a PopUpButton drawn by a StyledPopUpButtonCell, with an
/// optional label before its title, an optional fixed width, the menu font of 11 points, the
/// style's alignment-rect insets, an intrinsic size from the bezel image, and the library's
/// focus ring in place of the system's.
///
/// It is made with its frame, whether it pulls down and its fixed width, all three given: the
/// shorter forms do not exist (a fixed width is always decided).
///
/// - alignmentRectInsets: StyledPopUpButtonCell's class style's while the cell is a
///   StyledPopUpButtonCell (of whatever subclass), Control's otherwise;
/// - intrinsicContentSize: the cell's size, its width replaced by fixedWidth; bordered with a
///   bezel image for the state, width = max(width, image width) and height = the image's,
///   both less the alignment insets (fixed width 80: 116 for a 120-wide image, 76 for 60).
///
/// Main thread only.
class StyledPopUpButton : public PopUpButton {
    Q_OBJECT
public:
    StyledPopUpButton(const QRect& frame, bool pullsDown, std::optional<double> fixedWidth, QWidget* parent = nullptr);
    StyledPopUpButton(const QRect& frame) = delete;
    StyledPopUpButton(const QRect& frame, bool pullsDown) = delete;

    std::optional<double> fixedWidth() const { return fixedWidth_; }
    /// Asks the layout again (the intrinsic size follows). Hides QWidget::setFixedWidth on
    /// purpose.
    void setFixedWidth(std::optional<double> width);
    const std::optional<QString>& label() const { return label_; }
    /// Stores the label, hands it to a StyledPopUpButtonCell, and redraws.
    void setLabel(std::optional<QString> label);

    EdgeInsets alignmentRectInsets() const override;
    Size intrinsicContentSize() const override;

protected:
    StyledPopUpButton(std::unique_ptr<ButtonCell> cell, const QRect& frame, bool pullsDown,
                      std::optional<double> fixedWidth, QWidget* parent);

    /// The cell, then the focus ring while isShown.
    void drawRect(QPainter& painter, const Rect& dirtyRect) override;

private:
    std::optional<double> fixedWidth_;
    std::optional<QString> label_;
};

} // namespace tarnkit

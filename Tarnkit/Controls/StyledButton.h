#pragma once

#include "Tarnkit/Controls/Button.h"
#include "Tarnkit/Controls/StyledButtonCell.h"
#include "Tarnkit/Foundation/Selectable.h"

#include <optional>

namespace tarnkit {

/// The reference styled control: a button drawn by a StyledButtonCell, with the library's
/// focus ring, an optional fixed width and the style's alignment-rect insets. Other styled
/// buttons subclass it with a cell class of their own. Main thread only.
class StyledButton : public Button, public Selectable {
    Q_OBJECT
public:
    explicit StyledButton(QWidget* parent = nullptr, std::optional<double> fixedWidth = std::nullopt);

    /// Replaces the width of the intrinsic content size when set. (Not QWidget's fixed size:
    /// this setter hides QWidget::setFixedWidth on purpose.)
    std::optional<double> fixedWidth() const { return fixedWidth_; }
    void setFixedWidth(std::optional<double> width);

    /// The cell's selection (false for a cell that is not a StyledButtonCell); setting it
    /// redraws.
    bool isSelected() const override;
    void setSelected(bool selected) override;

    /// The cell class's style's insets for a StyledButtonCell; zero otherwise.
    EdgeInsets alignmentRectInsets() const override;
    /// The cell's size, its width replaced by fixedWidth; when bordered with a bezel image for
    /// the state, the width is the larger of that and the image's width (fixedWidth instead,
    /// when set) and the height the image's, both less the alignment-rect insets.
    Size intrinsicContentSize() const override;

protected:
    StyledButton(std::unique_ptr<ButtonCell> cell, QWidget* parent, std::optional<double> fixedWidth);

    /// The cell, then the focus ring while isShown.
    void drawRect(QPainter& painter, const Rect& dirtyRect) override;

private:
    std::optional<double> fixedWidth_;
};

} // namespace tarnkit

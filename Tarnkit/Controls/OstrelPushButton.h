#pragma once

#include "Tarnkit/Controls/Button.h"
#include "Tarnkit/Controls/OstrelPushButtonCell.h"
#include "Tarnkit/Foundation/Selectable.h"

#include <optional>

namespace tarnkit {

/// A push button drawn from a stretched bezel image by an OstrelPushButtonCell, with the
/// library's focus ring and optional fixed width and height. Main thread only.
class OstrelPushButton : public Button, public Selectable {
    Q_OBJECT
public:
    explicit OstrelPushButton(QWidget* parent = nullptr, std::optional<double> fixedHeight = std::nullopt,
                              std::optional<double> fixedWidth = std::nullopt);

    /// Replace the height and width of the intrinsic content size when set. (Not QWidget's
    /// fixed sizes: these setters hide QWidget's on purpose.)
    std::optional<double> fixedHeight() const { return fixedHeight_; }
    void setFixedHeight(std::optional<double> height);
    std::optional<double> fixedWidth() const { return fixedWidth_; }
    void setFixedWidth(std::optional<double> width);

    /// The cell's selection (false for a cell that is not an OstrelPushButtonCell); setting it
    /// redraws.
    bool isSelected() const override;
    void setSelected(bool selected) override;

    /// The cell's size with fixedWidth and fixedHeight put in where set.
    Size intrinsicContentSize() const override;

protected:
    OstrelPushButton(std::unique_ptr<ButtonCell> cell, QWidget* parent, std::optional<double> fixedHeight,
                     std::optional<double> fixedWidth);

    /// The cell, then the focus ring while isShown.
    void drawRect(QPainter& painter, const Rect& dirtyRect) override;

private:
    std::optional<double> fixedHeight_;
    std::optional<double> fixedWidth_;
};

} // namespace tarnkit

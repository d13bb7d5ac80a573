#pragma once

#include "Tarnkit/Controls/ButtonCell.h"
#include "Tarnkit/Controls/Control.h"

namespace tarnkit {

/// A control whose cell is a ButtonCell, and that tracks presses as a button does: a left
/// press highlights it, dragging out and back in follows, and releasing inside clicks it; Space
/// does the same from the keyboard. A click moves the state on (ButtonCell::nextState) and
/// sends the action. It takes the keyboard focus by Tab and by click. Main thread only.
class Button : public Control {
    Q_OBJECT
public:
    ButtonCell& buttonCell() const { return static_cast<ButtonCell&>(cell()); }
    /// Only a ButtonCell will do; anything else stops the program.
    void setCell(std::unique_ptr<Cell> cell) override;

    QString title() const { return cell().title(); }
    void setTitle(const QString& title);
    ImageRef image() const { return cell().image(); }
    void setImage(ImageRef image);
    ImagePosition imagePosition() const { return buttonCell().imagePosition(); }
    void setImagePosition(ImagePosition position);
    ImageScaling imageScaling() const { return buttonCell().imageScaling(); }
    void setImageScaling(ImageScaling scaling);
    ControlStateValue state() const { return cell().stateValue(); }
    void setState(ControlStateValue state);
    void setButtonType(ButtonType type);
    bool isBordered() const { return cell().isBordered(); }
    void setBordered(bool bordered);
    BezelStyle bezelStyle() const { return buttonCell().bezelStyle(); }
    void setBezelStyle(BezelStyle style);

    /// Highlights the cell (or not) as a press does, and redraws.
    void highlight(bool flag);
    /// What a click does: when enabled, move the state on and send the action.
    void performClick();

protected:
    Button(std::unique_ptr<ButtonCell> cell, QWidget* parent);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void contentChanged();

    enum class Tracking { none, mouse, key };
    Tracking tracking_ = Tracking::none;
};

} // namespace tarnkit

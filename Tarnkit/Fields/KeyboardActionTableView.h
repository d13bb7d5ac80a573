#pragma once

#include "Tarnkit/Fields/TableView.h"
#include "Tarnkit/Foundation/Selector.h"

#include <optional>
#include <vector>

namespace tarnkit {

/// A table that sends keyboardAction to its target (ControlAction.h's target; the responder
/// chain when it has none) when a trigger key is released: Return or Enter unless the
/// triggers are changed. Key presses do what a table does with them. Main thread only.
class KeyboardActionTableView : public TableView {
    Q_OBJECT
public:
    explicit KeyboardActionTableView(QWidget* parent = nullptr);

    const std::vector<Qt::Key>& keyboardActionTriggers() const { return triggers_; }
    void setKeyboardActionTriggers(std::vector<Qt::Key> triggers) { triggers_ = std::move(triggers); }
    const std::optional<Selector>& keyboardAction() const { return keyboardAction_; }
    void setKeyboardAction(std::optional<Selector> action) { keyboardAction_ = std::move(action); }

protected:
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    std::vector<Qt::Key> triggers_{Qt::Key_Return, Qt::Key_Enter};
    std::optional<Selector> keyboardAction_;
};

} // namespace tarnkit

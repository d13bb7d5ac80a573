#pragma once

#include <QLineEdit>

#include <functional>

namespace ui {

/// A one-line text field that reports how editing ends: Return (or Enter) submits, Escape
/// cancels, and the focus moving to another control of the window leaves it. Neither key
/// travels on to the window (a default button, a shortcut). A context menu or another window
/// taking the keyboard does not count as leaving. Main thread.
class TextField : public QLineEdit {
public:
    explicit TextField(QWidget* parent = nullptr);

    std::function<void()> onSubmit;
    std::function<void()> onCancel;
    std::function<void()> onFocusLost;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace ui

#pragma once

#include "Zindle/ContentView.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <optional>

class QMenu;

namespace zindleapp {

/// The application's one window, "main": 400 x 572 points, fixed to that size, dark, with no
/// title bar: the window system draws no frame, and the waveform band at the top takes the
/// title bar's place for moving the window (a drag on it hands the move to the window
/// system, or follows the pointer where the window system cannot move windows). A right click
/// anywhere opens the application menu; its shortcuts work in the window. Main thread.
class MainWindow : public QWidget {
public:
    static constexpr int width = 400;
    static constexpr int height = 572;

    /// content fills the window; menu is the application menu (not owned).
    MainWindow(ContentView* content, QMenu* menu);
    ~MainWindow() override;

    ContentView* content() const { return content_; }
    /// The part of the window a drag moves it by: the waveform band.
    QRect moveArea() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QPointer<ContentView> content_;
    QPointer<QMenu> menu_;
    /// While the window follows the pointer itself: where it was pressed, in the window.
    std::optional<QPoint> dragAnchor_;
};

} // namespace zindleapp

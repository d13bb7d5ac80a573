#pragma once

#include <QLayout>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace tarnkit {

class SheetWindow;
class WindowState;

/// How the hosting window follows the size of its content.
enum class HostingSizingOption {
    minSize = 0x1,              ///< the window cannot become smaller than the content allows
    intrinsicContentSize = 0x2, ///< the window keeps the content's own size
    maxSize = 0x4,              ///< the window cannot become larger than the content allows
};
Q_DECLARE_FLAGS(HostingSizingOptions, HostingSizingOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(HostingSizingOptions)

/// The layout constraint that gives a window those sizing options.
QLayout::SizeConstraint sizeConstraint(HostingSizingOptions options);

/// How a WindowController makes its window.
struct WindowControllerOptions {
    /// The frame autosave name; none saves nothing.
    std::optional<QString> frameName{};
    HostingSizingOptions sizingOptions = HostingSizingOption::minSize | HostingSizingOption::intrinsicContentSize
        | HostingSizingOption::maxSize;
    /// Called with the new window before the controller takes it.
    std::function<void(QWidget& window)> configure{};
};

/// Shows a content view in a window of its own: an ordinary window, or a SheetWindow for the
/// caller to begin as a sheet (this controller neither begins nor ends sheets). The controller
/// owns the window; the window owns the content and the WindowState that tells the content
/// which window it is in. With a frame autosave name, the window's frame is restored from the
/// application's settings (QSettings) and saved there whenever it moves or resizes. Main thread.
class WindowController : public QObject {
    Q_OBJECT
public:
    /// Makes the content; the state it receives is what it reads its window from.
    using ContentFactory = std::function<std::unique_ptr<QWidget>(WindowState& state)>;

    using Options = WindowControllerOptions;

    /// Hosts the content in a new ordinary window.
    explicit WindowController(const ContentFactory& rootView, Options options = {});
    /// Hosts the content in a new SheetWindow that does not hold the application back from
    /// quitting while it is modal.
    static std::unique_ptr<WindowController> forSheet(const ContentFactory& rootSheetView, Options options = {});

    /// Saves the frame (when it has a name) and closes and deletes the window.
    ~WindowController() override;

    QWidget* window() const { return window_; }
    /// The window as a sheet window, or null for an ordinary window.
    SheetWindow* sheetWindow() const;
    QWidget* contentView() const { return content_; }
    WindowState* windowState() const { return state_; }

    /// Empty when the frame is not saved.
    QString windowFrameAutosaveName() const { return frameName_; }
    /// Names the frame: a frame saved under name is applied at once, and every later move or
    /// resize is saved under it. An empty name stops the saving.
    void setWindowFrameAutosaveName(const QString& name);
    /// The settings key a frame is saved under.
    static QString frameSettingsKey(const QString& name);

    /// Shows the window and brings it to the front.
    virtual void showWindow(QObject* sender);
    /// Shows the window, then, from the main queue once it is shown and laid out, centres it on
    /// its screen.
    void showWindowCentered(QObject* sender);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Kind { ordinary, sheet };
    WindowController(Kind kind, const ContentFactory& rootView, Options options);

    void saveFrame() const;

    QPointer<QWidget> window_;
    QPointer<QWidget> content_;
    QPointer<WindowState> state_;
    QString frameName_;
    bool restoring_ = false;
};

} // namespace tarnkit

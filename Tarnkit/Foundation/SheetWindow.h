#pragma once

#include <QPointer>
#include <QWidget>

class QKeyEvent;

namespace tarnkit {

/// The window of a sheet: a dialog window shown modally over its parent window. The caller
/// begins the sheet on a parent; Escape ends it there. Main thread.
///
/// While it is a sheet it is a child of its parent window, so destroying that window destroys
/// the sheet too: keep it in a QPointer (as the window controller does), never in an owner
/// that would delete it again.
class SheetWindow : public QWidget {
    Q_OBJECT
public:
    explicit SheetWindow(QWidget* parent = nullptr);

    /// A sheet can always take the keyboard focus.
    bool canBecomeKeyWindow() const { return true; }

    /// Shows this window as a sheet of parentWindow: modal to it, placed over it.
    void beginSheet(QWidget* parentWindow);
    /// Ends the sheet: hides this window and detaches it from its parent.
    void endSheet();
    /// The window this is a sheet of; null when it is not attached.
    QWidget* sheetParent() const { return sheetParent_; }

    /// Whether a visible modal sheet keeps the application from quitting (its last window
    /// closing); the window controller turns it off.
    bool preventsApplicationTerminationWhenModal() const;
    void setPreventsApplicationTerminationWhenModal(bool prevents);

    /// Escape: ends the sheet on its parent; does nothing when the window is not a sheet.
    virtual void cancelOperation();

signals:
    void sheetEnded();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointer<QWidget> sheetParent_;
};

} // namespace tarnkit

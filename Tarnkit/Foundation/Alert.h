#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace tarnkit {

/// A modal alert: a message, an informative text and its buttons, in order (an alert without
/// buttons shows one "OK" button).
struct Alert {
    QString messageText;
    QString informativeText;
    QStringList buttonTitles;

    /// The response of the first button; the n-th button answers firstButtonReturn + n.
    static constexpr int firstButtonReturn = 1000;
    /// The response when the alert was closed without a button (Escape with no button to take it).
    static constexpr int closedResponse = 0;

    /// An alert with message and informative text and no button added.
    static Alert make(const QString& message, const QString& informativeText);

    /// Shows the alert modally through the current presenter and returns the response. Main thread.
    int runModal() const;
};

/// Shows an alert and returns its response. The default one runs a QMessageBox modally; tests
/// install one that answers at once.
using AlertPresenter = std::function<int(const Alert&)>;

/// Installs presenter (an empty one brings back the default) and returns the one before.
/// Main thread.
AlertPresenter setAlertPresenter(AlertPresenter presenter);

/// An alert with one button titled buttonTitle, run modally; the response is ignored.
void showBasicModalAlert(const QString& message, const QString& informativeText, const QString& buttonTitle);

/// An alert with a confirming first button titled confirmTitle and a second button "Cancel";
/// onActionConfirmed runs only when the first button was chosen. Main thread.
void showConfirmationAlert(const QString& message, const QString& informativeText, const QString& confirmTitle,
                           const std::function<void()>& onActionConfirmed);

} // namespace tarnkit

#pragma once

#include "platform/update/UserDriver.h"

#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTextBrowser;

namespace update {

/// The window in which the standard user driver tells the user about a check: a title, a
/// message and, by state, an indeterminate progress bar (checking), the release notes and a
/// button that opens the release's download page (update found), or one button to close.
/// Not modal: the application stays usable while a check runs. Main thread.
class UpdateDialog : public QDialog {
public:
    enum class State { checking, upToDate, updateFound, failed };

    explicit UpdateDialog(QWidget* parent = nullptr);
    ~UpdateDialog() override;

    /// cancel runs when the user cancels the check (the Cancel button, or closing the window).
    void showChecking(const HostDescription& host, std::function<void()> cancel);
    void showUpToDate(const HostDescription& host);
    void showUpdateFound(const HostDescription& host, const AppcastItem& item);
    void showError(const HostDescription& host, const QString& message);

    State state() const { return state_; }
    QString title() const;
    QString message() const;
    /// The release notes as shown (visible only when an update was found).
    QTextBrowser* releaseNotes() const { return notes_; }
    QProgressBar* progress() const { return progress_; }
    /// "Open Download Page" when an update was found (disabled when the release names no
    /// page), else the button that closes: "Cancel" while checking, "OK" after.
    QPushButton* defaultButton() const { return primary_; }
    /// "Later" when an update was found; hidden otherwise.
    QPushButton* laterButton() const { return later_; }
    /// The page the default button opens; empty unless an update with one was found.
    const QUrl& downloadPage() const { return downloadPage_; }

protected:
    void reject() override;

private:
    void present(State state, const HostDescription& host, const QString& title, const QString& message);
    void primaryClicked();
    void cancelCheck();

    State state_ = State::checking;
    QLabel* icon_;
    QLabel* title_;
    QLabel* message_;
    QProgressBar* progress_;
    QTextBrowser* notes_;
    QPushButton* later_;
    QPushButton* primary_;
    QUrl downloadPage_;
    std::function<void()> cancel_;
};

} // namespace update

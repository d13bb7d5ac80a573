#pragma once

#include "platform/update/UpdateDialog.h"
#include "platform/update/UserDriver.h"

#include <QPointer>

namespace update {

/// The user driver of the standard controller: one UpdateDialog, made on first use, shown and
/// brought to the front for every step of a check. Main thread.
class StandardUserDriver final : public UserDriver {
public:
    StandardUserDriver() = default;
    ~StandardUserDriver() override;
    StandardUserDriver(const StandardUserDriver&) = delete;
    StandardUserDriver& operator=(const StandardUserDriver&) = delete;

    void showCheckStarted(const HostDescription& host, std::function<void()> cancel) override;
    void showUpdateNotFound(const HostDescription& host) override;
    void showUpdateFound(const HostDescription& host, const AppcastItem& item) override;
    void showUpdaterError(const HostDescription& host, const QString& message) override;
    void showUpdateInFocus() override;

    /// The dialog; null until the first check.
    UpdateDialog* dialog() const { return dialog_; }

private:
    UpdateDialog& presentedDialog();

    QPointer<UpdateDialog> dialog_;
};

} // namespace update

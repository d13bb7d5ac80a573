#include "platform/update/StandardUserDriver.h"

namespace update {

StandardUserDriver::~StandardUserDriver()
{
    delete dialog_.data();
}

UpdateDialog& StandardUserDriver::presentedDialog()
{
    if (!dialog_)
        dialog_ = new UpdateDialog;
    return *dialog_;
}

void StandardUserDriver::showCheckStarted(const HostDescription& host, std::function<void()> cancel)
{
    presentedDialog().showChecking(host, std::move(cancel));
    showUpdateInFocus();
}

void StandardUserDriver::showUpdateNotFound(const HostDescription& host)
{
    presentedDialog().showUpToDate(host);
    showUpdateInFocus();
}

void StandardUserDriver::showUpdateFound(const HostDescription& host, const AppcastItem& item)
{
    presentedDialog().showUpdateFound(host, item);
    showUpdateInFocus();
}

void StandardUserDriver::showUpdaterError(const HostDescription& host, const QString& message)
{
    presentedDialog().showError(host, message);
    showUpdateInFocus();
}

void StandardUserDriver::showUpdateInFocus()
{
    UpdateDialog& dialog = presentedDialog();
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

} // namespace update

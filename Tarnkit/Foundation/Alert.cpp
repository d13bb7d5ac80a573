#include "Tarnkit/Foundation/Alert.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

namespace tarnkit {

namespace {

void requireMainThread(int line)
{
    foundation::mainQueue::requireMainThread("an alert is used off the main thread", "Tarnkit/NSAlert+Convenience", line);
}

int runMessageBox(const Alert& alert)
{
    QMessageBox box;
    box.setText(alert.messageText);
    box.setInformativeText(alert.informativeText);
    const QStringList titles =
        alert.buttonTitles.isEmpty() ? QStringList{QCoreApplication::translate("Tarnkit", "OK")} : alert.buttonTitles;
    std::vector<QAbstractButton*> buttons;
    for (qsizetype i = 0; i < titles.size(); ++i) {
        // The first button is the default one; a second or later one may take Escape.
        auto* button = box.addButton(titles[i], i == 0 ? QMessageBox::AcceptRole : QMessageBox::RejectRole);
        if (i == 0)
            box.setDefaultButton(button);
        buttons.push_back(button);
    }
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i])
            return Alert::firstButtonReturn + int(i);
    }
    return Alert::closedResponse;
}

AlertPresenter& presenter()
{
    static AlertPresenter current; // main thread only; empty means the message box
    return current;
}

} // namespace

Alert Alert::make(const QString& message, const QString& informativeText)
{
    return Alert{message, informativeText, {}};
}

int Alert::runModal() const
{
    requireMainThread(__LINE__);
    const AlertPresenter& current = presenter();
    return current ? current(*this) : runMessageBox(*this);
}

AlertPresenter setAlertPresenter(AlertPresenter newPresenter)
{
    requireMainThread(__LINE__);
    return std::exchange(presenter(), std::move(newPresenter));
}

void showBasicModalAlert(const QString& message, const QString& informativeText, const QString& buttonTitle)
{
    Alert alert = Alert::make(message, informativeText);
    alert.buttonTitles << buttonTitle;
    alert.runModal();
}

void showConfirmationAlert(const QString& message, const QString& informativeText, const QString& confirmTitle,
                           const std::function<void()>& onActionConfirmed)
{
    Alert alert = Alert::make(message, informativeText);
    alert.buttonTitles << confirmTitle << QCoreApplication::translate("Tarnkit", "Cancel");
    if (alert.runModal() == Alert::firstButtonReturn)
        onActionConfirmed();
}

} // namespace tarnkit

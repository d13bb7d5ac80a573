#include "Tarnkit/Foundation/SheetWindow.h"

#include "Tarnkit/Foundation/WindowHelpers.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QKeyEvent>

namespace tarnkit {

namespace {

void requireMainThread(int line)
{
    foundation::mainQueue::requireMainThread("a sheet is used off the main thread", "Tarnkit/SheetWindow", line);
}

} // namespace

SheetWindow::SheetWindow(QWidget* parent) : QWidget(parent, Qt::Dialog)
{
    requireMainThread(__LINE__);
}

void SheetWindow::beginSheet(QWidget* parentWindow)
{
    requireMainThread(__LINE__);
    sheetParent_ = parentWindow->window();
    // A parent makes the modality window-wide and keeps the sheet over it; Qt::Dialog keeps it
    // a window of its own.
    setParent(sheetParent_, windowFlags() | Qt::Dialog);
    setWindowModality(Qt::WindowModal);
    show();
    window::centerFrame(this, sheetParent_, false);
}

void SheetWindow::endSheet()
{
    requireMainThread(__LINE__);
    if (!sheetParent_)
        return;
    hide();
    setWindowModality(Qt::NonModal);
    // Detached again: from here on whoever made the sheet owns it, not the parent.
    setParent(nullptr, windowFlags() | Qt::Dialog);
    sheetParent_ = nullptr;
    emit sheetEnded();
}

bool SheetWindow::preventsApplicationTerminationWhenModal() const
{
    return testAttribute(Qt::WA_QuitOnClose);
}

void SheetWindow::setPreventsApplicationTerminationWhenModal(bool prevents)
{
    setAttribute(Qt::WA_QuitOnClose, prevents);
}

void SheetWindow::cancelOperation()
{
    requireMainThread(__LINE__);
    if (sheetParent_)
        endSheet();
}

void SheetWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelOperation();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace tarnkit

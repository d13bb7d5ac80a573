#include "Zindle/MainWindow.h"

#include "Zindle/AppResources.h"
#include "Zindle/ContentView.h"

#include "platform/ui/ViewAnchoring.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QWindow>

namespace zindleapp {

MainWindow::MainWindow(ContentView* content, QMenu* menu) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
                                                             content_(content), menu_(menu)
{
    setObjectName(QStringLiteral("main"));
    setWindowTitle(QCoreApplication::translate("Zindle", "Zindle"));
    setFixedSize(width, height);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ColorResource::background().value());
    setPalette(palette);
    setAutoFillBackground(true);
    content->setParent(this);
    ui::anchorToAllSidesOf(*content, this, QMargins());
    if (menu)
        addActions(menu->actions()); // their shortcuts work while the window is active
}

MainWindow::~MainWindow() = default;

QRect MainWindow::moveArea() const
{
    return QRect(0, 0, width, int(ContentView::bandHeight));
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !moveArea().contains(event->position().toPoint())) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    QWindow* window = windowHandle();
    if (window && window->startSystemMove())
        return;
    dragAnchor_ = event->position().toPoint();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragAnchor_) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    move(pos() + event->position().toPoint() - *dragAnchor_);
    event->accept();
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event)
{
    dragAnchor_.reset();
    QWidget::mouseReleaseEvent(event);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event)
{
    if (menu_)
        menu_->popup(event->globalPos());
    event->accept();
}

} // namespace zindleapp

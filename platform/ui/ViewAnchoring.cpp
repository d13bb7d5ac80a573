#include "platform/ui/ViewAnchoring.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace ui {

namespace {

/// Lives on the pinned widget and follows the resizes of the view it is pinned to.
class EdgeAnchor final : public QObject {
public:
    EdgeAnchor(QWidget& pinned, QWidget& view, const QMargins& insets)
        : QObject(&pinned), pinned_(pinned), view_(&view), insets_(insets)
    {
        setObjectName(QStringLiteral("ui.EdgeAnchor"));
        view.installEventFilter(this);
        apply();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == view_ && event->type() == QEvent::Resize)
            apply();
        return false;
    }

private:
    void apply()
    {
        if (view_)
            pinned_.setGeometry(view_->rect().marginsRemoved(insets_));
    }

    QWidget& pinned_;
    QPointer<QWidget> view_;
    QMargins insets_;
};

} // namespace

void anchorToAllSidesOf(QWidget& pinned, QWidget* view, const QMargins& insets)
{
    if (!view)
        return;
    delete pinned.findChild<EdgeAnchor*>(QStringLiteral("ui.EdgeAnchor"), Qt::FindDirectChildrenOnly);
    new EdgeAnchor(pinned, *view, insets);
}

} // namespace ui

#pragma once

#include "Tarnkit/Foundation/Geometry.h"

#include <QPointer>
#include <QWidget>

namespace tarnkit {

/// The visible part of a document view: the document is a child placed at minus the clip's
/// bounds origin, so bounds() is the visible rect in the document's coordinates (Qt's y-down
/// ones: a table is flipped). Moving the origin (scrolling) emits boundsDidChange and
/// resizing emits frameDidChange; each also posts the matching notification on the default
/// notification centre, about this clip view, while it is asked to. Main thread only.
class ClipView : public QWidget {
    Q_OBJECT
public:
    /// The names of the notifications a clip view posts.
    static const QString boundsDidChangeNotification;
    static const QString frameDidChangeNotification;

    explicit ClipView(QWidget* parent = nullptr);

    QWidget* documentView() const { return documentView_.data(); }
    /// Makes view (reparented here) the document, at the current origin.
    void setDocumentView(QWidget* view);

    /// (origin, size): the visible rect in the document's coordinates.
    Rect bounds() const;
    /// Scrolls so that origin is the visible rect's top left corner (not clamped here).
    void setBoundsOrigin(const Point& origin);

    bool postsBoundsChangedNotifications() const { return postsBounds_; }
    void setPostsBoundsChangedNotifications(bool posts) { postsBounds_ = posts; }
    bool postsFrameChangedNotifications() const { return postsFrame_; }
    void setPostsFrameChangedNotifications(bool posts) { postsFrame_ = posts; }

signals:
    void boundsDidChange();
    void frameDidChange();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void frameChanged();

    QPointer<QWidget> documentView_;
    Point origin_;
    bool postsBounds_ = false;
    bool postsFrame_ = false;
};

} // namespace tarnkit

#pragma once

#include "Tarnkit/Fields/ClipView.h"
#include "Tarnkit/Foundation/StyleValues.h"

#include <QAbstractScrollArea>

namespace tarnkit {

class TableView;

/// A scroll view: a document seen through its content view (a ClipView, the viewport), with
/// scroll bars as needed and, for a table with a header view, the header in a clip of its own
/// above the content that follows the content sideways. The wheel, the scroll bars and
/// scrollTo move the content view's bounds origin. Main thread only.
class ScrollView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ScrollView(QWidget* parent = nullptr);

    ClipView* contentView() const;
    QWidget* documentView() const { return contentView()->documentView(); }
    /// Takes view over as the document (a TableView brings its header along).
    void setDocumentView(QWidget* view);
    /// The clip the table's header sits in; null while there is none.
    ClipView* headerClipView() const { return headerClip_; }

    /// Whether the background colour fills the content view behind the document.
    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool draws);
    const ColorRef& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(ColorRef color);

    /// Scrolls the content to origin (in the document's coordinates), held within the
    /// document.
    void scrollTo(const Point& origin);
    /// The content view's bounds.
    Rect documentVisibleRect() const { return contentView()->bounds(); }

    /// Lays out the header and the scroll ranges again (the document or its header changed).
    void tile();

protected:
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateRanges();
    void placeHeader();

    ClipView* headerClip_ = nullptr;
    bool drawsBackground_ = false;
    ColorRef backgroundColor_;
};

} // namespace tarnkit

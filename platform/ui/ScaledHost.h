#pragma once

#include <QGraphicsView>
#include <QSizeF>

class QGraphicsProxyWidget;

namespace ui {

/// Shows a design of a fixed size scaled uniformly into whatever size the host gives:
/// scale = min(width / design width, height / design height), anchored at the top-left corner;
/// the space left over along the other axis stays empty (the host's background).
///
/// The design is an ordinary widget held by a QGraphicsView through one proxy widget: the view
/// scales the drawing (text and vector shapes redraw sharp at any scale, images pick their 2x
/// representation above scale 1) and maps every pointer event back into the design's own
/// points, so hit testing and gestures follow the scale with no work in the views. Main thread.
class ScaledHost : public QGraphicsView {
public:
    ScaledHost(QSizeF designSize, QWidget* parent = nullptr);
    ~ScaledHost() override;

    /// The design (the host takes it); it is given the design size.
    void setContent(QWidget* content);
    QWidget* content() const;
    QSizeF designSize() const { return designSize_; }

    /// The scale the design is drawn at now.
    qreal currentScale() const { return scale_; }
    /// The scale rule for a size.
    static qreal scaleFor(QSizeF available, QSizeF design);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyScale();

    QSizeF designSize_;
    qreal scale_ = 1.0;
    QGraphicsProxyWidget* proxy_ = nullptr;
};

} // namespace ui

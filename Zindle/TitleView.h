#pragma once

#include "platform/ui/View.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <vector>

namespace zindleapp {

/// A drop shadow of a view's drawing: its colour (with the opacity in its alpha), its blur
/// radius and its offset, in points.
struct Shadow {
    QColor color;
    qreal radius = 0;
    QPointF offset;
};

/// One line of text with shadows applied in turn, as stacked shadow modifiers do: each shadow
/// is cast by everything drawn before it (the text and the earlier shadows) and lies beneath
/// it. The view is larger than the text by margin() on every side, room for the shadows;
/// place it with padding(), so that it takes the text's room in a stack. Main thread.
class TitleView : public ui::View {
public:
    TitleView(QString text, QFont font, QColor color, std::vector<Shadow> shadows, QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    const std::vector<Shadow>& shadows() const { return shadows_; }
    /// How far the shadows may reach past the text (points).
    qreal margin() const { return margin_; }
    /// minus margin() on every edge.
    QMarginsF padding() const { return QMarginsF(-margin_, -margin_, -margin_, -margin_); }

protected:
    void paint(QPainter& painter) override;

private:
    QString text_;
    QFont font_;
    QColor color_;
    std::vector<Shadow> shadows_;
    qreal margin_;
};

/// The image's alpha blurred by a Gaussian of standard deviation sigma (pixels), as three box
/// blurs; the colour channels follow the alpha (premultiplied). Any thread, on its own image.
QImage blurred(const QImage& image, qreal sigma);

} // namespace zindleapp

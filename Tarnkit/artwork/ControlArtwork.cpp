#include "Tarnkit/artwork/Artwork.h"

#include "Tarnkit/artwork/Palette.h"

#include <QLinearGradient>

namespace tarnkit::artwork {

namespace {

// Push buttons: the face fills the image but for a point at the sides and top and two at the
// bottom, where the shadow falls.
Drawing pushButton(Raised look)
{
    return [look](QPainter& p, const QSizeF& size) {
        drawRaised(p, QRectF(1, 1, size.width() - 2, size.height() - 3), 4, look);
    };
}

// Check boxes: a 14-point box, a white tick or dash when on or mixed.
enum class Mark { none, tick, dash };

Drawing checkBox(Raised look, Mark mark)
{
    return [look, mark](QPainter& p, const QSizeF&) {
        drawRaised(p, QRectF(1, 0, 14, 14), 3, look);
        const QColor white = paletteColor("Grey 100%");
        const QColor markColor = (look == Raised::onPressed) ? QColor(0xd6, 0xe4, 0xf7) : white;
        p.setPen(QPen(markColor, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        if (mark == Mark::tick)
            p.drawPolyline(QPolygonF({QPointF(4.6, 7.2), QPointF(7.1, 9.8), QPointF(11.6, 4.2)}));
        else if (mark == Mark::dash)
            p.drawLine(QPointF(5, 7), QPointF(11, 7));
    };
}

// Pop-up, pull-down and combo box bezels share one frame: 3 points of shadow room above and
// below and 2 at the sides (the controls' alignment insets), the arrows in the right 18.
QRectF popUpBody(const QSizeF& size)
{
    return QRectF(2, 3, size.width() - 4, size.height() - 7);
}

void drawArrowDivider(QPainter& p, const QRectF& body, qreal x)
{
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.drawLine(QPointF(x + 0.5, body.top() + 4), QPointF(x + 0.5, body.bottom() - 4));
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    p.drawLine(QPointF(x + 1.5, body.top() + 4), QPointF(x + 1.5, body.bottom() - 4));
}

Drawing popUp(bool pressed, bool pullsDown)
{
    return [pressed, pullsDown](QPainter& p, const QSizeF& size) {
        const QRectF body = popUpBody(size);
        drawRaised(p, body, 4, pressed ? Raised::pressed : Raised::normal);
        drawArrowDivider(p, body, body.right() - 17);
        const QColor glyph = pressed ? pressedGlyphColor() : glyphColor();
        const qreal x = body.right() - 8;
        const qreal y = body.center().y();
        if (pullsDown) {
            drawChevron(p, QPointF(x, y + 0.5), 7, 3.5, Direction::down, glyph);
        } else {
            // Apart by a clear row, where a taller bezel stretches.
            drawChevron(p, QPointF(x, y - 2.75), 6, 3, Direction::up, glyph);
            drawChevron(p, QPointF(x, y + 2.75), 6, 3, Direction::down, glyph);
        }
    };
}

Drawing toolPopUp(bool pressed)
{
    return [pressed](QPainter& p, const QSizeF& size) {
        const QRectF body(1, 1, size.width() - 2, size.height() - 2);
        p.setPen(Qt::NoPen);
        p.setBrush(pressed ? QColor(0, 0, 0, 80) : QColor(255, 255, 255, 14));
        p.drawRoundedRect(body, 3, 3);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(pressed ? QColor(0, 0, 0, 90) : QColor(255, 255, 255, 22), 1));
        p.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
        drawChevron(p, QPointF(body.right() - 7, body.center().y() + 0.5), 6, 3, Direction::down,
                    pressed ? pressedGlyphColor() : glyphColor());
    };
}

// The combo box: a field with the arrow button joined to its right end.
Drawing comboBox(Direction arrow)
{
    return [arrow](QPainter& p, const QSizeF& size) {
        const QRectF body = popUpBody(size);
        const qreal split = body.right() - 18;
        p.save();
        p.setClipRect(QRectF(0, 0, split + 1, size.height()));
        drawField(p, body, 4, Field::normal);
        p.restore();
        p.save();
        p.setClipRect(QRectF(split, 0, size.width() - split, size.height()));
        drawRaised(p, body, 4, Raised::normal);
        p.restore();
        drawChevron(p, QPointF(split + 9, body.center().y() + (arrow == Direction::down ? 0.5 : -0.5)), 7, 3.5,
                    arrow, glyphColor());
    };
}

// Text fields: the field face inside a 2-point margin for the focus ring.
Drawing textField(Field look)
{
    return [look](QPainter& p, const QSizeF& size) {
        drawField(p, QRectF(2, 2, size.width() - 4, size.height() - 5), 3, look);
    };
}

// The field that renames a table column: flat on the header, underlined.
Drawing headerTextField()
{
    return [](QPainter& p, const QSizeF& size) {
        const QRectF body(2, 2, size.width() - 4, size.height() - 5);
        p.setPen(Qt::NoPen);
        p.setBrush(paletteColor("Background/Darkest"));
        p.drawRoundedRect(body, 2, 2);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRect(QRectF(body.left() + 1, body.top(), body.width() - 2, 1));
        p.setBrush(paletteColor("Grey 30%"));
        p.drawRect(QRectF(body.left(), body.bottom() - 1, body.width(), 1));
    };
}

// The search field: a text field led by a magnifier, kept above the rows that stretch.
Drawing searchField(Field look)
{
    // The magnifier is the search button's own image (tkui-searchfield-search): the bezel is
    // the field, its left cap wide enough for the button to sit on.
    return [look](QPainter& p, const QSizeF& size) { drawField(p, QRectF(2, 2, size.width() - 4, size.height() - 5), 3, look); };
}

// The slider's track: a 4-point groove, and its filled part in the selection blue.
Drawing sliderTrack(bool filled)
{
    return [filled](QPainter& p, const QSizeF& size) {
        const QRectF body(0, 0, size.width(), size.height());
        const qreal radius = size.height() / 2;
        p.setPen(Qt::NoPen);
        if (filled) {
            QLinearGradient fill(body.topLeft(), body.bottomLeft());
            fill.setColorAt(0, QColor(0x4a, 0x94, 0xf2));
            fill.setColorAt(1, paletteColor("Highlight/System"));
            p.setBrush(fill);
        } else {
            QLinearGradient fill(body.topLeft(), body.bottomLeft());
            fill.setColorAt(0, QColor(0x0c, 0x0d, 0x0f));
            fill.setColorAt(1, QColor(0x16, 0x17, 0x1a));
            p.setBrush(fill);
        }
        p.drawRoundedRect(body, radius, radius);
    };
}

// Knobs: a light disc lit from above.
enum class Knob { normal, pressed, multiple };

void drawKnobFace(QPainter& p, const QRectF& face, qreal radius, bool pressed)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(face.translated(0, 1), radius, radius);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, pressed ? QColor(0xc4, 0xc5, 0xca) : QColor(0xee, 0xee, 0xf0));
    fill.setColorAt(1, pressed ? QColor(0xa6, 0xa7, 0xad) : QColor(0xc6, 0xc7, 0xcc));
    p.setBrush(fill);
    p.drawRoundedRect(face, radius, radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 120), 1));
    p.drawRoundedRect(face.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
}

Drawing sliderKnob(Knob knob)
{
    return [knob](QPainter& p, const QSizeF&) {
        const QRectF face(1, 0.5, 14, 14);
        drawKnobFace(p, face, 7, knob == Knob::pressed);
        if (knob == Knob::multiple) {
            // Several values under one knob: a dash across it.
            p.setPen(QPen(QColor(0x4a, 0x4b, 0x51), 1.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(5, 7.5), QPointF(11, 7.5));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(knob == Knob::pressed ? paletteColor("Highlight/System") : QColor(0x9a, 0x9b, 0xa1));
            p.drawEllipse(face.center(), 2, 2);
        }
    };
}

// The SwiftUI slider's knobs: markers pointing down at the track, slim enough for several to
// share one.
QPainterPath markerPath(const QRectF& r)
{
    const qreal shoulder = r.bottom() - 4.5;
    QPainterPath path;
    path.moveTo(r.left(), r.top() + 3);
    path.arcTo(QRectF(r.left(), r.top(), 6, 6), 180, -90);
    path.lineTo(r.right() - 3, r.top());
    path.arcTo(QRectF(r.right() - 6, r.top(), 6, 6), 90, -90);
    path.lineTo(r.right(), shoulder);
    path.lineTo(r.center().x(), r.bottom());
    path.lineTo(r.left(), shoulder);
    path.closeSubpath();
    return path;
}

Drawing customSliderHandle(bool pressed)
{
    return [pressed](QPainter& p, const QSizeF& size) {
        const QRectF face(1, 0.5, size.width() - 2, size.height() - 2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawPath(markerPath(face).translated(0, 1));
        QLinearGradient fill(face.topLeft(), face.bottomLeft());
        fill.setColorAt(0, pressed ? QColor(0xc4, 0xc5, 0xca) : QColor(0xee, 0xee, 0xf0));
        fill.setColorAt(1, pressed ? QColor(0xa6, 0xa7, 0xad) : QColor(0xc6, 0xc7, 0xcc));
        p.setBrush(fill);
        p.drawPath(markerPath(face));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0, 120), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawPath(markerPath(face.adjusted(0.5, 0.5, -0.5, -0.5)));
        p.setPen(Qt::NoPen);
        p.setBrush(pressed ? paletteColor("Highlight/System") : QColor(0x9a, 0x9b, 0xa1));
        p.drawEllipse(QPointF(face.center().x(), face.top() + 5.5), 2, 2);
    };
}

// Window tabs: a strip of flat tabs; the selected one takes the window's colour over a blue
// underline.
enum class Tab { normal, pressed, selected };

Drawing windowTab(Tab tab)
{
    return [tab](QPainter& p, const QSizeF& size) {
        const QRectF body(0, 0, size.width(), size.height());
        p.setPen(Qt::NoPen);
        switch (tab) {
        case Tab::normal:
            p.setBrush(QColor(0x1f, 0x20, 0x23));
            break;
        case Tab::pressed:
            p.setBrush(QColor(0x17, 0x18, 0x1a));
            break;
        case Tab::selected:
            p.setBrush(QColor(0x30, 0x31, 0x36));
            break;
        }
        p.drawPath(roundedPath(body, 4, 4, 0, 0));
        if (tab == Tab::selected) {
            p.setBrush(QColor(255, 255, 255, 20));
            p.drawRect(QRectF(4, 0, size.width() - 8, 1));
            p.setBrush(paletteColor("Highlight/System"));
            p.drawRect(QRectF(0, size.height() - 2, size.width(), 2));
        } else {
            p.setBrush(QColor(0x10, 0x11, 0x13));
            p.drawRect(QRectF(0, size.height() - 1, size.width(), 1));
            // The seam between neighbouring tabs.
            p.setBrush(QColor(255, 255, 255, 14));
            p.drawRect(QRectF(size.width() - 1, 6, 1, size.height() - 12));
        }
    };
}

// Tool buttons of a panel's corner: small square bezels.
Drawing cornerTool(Raised look)
{
    return [look](QPainter& p, const QSizeF& size) {
        drawRaised(p, QRectF(1, 1, size.width() - 2, size.height() - 3), 3, look);
    };
}

} // namespace

DrawingTable controlArtwork()
{
    return {
        {"tkui-button", pushButton(Raised::normal)},
        {"tkui-button-down", pushButton(Raised::pressed)},
        {"tkui-button-selected", pushButton(Raised::on)},
        {"tkui-checkbox", checkBox(Raised::normal, Mark::none)},
        {"tkui-checkbox-down", checkBox(Raised::pressed, Mark::none)},
        {"tkui-checkbox-on", checkBox(Raised::on, Mark::tick)},
        {"tkui-checkbox-on-down", checkBox(Raised::onPressed, Mark::tick)},
        {"tkui-checkbox-mixed", checkBox(Raised::on, Mark::dash)},
        {"tkui-checkbox-mixed-down", checkBox(Raised::onPressed, Mark::dash)},
        {"tkui-combobox", comboBox(Direction::down)},
        {"tkui-combobox-up", comboBox(Direction::up)},
        {"tkui-customslider-handle", customSliderHandle(false)},
        {"tkui-customslider-handle-down", customSliderHandle(true)},
        {"tkui-customslider-on", sliderTrack(true)},
        {"tkui-popdown", popUp(false, true)},
        {"tkui-popdown-down", popUp(true, true)},
        {"tkui-popup", popUp(false, false)},
        {"tkui-popup-down", popUp(true, false)},
        {"tkui-popup-tool", toolPopUp(false)},
        {"tkui-popup-tool-down", toolPopUp(true)},
        {"tkui-searchfield", searchField(Field::normal)},
        {"tkui-searchfield-focus", searchField(Field::focus)},
        {"tkui-slider", sliderTrack(true)},
        {"tkui-slider-alley", sliderTrack(false)},
        {"tkui-slider-handle", sliderKnob(Knob::normal)},
        {"tkui-slider-handle-down", sliderKnob(Knob::pressed)},
        {"tkui-slider-handle-multi", sliderKnob(Knob::multiple)},
        {"tkui-textfield", textField(Field::normal)},
        {"tkui-textfield-error", textField(Field::error)},
        {"tkui-textfield-focus", textField(Field::focus)},
        {"tkui-textfield-tableheader", headerTextField()},
        {"tkui-window-tab", windowTab(Tab::normal)},
        {"tkui-window-tab-down", windowTab(Tab::pressed)},
        {"tkui-window-tab-selected", windowTab(Tab::selected)},
        {"corner-tool-background", cornerTool(Raised::normal)},
        {"corner-tool-background-down", cornerTool(Raised::pressed)},
        {"corner-tool-background-selected", cornerTool(Raised::on)},
    };
}

} // namespace tarnkit::artwork

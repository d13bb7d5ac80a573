#include "Mossbell/artwork/Artwork.h"

#include "Mossbell/artwork/Palette.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace mossbell::artwork {

namespace {

// Two button families. The chaos keys are hardware keys: a face on a front lip, lit from
// above, with a lamp below the label; pressed, the face sinks onto the lip. The modern and
// settings buttons are flat panel buttons of the plug-in's greys; "on" is a recessed, darker
// face that the caller's coloured label lights up. The retro keys are the modern button's
// cream-coloured ancestors.

struct KeyColors {
    QColor faceTop;
    QColor faceBottom;
    QColor lip;
};

const KeyColors greyKey{QColor(0x5c, 0x60, 0x69), QColor(0x45, 0x48, 0x4f), QColor(0x2a, 0x2c, 0x31)};
const KeyColors yellowKey{QColor(0xfc, 0xd8, 0x66), QColor(0xea, 0xb6, 0x2e), QColor(0x9c, 0x73, 0x12)};
const KeyColors creamKey{QColor(0xea, 0xe1, 0xcc), QColor(0xd2, 0xc6, 0xab), QColor(0x8f, 0x83, 0x6a)};

constexpr qreal lipHeight = 3.5;
constexpr qreal pressedLipHeight = 2.0;

// The face of a key on body: pressed, it sinks by the difference of the lips.
QRectF keyFace(const QRectF& body, bool pressed)
{
    const qreal sink = pressed ? lipHeight - pressedLipHeight : 0.0;
    return QRectF(body.left(), body.top() + sink, body.width(), body.height() - lipHeight);
}

// A highlight along the top edge of a rounded face, fading out towards its middle.
void drawTopLight(QPainter& p, const QRectF& face, qreal radius, int alpha)
{
    QLinearGradient light(face.topLeft(), QPointF(face.left(), face.top() + face.height() * 0.45));
    light.setColorAt(0, QColor(255, 255, 255, alpha));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(light), 1.0));
    p.drawRoundedRect(face.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
}

// A key in the space of body, whose bottom point stays free for the key's contact shadow.
void drawKey(QPainter& p, const QRectF& body, qreal radius, const KeyColors& colors, bool pressed)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, pressed ? 90 : 130));
    p.drawRoundedRect(body.translated(0, 1), radius, radius);

    const QRectF lipRect(body.left(), keyFace(body, pressed).top(), body.width(),
                         body.bottom() - keyFace(body, pressed).top());
    QLinearGradient lip(lipRect.topLeft(), lipRect.bottomLeft());
    lip.setColorAt(0, colors.lip.lighter(115));
    lip.setColorAt(1, colors.lip.darker(130));
    p.setBrush(lip);
    p.drawRoundedRect(lipRect, radius, radius);

    const QRectF face = keyFace(body, pressed);
    const int shade = pressed ? 108 : 100;
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, colors.faceTop.darker(shade));
    fill.setColorAt(1, colors.faceBottom.darker(shade));
    p.setBrush(fill);
    p.drawRoundedRect(face, radius, radius);
    drawTopLight(p, face, radius, pressed ? 40 : 90);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 140), 1.0));
    p.drawRoundedRect(lipRect.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
}

// The lamp of a chaos toggle, in a dark slot; lit, it glows in the accent yellow.
void drawLamp(QPainter& p, const QRectF& lamp, bool lit)
{
    const qreal radius = lamp.height() / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x15, 0x16, 0x19));
    p.drawRoundedRect(lamp.adjusted(-1, -1, 1, 1), radius + 1, radius + 1);
    if (!lit) {
        QLinearGradient off(lamp.topLeft(), lamp.bottomLeft());
        off.setColorAt(0, QColor(0x24, 0x25, 0x29));
        off.setColorAt(1, QColor(0x33, 0x35, 0x3a));
        p.setBrush(off);
        p.drawRoundedRect(lamp, radius, radius);
        return;
    }
    const QColor yellow = assetColor(ColorAsset::pluginYellow);
    QRadialGradient glow(lamp.center(), lamp.width() * 0.85);
    QColor halo = yellow;
    halo.setAlpha(120);
    glow.setColorAt(0, halo);
    halo.setAlpha(0);
    glow.setColorAt(1, halo);
    p.setBrush(glow);
    p.drawEllipse(lamp.center(), lamp.width() * 0.85, lamp.height() * 2.6);
    QLinearGradient body(lamp.topLeft(), lamp.bottomLeft());
    body.setColorAt(0, yellow.lighter(135));
    body.setColorAt(1, yellow);
    p.setBrush(body);
    p.drawRoundedRect(lamp, radius, radius);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawRoundedRect(QRectF(lamp.left() + radius, lamp.top() + 0.6, lamp.width() - 2 * radius, 0.9), 0.45, 0.45);
}

// A grey chaos toggle: the label sits in the upper face, the lamp near its bottom edge.
Drawing chaosToggle(qreal lampWidth, bool on, bool pressed)
{
    return [=](QPainter& p, const QSizeF& size) {
        const QRectF body(0, 0, size.width(), size.height() - 1);
        drawKey(p, body, 5, greyKey, pressed);
        const QRectF face = keyFace(body, pressed);
        const QRectF lamp(face.center().x() - lampWidth / 2, face.bottom() - 8.5, lampWidth, 3.5);
        drawLamp(p, lamp, on);
    };
}

// A triangle pointing left or right, centred on centre.
void drawArrow(QPainter& p, const QPointF& centre, bool left, const QColor& color)
{
    const qreal w = 7.5;
    const qreal h = 10;
    const qreal tip = left ? -w / 2 : w / 2;
    QPainterPath arrow;
    arrow.moveTo(centre.x() + tip, centre.y());
    arrow.lineTo(centre.x() - tip, centre.y() - h / 2);
    arrow.lineTo(centre.x() - tip, centre.y() + h / 2);
    arrow.closeSubpath();
    p.setPen(QPen(color, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(color);
    p.drawPath(arrow);
}

Drawing chaosYellow(bool pressed)
{
    return [=](QPainter& p, const QSizeF& size) {
        drawKey(p, QRectF(0, 0, size.width(), size.height() - 1), 5, yellowKey, pressed);
    };
}

Drawing chaosArrow(bool left, bool pressed)
{
    return [=](QPainter& p, const QSizeF& size) {
        const QRectF body(0, 0, size.width(), size.height() - 1);
        drawKey(p, body, 4, yellowKey, pressed);
        drawArrow(p, keyFace(body, pressed).center(), left, assetColor(ColorAsset::chaosYellowText));
    };
}

enum class PanelLook { off, offPressed, on, onPressed };

// A flat panel button on the whole image but its bottom point (its shadow).
Drawing panelButton(PanelLook look, qreal radius)
{
    return [=](QPainter& p, const QSizeF& size) {
        const QRectF body(0, 0, size.width(), size.height() - 1);
        const bool on = look == PanelLook::on || look == PanelLook::onPressed;
        const bool pressed = look == PanelLook::offPressed || look == PanelLook::onPressed;

        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, on || pressed ? 18 : 0));
        p.drawRoundedRect(body.translated(0, 1), radius, radius); // a lit lower edge when sunk
        p.setBrush(QColor(0, 0, 0, on || pressed ? 0 : 120));
        p.drawRoundedRect(body.translated(0, 1), radius, radius); // a shadow when raised

        QLinearGradient fill(body.topLeft(), body.bottomLeft());
        switch (look) {
        case PanelLook::off:
            fill.setColorAt(0, QColor(0x3a, 0x3d, 0x45));
            fill.setColorAt(1, QColor(0x2c, 0x2e, 0x35));
            break;
        case PanelLook::offPressed:
            fill.setColorAt(0, QColor(0x25, 0x27, 0x2d));
            fill.setColorAt(1, QColor(0x2d, 0x2f, 0x36));
            break;
        case PanelLook::on:
            fill.setColorAt(0, QColor(0x15, 0x16, 0x1a));
            fill.setColorAt(1, QColor(0x1d, 0x1e, 0x23));
            break;
        case PanelLook::onPressed:
            fill.setColorAt(0, QColor(0x10, 0x11, 0x14));
            fill.setColorAt(1, QColor(0x16, 0x17, 0x1b));
            break;
        }
        p.setBrush(fill);
        p.drawRoundedRect(body, radius, radius);

        if (on || pressed) {
            // Sunk: the top edge casts a shadow into the face.
            QLinearGradient shade(body.topLeft(), QPointF(body.left(), body.top() + 5));
            shade.setColorAt(0, QColor(0, 0, 0, 110));
            shade.setColorAt(1, QColor(0, 0, 0, 0));
            p.setBrush(shade);
            p.drawRoundedRect(body, radius, radius);
        } else {
            drawTopLight(p, body, radius, 38);
        }
        if (on) {
            // Lit from within: a soft light along the bottom of the face.
            QRadialGradient glow(QPointF(body.center().x(), body.bottom()), body.width() * 0.5);
            glow.setColorAt(0, QColor(255, 255, 255, look == PanelLook::on ? 26 : 14));
            glow.setColorAt(1, QColor(255, 255, 255, 0));
            p.setBrush(glow);
            p.drawRoundedRect(body, radius, radius);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x0b, 0x0c, 0x0e), 1.0));
        p.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
    };
}

Drawing retroKey(bool pressed)
{
    return [=](QPainter& p, const QSizeF& size) {
        drawKey(p, QRectF(0, 0, size.width(), size.height() - 1), 3.5, creamKey, pressed);
    };
}

} // namespace

Drawing imageDrawing(ImageAsset asset)
{
    // A switch, so that an image added to the table without a drawing does not compile quietly.
    switch (asset) {
    case ImageAsset::vartlowLogo: return logoDrawing();
    case ImageAsset::chaosButtonGreyOff: return chaosToggle(18, false, false);
    case ImageAsset::chaosButtonGreyOffDown: return chaosToggle(18, false, true);
    case ImageAsset::chaosButtonGreyOnYellow: return chaosToggle(18, true, false);
    case ImageAsset::chaosButtonGreyOnYellowDown: return chaosToggle(18, true, true);
    case ImageAsset::chaosButtonNarrowGreyOff: return chaosToggle(10, false, false);
    case ImageAsset::chaosButtonNarrowGreyOffDown: return chaosToggle(10, false, true);
    case ImageAsset::chaosButtonNarrowGreyOnYellow: return chaosToggle(10, true, false);
    case ImageAsset::chaosButtonNarrowGreyOnYellowDown: return chaosToggle(10, true, true);
    case ImageAsset::chaosButtonSmallYellowLeft: return chaosArrow(true, false);
    case ImageAsset::chaosButtonSmallYellowLeftDown: return chaosArrow(true, true);
    case ImageAsset::chaosButtonSmallYellowRight: return chaosArrow(false, false);
    case ImageAsset::chaosButtonSmallYellowRightDown: return chaosArrow(false, true);
    case ImageAsset::chaosButtonYellow: return chaosYellow(false);
    case ImageAsset::chaosButtonYellowDown: return chaosYellow(true);
    case ImageAsset::modernButton: return panelButton(PanelLook::off, 4.5);
    case ImageAsset::modernButtonDown: return panelButton(PanelLook::offPressed, 4.5);
    case ImageAsset::modernButtonOn: return panelButton(PanelLook::on, 4.5);
    case ImageAsset::modernButtonOnDown: return panelButton(PanelLook::onPressed, 4.5);
    case ImageAsset::retroButton: return retroKey(false);
    case ImageAsset::retroButtonDown: return retroKey(true);
    case ImageAsset::settingsButton: return panelButton(PanelLook::off, 6);
    case ImageAsset::settingsButtonDown: return panelButton(PanelLook::offPressed, 6);
    }
    return {};
}

} // namespace mossbell::artwork

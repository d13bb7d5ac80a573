#pragma once

#include "HostRecorder.h"

#include "Mossbell/AudioParameter.h"

#include "platform/audiounit/ParameterTree.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace mossbell::test {

/// A 0/1 switch parameter named "High Pass".
inline std::shared_ptr<AudioParameter> makeSwitch(float value = 0.0f)
{
    return AudioParameter::create(3, "highPassFilter", "High Pass", au::ParameterUnit::boolean, {0.0f, 1.0f}, value,
                                  AudioParameter::ValueIncrement::linear(), std::nullopt, std::nullopt);
}

/// An indexed parameter of four named modes.
inline std::shared_ptr<AudioParameter> makeModes(float value = 0.0f, bool named = true)
{
    return AudioParameter::create(
        0, "mainMode", "Mode", au::ParameterUnit::indexed, {0.0f, 3.0f}, value,
        AudioParameter::ValueIncrement::linear(),
        named ? std::optional<std::vector<std::string>>({"Robot", "Choir", "Whisper", "Alien"}) : std::nullopt,
        std::nullopt);
}

/// A parameter with the host's observer on its tree.
struct HostedParameter {
    explicit HostedParameter(std::shared_ptr<AudioParameter> p)
        : param(std::move(p)), tree(au::ParameterTree::createTree({param->auParameter()})), host(tree)
    {
    }

    /// What the host heard since the last call, e.g. "touch 0, value 1, release 1".
    std::string heard()
    {
        std::ostringstream text;
        const char* names[] = {"value", "touch", "release"};
        for (const auto& event : host.events()) {
            if (text.tellp() > 0)
                text << ", ";
            text << names[int(event.type)] << ' ' << event.value;
        }
        host.clear();
        return text.str();
    }

    /// A value the host sets, as the parameter tree's observer routes it.
    void hostSets(float value)
    {
        param->setValue(value, ParameterEditor::parameterObserver, ParameterEditorState::change);
        runMainQueue();
    }

    std::shared_ptr<AudioParameter> param;
    std::shared_ptr<au::ParameterTree> tree;
    HostRecorder host;
};

/// Sends the pointer to a widget, at points of its own coordinates (fractions kept).
class Pointer {
public:
    explicit Pointer(QWidget& widget) : widget_(widget) {}

    void press(QPointF at, Qt::KeyboardModifiers modifiers = {})
    {
        send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, modifiers);
    }
    void move(QPointF to, Qt::KeyboardModifiers modifiers = {})
    {
        send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, modifiers);
    }
    void release(QPointF at, Qt::KeyboardModifiers modifiers = {})
    {
        send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, modifiers);
    }
    void click(QPointF at, Qt::KeyboardModifiers modifiers = {})
    {
        press(at, modifiers);
        release(at, modifiers);
    }

private:
    void send(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers modifiers)
    {
        QMouseEvent event(type, at, widget_.mapToGlobal(at), button, buttons, modifiers);
        QApplication::sendEvent(&widget_, &event);
    }

    QWidget& widget_;
};

/// The widget drawn at scale times its size on a ground colour. The scale is the painter's,
/// as when a scaled host draws the views, so images take their 2x pictures above 1; the
/// result carries the scale as its device pixel ratio.
inline QImage renderScaled(QWidget& widget, qreal scale, QColor ground)
{
    QImage image((QSizeF(widget.size()) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(ground);
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        widget.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    image.setDevicePixelRatio(scale);
    return image;
}

} // namespace mossbell::test

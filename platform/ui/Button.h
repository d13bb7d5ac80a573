#pragma once

#include "platform/ui/BasicViews.h"
#include "platform/ui/View.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <functional>
#include <memory>

namespace ui {

/// What a button shows: a line of text in a font and colour, or an image at its natural size.
struct ButtonLabel {
    QString text;
    QFont font;
    QColor color;
    ImageProvider image; ///< when set, the label is this image and the text is not drawn

    /// The label's natural size.
    QSizeF size() const;
    /// Draws the label centred in rect.
    void paint(QPainter& painter, const QRectF& rect) const;
};

/// How a button draws its label: a style may change the label (font, colour), add padding and
/// a background, and follow the press. The button gives it the label and the pressed state.
class ButtonStyle {
public:
    virtual ~ButtonStyle() = default;
    /// The button's natural size for label.
    virtual QSizeF size(const ButtonLabel& label) const = 0;
    virtual void paint(QPainter& painter, const QRectF& rect, const ButtonLabel& label, bool isPressed) const = 0;
};

/// The label as it is, dimmed while pressed.
class PlainButtonStyle : public ButtonStyle {
public:
    QSizeF size(const ButtonLabel& label) const override;
    void paint(QPainter& painter, const QRectF& rect, const ButtonLabel& label, bool isPressed) const override;
};

/// A push button drawn by a style. It looks pressed while the pointer is held down over it, and
/// acts when the pointer is released over it. The label is read at every paint, so it may
/// follow the model (what it reads is observed).
class Button : public View {
public:
    Button(std::function<ButtonLabel()> label, std::function<void()> action,
           std::shared_ptr<const ButtonStyle> style = std::make_shared<PlainButtonStyle>(), QWidget* parent = nullptr);

    bool isPressed() const { return isPressed_; }
    const ButtonStyle& style() const { return *style_; }
    /// The label as it is now.
    ButtonLabel label() const { return label_(); }

protected:
    void paint(QPainter& painter) override;
    void observedChange() override;

private:
    void setPressed(bool pressed);
    void updateNaturalSize();

    std::function<ButtonLabel()> label_;
    std::function<void()> action_;
    std::shared_ptr<const ButtonStyle> style_;
    bool isPressed_ = false;
};

} // namespace ui

#pragma once

#include "Tarnkit/Controls/ClickGestureRecognizer.h"
#include "Tarnkit/Controls/Control.h"
#include "Tarnkit/Foundation/PassthroughSubject.h"

#include <variant>

namespace tarnkit {

/// An image view that says when it is clicked: its click recogniser sends an empty value on
/// clicked() for each click. The image is drawn at its size, centred (scaled down to fit), at
/// half opacity while disabled. Main thread only.
class ClickableImageView : public Control {
    Q_OBJECT
public:
    explicit ClickableImageView(QWidget* parent = nullptr);
    explicit ClickableImageView(ImageRef image, QWidget* parent = nullptr);

    ImageRef image() const { return cell().image(); }
    void setImage(ImageRef image);

    const PassthroughSubject<std::monostate>& clicked() const { return clicked_; }
    ClickGestureRecognizer& clickGestureRecognizer() const { return *clickRecognizer_; }

private:
    PassthroughSubject<std::monostate> clicked_;
    ClickGestureRecognizer* clickRecognizer_;
};

} // namespace tarnkit

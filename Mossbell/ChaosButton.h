#pragma once

#include "Mossbell/BitmapButton.h"
#include "Mossbell/ButtonLook.h"

#include <functional>

namespace mossbell {

/// A momentary chaos key with a title: calls its action on a release over it.
///
/// Main thread, like every view.
class ChaosButton : public BitmapButton {
public:
    static constexpr QSizeF defaultButtonSize{48, 56};

    ChaosButton(QString title, ChaosButtonColor buttonColor, std::function<void()> onPressed,
                QWidget* parent = nullptr);
    ~ChaosButton() override;

    ChaosButtonColor color() const { return color_; }
    const QString& buttonText() const { return buttonText_; }

    const ImageResource& currentImage() const override;
    std::optional<BitmapButtonLabel> currentLabel() const override;

protected:
    void pressEnded(bool counted, const ui::DragValue& release) override;

private:
    ChaosButtonColor color_;
    QString buttonText_;
    std::function<void()> onPressed_;
};

} // namespace mossbell

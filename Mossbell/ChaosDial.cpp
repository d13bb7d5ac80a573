#include "Mossbell/ChaosDial.h"

namespace mossbell {

namespace {

constexpr DialLook chaosLook{DialStrip::chaosDialGrey, QSizeF(56, 64), -16, 40, ColorAsset::pluginGrey,
                             MossFont::dosisMedium, 6.0, 0.005f};

} // namespace

ChaosDial::ChaosDial(std::shared_ptr<AudioParameter> param, ModernDialColor color,
                     LabelDisplayOptions labelDisplayOptions, std::shared_ptr<const LabelFormatter> formatter,
                     std::function<void()> onEditingEnded, QWidget* parent)
    : FrameworkDial(chaosLook, std::move(param), std::move(labelDisplayOptions), std::move(formatter),
                    std::move(onEditingEnded), parent),
      color_(color)
{
}

} // namespace mossbell

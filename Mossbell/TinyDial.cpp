#include "Mossbell/TinyDial.h"

namespace mossbell {

namespace {

constexpr DialLook tinyLook{DialStrip::dialSmallGrey, QSizeF(34, 40), 0, 30, ColorAsset::tinyDialLabel,
                            MossFont::zindle, 3.0, 0.01f};

} // namespace

TinyDial::TinyDial(std::shared_ptr<AudioParameter> param, LabelDisplayOptions labelDisplayOptions,
                   std::shared_ptr<const LabelFormatter> formatter, std::function<void()> onEditingEnded,
                   QWidget* parent)
    : FrameworkDial(tinyLook, std::move(param), std::move(labelDisplayOptions), std::move(formatter),
                    std::move(onEditingEnded), parent)
{
}

} // namespace mossbell

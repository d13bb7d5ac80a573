#include "extension/Retroview.h"

#include "extension/ExtensionResources.h"
#include "extension/LargeDial.h"
#include "extension/Settings.h"

#include "Mossbell/ModeToggleButton.h"

#include "platform/ui/BasicViews.h"

namespace zindle {

Retroview::Retroview(std::shared_ptr<Settings> settings, QWidget* parent)
    : ui::Stack(ui::Axis::overlay, 0, Qt::AlignCenter, parent)
{
    add(new ui::ImageView([](qreal scale) { return Images::retroBackground().image(scale); }));

    auto* column = add(ui::vstack(37));
    column->setPadding(QMarginsF(0, 50, 0, 0));
    auto* dials = column->add(ui::hstack(44));
    const std::array<std::pair<std::shared_ptr<mossbell::AudioParameter>, LevelBinding>, 3> bound = {{
        {settings->voiceInputGain(), LevelBinding::voiceIn()},
        {settings->synthInputGain(), LevelBinding::synthIn()},
        {settings->outputGain(), LevelBinding::out()},
    }};
    for (std::size_t index = 0; index < bound.size(); ++index) {
        dials_[index] = dials->add(new LargeDial(settings, bound[index].first, bound[index].second, LargeDialStyle::retro, 90),
                                   ui::Placement{ui::Frame{120, 170}});
    }
    auto* buttons = column->add(ui::hstack(0));
    for (int index = 0; index < 3; ++index) {
        buttons_[std::size_t(index)] = buttons->add(new mossbell::ModeToggleButton(
            settings->retroMode(), index, Colors::retroGreen().value(), mossbell::ToggleButtonStyle::retro, 13));
    }
    column->addSpacer();
}

Retroview::~Retroview() = default;

} // namespace zindle

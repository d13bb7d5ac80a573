#include "extension/MainView.h"

#include "extension/ExtensionResources.h"
#include "extension/ModernView.h"
#include "extension/Retroview.h"
#include "extension/Settings.h"

#include "Mossbell/AudioParameter.h"
#include "Mossbell/PluginHeaderView.h"

#include "platform/ui/BasicViews.h"

namespace zindle {

MainView::MainView(std::shared_ptr<Settings> settings, QWidget* parent)
    : ui::ScaledHost(designSize, parent), settings_(std::move(settings))
{
    auto* design = ui::zstack();
    design->add(new ui::ColorView(Colors::background().value()));

    auto* column = design->add(ui::vstack(0));
    const std::shared_ptr<Settings> model = settings_;
    header_ = column->add(new mossbell::PluginHeaderView(appUpdateURL(), QString::fromStdString(model->pluginVersion()),
                                                         model->mainMode(), mossbell::MossFont::zindle,
                                                         [model] { return model->updateDetails(); }));
    skin_ = column->add(new ui::DynamicView<bool>(
        // Retro only at exactly 0: a value between (automation) shows the modern skin.
        [model] { return model->mainMode()->value() == 0.0f; },
        [model](const bool& retro) -> QWidget* {
            if (retro)
                return new Retroview(model);
            auto* padded = ui::zstack();
            padded->add(new ModernView(model), ui::Placement{{}, QMarginsF(16, 0, 16, 16), {}});
            return padded;
        }));
    setContent(design);
}

MainView::~MainView() = default;

const QUrl& MainView::appUpdateURL()
{
    static const QUrl url(QStringLiteral("zindle://openAndUpdate"));
    return url;
}

} // namespace zindle

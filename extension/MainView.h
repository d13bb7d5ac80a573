#pragma once

#include "platform/ui/DynamicView.h"
#include "platform/ui/ScaledHost.h"

#include <QUrl>

#include <memory>

namespace mossbell {
class PluginHeaderView;
}

namespace zindle {

class Settings;

/// The root of the plug-in view: the 640 x 480 design (the header over the skin the main mode
/// chooses: Retro at exactly 0, Modern otherwise, with 16 points at its sides and bottom, on
/// the colour "background") drawn at min(width / 640, height / 480) from the top-left corner
/// of whatever space the host gives. Everything it shows comes from the model. Main thread.
class MainView : public ui::ScaledHost {
public:
    static constexpr QSizeF designSize{640, 480};

    explicit MainView(std::shared_ptr<Settings> settings, QWidget* parent = nullptr);
    ~MainView() override;

    /// "zindle://openAndUpdate", which the host application handles; made once.
    static const QUrl& appUpdateURL();

    mossbell::PluginHeaderView* header() const { return header_; }
    /// The skin shown now (a Retroview or a ModernView); replaced on the next turn of the event
    /// loop after the main mode changes between Retro and the rest.
    QWidget* skin() const { return skin_->content(); }
    bool showsRetro() const { return skin_->currentKey(); }

private:
    std::shared_ptr<Settings> settings_;
    mossbell::PluginHeaderView* header_ = nullptr;
    ui::DynamicView<bool>* skin_ = nullptr;
};

} // namespace zindle

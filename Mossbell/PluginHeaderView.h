#pragma once

#include "Mossbell/MossFont.h"
#include "Mossbell/UpdateAvailableDetails.h"

#include "platform/ui/DynamicView.h"

#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ui {
class Button;
class Stack;
class TextView;
} // namespace ui

namespace mossbell {

class AudioParameter;

/// The title bar at the top of the plug-in view, 46 points high and as wide as its container,
/// on the colour "background". Three layers lie on each other: the maker's logo at the left
/// (a link to the maker's website); the tabs of the tab parameter centred, one per value
/// string, the one whose index equals the value exactly drawn as selected, a press selecting
/// its index from the user interface; at the right the plug-in's version, or the update
/// button while a newer version is known (it opens the update link), followed by the caller's
/// menu view.
///
/// The header keeps no state: the tabs follow the parameter, and the status follows the
/// update details, read through a function so that the read is observed (the status is
/// rebuilt on the next turn of the event loop after they change).
///
/// Main thread, like every view.
class PluginHeaderView : public QWidget {
public:
    using UpdateDetailsSource = std::function<std::optional<UpdateAvailableDetails>()>;

    static constexpr qreal barHeight = 46.0;
    static constexpr qreal leadingPadding = 8.0;
    static constexpr qreal trailingPadding = 16.0;
    static constexpr qreal tabSpacing = 24.0;
    static constexpr qreal tabFontSize = 16.0;
    static constexpr qreal versionFontSize = 13.0;

    /// updateDetails reads the model's observed update details. makeMenu runs once, here; the
    /// header takes the view it returns.
    PluginHeaderView(QUrl appUpdateURL, QString pluginVersion, std::shared_ptr<AudioParameter> tabParameter,
                     MossFont font, UpdateDetailsSource updateDetails, const std::function<QWidget*()>& makeMenu,
                     QWidget* parent = nullptr);
    /// A header without a menu: nothing follows the status.
    PluginHeaderView(QUrl appUpdateURL, QString pluginVersion, std::shared_ptr<AudioParameter> tabParameter,
                     MossFont font, UpdateDetailsSource updateDetails, QWidget* parent = nullptr);
    ~PluginHeaderView() override;

    const QUrl& appUpdateURL() const { return appUpdateURL_; }
    const QString& pluginVersion() const { return pluginVersion_; }
    const std::shared_ptr<AudioParameter>& tabParameter() const { return tabParameter_; }
    /// The face of the tab titles and of the version text.
    MossFont headerFont() const { return font_; }
    /// The details as the model has them now.
    std::optional<UpdateAvailableDetails> updateDetails() const { return updateDetails_(); }

    // The parts, for the owner and for tests.
    ui::Button* logo() const { return logo_; }
    /// One per value string, in their order; none when the parameter has no value strings.
    const std::vector<ui::Button*>& tabs() const { return tabs_; }
    /// The right layer: a spacer, the status group, then the menu if there is one.
    ui::Stack* trailingLayer() const { return trailingLayer_; }
    /// A spacer and the status: the update button or the version text.
    ui::Stack* statusGroup() const { return statusGroup_; }
    /// The update button, while the status shows it.
    ui::Button* updateButton() const;
    /// The version text, while the status shows it.
    ui::TextView* versionText() const;
    QWidget* menu() const { return menu_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;

private:
    using Status = ui::DynamicView<std::optional<UpdateAvailableDetails>>;

    QWidget* makeLogoLayer();
    QWidget* makeTabLayer();
    QWidget* makeTrailingLayer(QWidget* menu);
    QWidget* makeStatus(const std::optional<UpdateAvailableDetails>& details) const;

    QUrl appUpdateURL_;
    QString pluginVersion_;
    std::shared_ptr<AudioParameter> tabParameter_;
    MossFont font_;
    UpdateDetailsSource updateDetails_;

    ui::Stack* root_ = nullptr;
    ui::Button* logo_ = nullptr;
    std::vector<ui::Button*> tabs_;
    ui::Stack* trailingLayer_ = nullptr;
    ui::Stack* statusGroup_ = nullptr;
    Status* status_ = nullptr;
    QWidget* menu_ = nullptr;
};

} // namespace mossbell

#pragma once

#include "Tarnkit/Components/TarnSettingsConfig.h"

#include "platform/ui/Stack.h"

#include <memory>
#include <vector>

namespace tarnkit {

/// A settings form: its rows (TarnSettingsSection, TarnSettingsDivider or any view) one under
/// the other, each spanning the form's fixed width, settingsWidth. The form holds one
/// TarnSettingsConfig (a new one with the default label width when none is given) and every
/// section inside it without a config of its own uses that one, so their labels share one
/// column.
///
///     auto config = std::make_shared<tarnkit::TarnSettingsConfig>(90);
///     auto* form = new tarnkit::TarnSettings(360, {qualitySection, new tarnkit::TarnSettingsDivider,
///                                                  mixSection}, config);
///     config->setLabelWidth(110); // every section's label column follows
///
/// Main thread.
class TarnSettings : public ui::Stack {
public:
    /// The gap between rows.
    static constexpr qreal rowSpacing = 8;

    TarnSettings(qreal settingsWidth, const std::vector<QWidget*>& content,
                 std::shared_ptr<TarnSettingsConfig> config = nullptr, QWidget* parent = nullptr);

    qreal settingsWidth() const { return settingsWidth_; }
    const std::shared_ptr<TarnSettingsConfig>& config() const { return config_; }
    /// The column holding the rows.
    ui::Stack* rows() const { return rows_; }

private:
    qreal settingsWidth_;
    std::shared_ptr<TarnSettingsConfig> config_;
    ui::Stack* rows_;
};

} // namespace tarnkit

#include "Tarnkit/Components/TarnSettings.h"

#include "Tarnkit/Components/TarnSettingsSection.h"

namespace tarnkit {

TarnSettings::TarnSettings(qreal settingsWidth, const std::vector<QWidget*>& content,
                           std::shared_ptr<TarnSettingsConfig> config, QWidget* parent)
    : ui::Stack(ui::Axis::overlay, 0, Qt::AlignCenter, parent), settingsWidth_(settingsWidth),
      config_(config ? std::move(config) : std::make_shared<TarnSettingsConfig>()),
      rows_(ui::vstack(rowSpacing, Qt::AlignLeft))
{
    for (QWidget* row : content) {
        if (row)
            rows_->add(row);
    }
    add(rows_, ui::Placement{ui::Frame{settingsWidth_, {}, Qt::AlignCenter}});
    // The sections inside take the form's config now, so the first layout has their column.
    // (dynamic_cast: our views carry no meta-object of their own, so findChildren<T> cannot
    // tell them apart)
    for (QWidget* child : findChildren<QWidget*>()) {
        if (auto* section = dynamic_cast<TarnSettingsSection*>(child))
            section->updateConfig();
    }
}

} // namespace tarnkit

#pragma once

#include "Tarnkit/Components/TarnSettingsConfig.h"

#include "platform/ui/Stack.h"

#include <QString>

#include <memory>
#include <vector>

namespace tarnkit {

class FillEachChildLeading;

/// A labelled row of a settings form: the label in a column as wide as the config's
/// labelWidth (a longer label is cut to it), then the content, one child under the other, at
/// the leading edge of the rest of the row. Every section under one config shares the label
/// column, and follows it when its width changes.
///
/// The config is the section's own when given one, else the one of the TarnSettings form it is
/// placed in. A section shown with neither stops the process with a fatal error that says so:
/// that is a programming error, and a row laid out against no column would be wrong silently.
///
///     new tarnkit::TarnSettingsSection(QObject::tr("Quality"), {qualityField});
///
/// Main thread.
class TarnSettingsSection : public ui::Stack {
public:
    /// The gap between the label column and the content.
    static constexpr qreal labelSpacing = 8;

    TarnSettingsSection(QString label, const std::vector<QWidget*>& content,
                        std::shared_ptr<TarnSettingsConfig> config = nullptr, QWidget* parent = nullptr);
    ~TarnSettingsSection() override;

    const QString& label() const { return label_; }
    /// The config in use: the section's own, else its form's; null while it has found none.
    const std::shared_ptr<TarnSettingsConfig>& config() const { return config_; }
    /// The label column and the content column.
    QWidget* labelView() const;
    FillEachChildLeading* contentView() const { return content_; }

    /// Looks for the config again (its own, else its form's). TarnSettings calls it when it
    /// takes the section; the section calls it itself when it is polished and shown.
    void updateConfig();

protected:
    bool event(QEvent* event) override;

private:
    class LabelView;

    void use(std::shared_ptr<TarnSettingsConfig> config);

    QString label_;
    std::shared_ptr<TarnSettingsConfig> ownConfig_;
    std::shared_ptr<TarnSettingsConfig> config_;
    foundation::ObservationToken widthObservation_;
    LabelView* labelView_;
    FillEachChildLeading* content_;
};

} // namespace tarnkit

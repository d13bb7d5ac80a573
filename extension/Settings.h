#pragma once

#include "extension/ParameterAddress.h"

#include "Mossbell/AudioParameter.h"
#include "Mossbell/ParameterSettings.h"
#include "Mossbell/UpdateAvailableDetails.h"
#include "platform/foundation/Observation.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace foundation {
class RepeatingTimer;
}

namespace zindle {

class ZindleAudioUnit;

/// The effect's model: its 15 parameters, the three meter levels the views draw, the link to
/// the Audio Unit with the 60 Hz poll of its kernel, and the details of an available update.
/// Made with std::make_shared before the Audio Unit exists; configureAudioUnit connects it.
/// It also holds, weakly, the window that shows the plug-in view and that window's focus
/// widget, so that the views can give the keyboard back after editing a value.
///
/// Threads: main thread, except what routing allows from the host's threads (see
/// ParameterSettings) and the parameter getters.
class Settings : public mossbell::ParameterSettings {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    using TimePoint = std::chrono::steady_clock::time_point;

    /// The order of the parameter tree (and of the host's parameter list and of the first push
    /// of values): mainMode, the effect's parameters with the high-pass filter beside the
    /// low-pass one, then retroMode and freeze.
    static constexpr std::array<std::uint64_t, ParameterAddress::count> treeOrder{
        ParameterAddress::mainMode,       ParameterAddress::quality,        ParameterAddress::whiteNoiseLevel,
        ParameterAddress::whiteNoiseThreshold, ParameterAddress::outputGain, ParameterAddress::voiceInputGain,
        ParameterAddress::synthInputGain, ParameterAddress::voiceMode,      ParameterAddress::formantShift,
        ParameterAddress::highPassFilter, ParameterAddress::lowPassFilter,  ParameterAddress::crush,
        ParameterAddress::compress,       ParameterAddress::retroMode,      ParameterAddress::freeze,
    };

    static constexpr double pollInterval = 1.0 / 60.0;
    /// How long the meters hold without fresh readings, and then between two decay steps.
    static constexpr std::chrono::milliseconds meterHold{300};

    /// Every parameter at its default. clock is what the meters take the time from (empty: the
    /// steady clock).
    explicit Settings(Clock clock = {});
    /// Stops the poll timer (on the main thread: when the last owner lets go elsewhere, the
    /// timer is handed to the main queue to stop there).
    ~Settings() override;

    // --- Parameters (any thread) ---

    const std::shared_ptr<mossbell::AudioParameter>& parameter(std::uint64_t address) const
    {
        return byAddress_.at(address);
    }
    const std::shared_ptr<mossbell::AudioParameter>& vocoderQuality() const { return byAddress_[ParameterAddress::quality]; }
    const std::shared_ptr<mossbell::AudioParameter>& whiteNoiseLevel() const { return byAddress_[ParameterAddress::whiteNoiseLevel]; }
    const std::shared_ptr<mossbell::AudioParameter>& whiteNoiseThreshold() const { return byAddress_[ParameterAddress::whiteNoiseThreshold]; }
    const std::shared_ptr<mossbell::AudioParameter>& highPassFilter() const { return byAddress_[ParameterAddress::highPassFilter]; }
    const std::shared_ptr<mossbell::AudioParameter>& outputGain() const { return byAddress_[ParameterAddress::outputGain]; }
    const std::shared_ptr<mossbell::AudioParameter>& voiceInputGain() const { return byAddress_[ParameterAddress::voiceInputGain]; }
    const std::shared_ptr<mossbell::AudioParameter>& synthInputGain() const { return byAddress_[ParameterAddress::synthInputGain]; }
    const std::shared_ptr<mossbell::AudioParameter>& voiceMode() const { return byAddress_[ParameterAddress::voiceMode]; }
    const std::shared_ptr<mossbell::AudioParameter>& formantShift() const { return byAddress_[ParameterAddress::formantShift]; }
    const std::shared_ptr<mossbell::AudioParameter>& lowPassFilter() const { return byAddress_[ParameterAddress::lowPassFilter]; }
    const std::shared_ptr<mossbell::AudioParameter>& crush() const { return byAddress_[ParameterAddress::crush]; }
    const std::shared_ptr<mossbell::AudioParameter>& compress() const { return byAddress_[ParameterAddress::compress]; }
    const std::shared_ptr<mossbell::AudioParameter>& mainMode() const { return byAddress_[ParameterAddress::mainMode]; }
    const std::shared_ptr<mossbell::AudioParameter>& retroMode() const { return byAddress_[ParameterAddress::retroMode]; }
    const std::shared_ptr<mossbell::AudioParameter>& voiceFreeze() const { return byAddress_[ParameterAddress::freeze]; }

    // --- Meter levels, 0 to 100 (main thread; observed) ---

    double synthInLevel() const { return synthInLevel_.get(); }
    double voiceInLevel() const { return voiceInLevel_.get(); }
    double outLevel() const { return outLevel_.get(); }
    foundation::ObservationToken observeSynthInLevel(std::function<void(double)> callback);
    foundation::ObservationToken observeVoiceInLevel(std::function<void(double)> callback);
    foundation::ObservationToken observeOutLevel(std::function<void(double)> callback);
    /// Writes the three levels in this order; each notifies only when it changes.
    virtual void updateLevels(double synthIn, double voiceIn, double out);
    /// A kernel reading as a level: -60 dB (or less, or NaN) is 0, 0 dB or more is 100, linear between.
    static double levelFromDecibels(float decibels);

    // --- Plug-in window (main thread; not observed, held weakly) ---

    /// The window that shows the plug-in view; set when the view appears. Null once it is gone.
    QWidget* pluginWindow() const { return pluginWindow_; }
    void setPluginWindow(QWidget* window) { pluginWindow_ = window; }
    /// The widget that had that window's keyboard focus when the view appeared; the dials hand
    /// the focus back to it when a value edit ends. Null once it is gone.
    QWidget* pluginMainResponder() const { return pluginMainResponder_; }
    void setPluginMainResponder(QWidget* responder) { pluginMainResponder_ = responder; }

    // --- Audio Unit and poll (main thread) ---

    /// Base configuration (tree, first push of values); then, for the effect's own unit: links
    /// it weakly, (re)starts the 60 Hz poll timer, lets the host read values from the kernel's
    /// mirror and starts the update check.
    void configureAudioUnit(const std::shared_ptr<mossbell::MossAudioUnit>& audioUnit) override;
    std::shared_ptr<ZindleAudioUnit> zindleAU() const { return zindleAU_.lock(); }
    /// Whether a poll timer runs.
    bool isPolling() const;

    /// One poll step: routes the parameters the render side changed (ascending addresses, source
    /// parameterObserver), then moves the meters to fresh readings or lets them decay.
    virtual void pollKernel();
    TimePoint lastMeterDate() const { return lastMeterDate_; }
    TimePoint lastDecayDate() const { return lastDecayDate_; }

    // --- Update notice (main thread; observed) ---

    /// Set when the update check found a newer version; the header shows it.
    const std::optional<mossbell::UpdateAvailableDetails>& updateDetails() const;
    /// Always notifies.
    void setUpdateDetails(std::optional<mossbell::UpdateAvailableDetails> details);
    foundation::ObservationToken observeUpdateDetails(std::function<void()> callback);

    /// Fetches the update feed once and, when its latest version weighs more than
    /// pluginVersion(), sets updateDetails. Failures change nothing and are not reported.
    /// finished (optional) is called on the main thread when the check ends, either way. The
    /// check holds the model until it ends.
    virtual void checkForUpdates(std::function<void()> finished = {});
    /// The feed the check reads: update::feedUrl() (the product's, which the host
    /// application's updater reads too) unless setUpdateFeedUrl says otherwise.
    const QUrl& updateFeedUrl() const { return updateFeedUrl_; }
    void setUpdateFeedUrl(QUrl url) { updateFeedUrl_ = std::move(url); }

protected:
    /// The mode presets.
    void updateDependentValues(std::uint64_t address, float value) override;

private:
    std::shared_ptr<Settings> sharedSettings();

    std::array<std::shared_ptr<mossbell::AudioParameter>, ParameterAddress::count> byAddress_;
    foundation::Observed<double> synthInLevel_{0.0};
    foundation::Observed<double> voiceInLevel_{0.0};
    foundation::Observed<double> outLevel_{0.0};
    QPointer<QWidget> pluginWindow_;
    QPointer<QWidget> pluginMainResponder_;
    std::weak_ptr<ZindleAudioUnit> zindleAU_;
    std::shared_ptr<foundation::RepeatingTimer> pollTimer_; // shared: a release off the main thread hands it there
    Clock clock_;
    TimePoint lastMeterDate_;
    TimePoint lastDecayDate_;
    std::optional<mossbell::UpdateAvailableDetails> updateDetails_;
    foundation::ObservationRegistrar updateDetailsRegistrar_;
    QUrl updateFeedUrl_;
};

} // namespace zindle

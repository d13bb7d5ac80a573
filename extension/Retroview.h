#pragma once

#include "platform/ui/Stack.h"

#include <array>
#include <memory>

namespace zindle {

class LargeDial;
class Settings;

/// The retro skin: on the retro backdrop, three large retro dials (voice in, synth in, output)
/// and below them the three buttons that choose the retro mode, whose presets set the hidden
/// parameters. Pushed to the top of the space it is given. Main thread.
class Retroview : public ui::Stack {
public:
    explicit Retroview(std::shared_ptr<Settings> settings, QWidget* parent = nullptr);
    ~Retroview() override;

    LargeDial* voiceInputDial() const { return dials_[0]; }
    LargeDial* synthInputDial() const { return dials_[1]; }
    LargeDial* outputDial() const { return dials_[2]; }
    /// valueIndex 0 to 2: "Nuvo", "Tazmania", "Talkbox".
    QWidget* retroModeButton(int index) const { return buttons_[std::size_t(index)]; }

private:
    std::array<LargeDial*, 3> dials_{};
    std::array<QWidget*, 3> buttons_{};
};

} // namespace zindle

#include "tools/zindle-host/ShowSession.h"

#include "tools/zindle-host/AudioFile.h"

#include "platform/foundation/Bundle.h"

namespace zindlehost {

std::filesystem::path exampleVoicePath()
{
    return foundation::Bundle::main().bundlePath() / "examples" / "voice.wav";
}

std::filesystem::path exampleCarrierPath()
{
    return foundation::Bundle::main().bundlePath() / "examples" / "carrier.wav";
}

ShowSession::ShowSession(const ShowOptions& options)
    : voicePath_(options.voice.empty() ? exampleVoicePath() : options.voice),
      carrierPath_(options.carrier.empty() ? exampleCarrierPath() : options.carrier)
{
    const AudioData voice = readAudioFile(voicePath_, "voice file", maxInputChannels);
    const AudioData carrier = readAudioFile(carrierPath_, "carrier file", maxInputChannels);

    const au::ComponentRegistry registry;
    effect_ = std::make_unique<EffectInstance>(findInstalledEffect(registry, zindleEffect));
    for (const auto& [parameter, value] : resolveSettings(effect_->parameterTree(), options.settings))
        effect_->setParameter(*parameter, value);

    player_ = std::make_unique<LoopPlayer>(effect_->unit(), voice, carrier,
                                           openAudioOutput(voice.sampleRate, silentBlockSize));
}

ShowSession::~ShowSession() { stop(); }

void ShowSession::start() { player_->start(); }

void ShowSession::stop()
{
    if (player_)
        player_->stop();
}

} // namespace zindlehost

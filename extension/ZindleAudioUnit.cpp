#include "extension/ZindleAudioUnit.h"

#include <array>

namespace zindle {

namespace {

// Any number of channels in, any number out.
constexpr std::array<au::ChannelCapability, 2> channelCapabilityPairs{{{-1, -2}, {-1, -2}}};

std::shared_ptr<au::AudioBus> makeBus(std::uint32_t channels)
{
    return std::make_shared<au::AudioBus>(au::AudioFormat::standard(ZindleAudioUnit::defaultSampleRate, channels));
}

} // namespace

const au::ComponentDescription ZindleAudioUnit::description{
    au::componentType::effect, au::fourCharCode("voco"), au::fourCharCode("Vart")};

ZindleAudioUnit::ZindleAudioUnit(const au::ComponentDescription& componentDescription)
    : MossAudioUnit(componentDescription),
      processHelper_(kernel_, voiceBufferedBus_, sideBufferedBus_),
      outputBus_(makeBus(2)),
      inputs_(*this, au::BusType::input, {makeBus(2), makeBus(1)}),
      outputs_(*this, au::BusType::output, {outputBus_})
{
}

ZindleAudioUnit::~ZindleAudioUnit() = default;

std::span<const au::ChannelCapability> ZindleAudioUnit::channelCapabilities() const
{
    return channelCapabilityPairs;
}

std::optional<au::SampleRateRange> ZindleAudioUnit::supportedSampleRates() const
{
    return au::SampleRateRange{minimumSampleRate, maximumSampleRate};
}

void ZindleAudioUnit::setParameter(std::uint64_t address, float value)
{
    kernel_.setParameter(address, value, false);
}

void ZindleAudioUnit::doAllocateRenderResources()
{
    const au::AudioFormat voiceFormat = inputs_[0].format();
    const au::AudioFormat sideFormat = inputs_[1].format();
    const au::AudioFormat outputFormat = outputs_[0].format();
    const au::FrameCount maxFrames = maximumFramesToRender();

    voiceBufferedBus_.init(voiceFormat, "Main");
    sideBufferedBus_.init(sideFormat, "Side Chain");
    voiceBufferedBus_.allocateRenderResources(maxFrames);
    sideBufferedBus_.allocateRenderResources(maxFrames);

    kernel_.initialize(voiceOnlyOutput, outputFormat.sampleRate(), wetMix, dryMix, compressorRatio,
                       compressorThreshold, compressorAttackMs, compressorReleaseMs);

    processHelper_.configure(voiceFormat.channelCount(), sideFormat.channelCount(), outputFormat.channelCount(),
                             maxFrames);
}

void ZindleAudioUnit::doDeallocateRenderResources() { kernel_.releaseVocoder(); }

} // namespace zindle

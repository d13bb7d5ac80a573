#include "tools/zindle-host/RenderCommand.h"

#include "tools/zindle-host/AudioFile.h"
#include "tools/zindle-host/Console.h"
#include "tools/zindle-host/EffectInstance.h"
#include "tools/zindle-host/HostError.h"
#include "tools/zindle-host/LevelMeter.h"
#include "tools/zindle-host/LoopResampler.h"
#include "tools/zindle-host/OfflineRenderer.h"
#include "tools/zindle-host/ProgressBar.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <utility>

namespace zindlehost {

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

SignalReport report(const std::filesystem::path& path, const AudioData& audio, const LevelMeter& levels)
{
    return {path, audio.sampleRate, audio.channelCount(), audio.frames(), levels.peakDb(), levels.rmsDb()};
}

LevelMeter levelsOf(const AudioData& audio)
{
    LevelMeter meter;
    meter.add(audio);
    return meter;
}

std::string line(const char* label, const SignalReport& signal, const std::string& note = {})
{
    char text[256];
    std::snprintf(text, sizeof text, "  %-8s peak %7.1f dBFS   RMS %7.1f dBFS   %zu ch  %6.0f Hz  %8.3f s", label,
                  signal.peakDb, signal.rmsDb, signal.channels, signal.sampleRate,
                  static_cast<double>(signal.frames) / signal.sampleRate);
    return text + (note.empty() ? std::string() : "   " + note) + "   " + signal.path.string() + "\n";
}

// The output replaces whatever its name points at: when that is one of the inputs (by another
// spelling, a link or a hard link), the render would destroy what it reads.
void refuseOutputThatIsAnInput(const RenderOptions& options)
{
    const std::pair<const std::filesystem::path*, const char*> inputs[] = {{&options.voice, "voice file"},
                                                                          {&options.carrier, "carrier file"}};
    for (const auto& [input, role] : inputs) {
        std::error_code error; // either missing: not the same file (a missing input is reported later)
        if (std::filesystem::equivalent(options.output, *input, error))
            throw HostError(ExitCode::usage, "render: the output '" + options.output.string() + "' is the " + role
                                                 + " '" + input->string()
                                                 + "'; the render would replace it (choose another output)");
    }
}

} // namespace

RenderSummary renderFiles(const RenderOptions& options, const Console& console)
{
    const auto started = Clock::now();
    refuseOutputThatIsAnInput(options);
    const AudioData voice = readAudioFile(options.voice, "voice file", maxInputChannels);
    const AudioData carrierFile = readAudioFile(options.carrier, "carrier file", maxInputChannels);

    const au::ComponentRegistry registry;
    EffectInstance effect(findInstalledEffect(registry, zindleEffect));
    // The effect runs at the voice's rate: one it does not run at is the file's fault, told
    // before anything is sized for it. The carrier is resampled, so any rate it can be
    // resampled from will do.
    if (const auto rates = effect.unit().supportedSampleRates(); rates && !rates->contains(voice.sampleRate))
        inputError("voice file", options.voice,
                   "runs at " + hertzText(voice.sampleRate) + "; the effect runs at "
                       + std::to_string(std::lround(rates->minimum)) + " to " + hertzText(rates->maximum));
    const au::ParameterTree& tree = effect.parameterTree();

    // Every identifier and value is checked before the first one is set.
    const std::vector<ResolvedSetting> settings = resolveSettings(tree, options.settings);
    std::vector<ScheduledChange> changes;
    for (const auto& lane : options.automation) {
        const auto parameter = findParameter(tree, lane.identifier);
        const bool loadsOthers = parameter->dependentParameters() && !parameter->dependentParameters()->empty();
        for (const auto& point : lane.points) {
            // A time past the end is never due; held to the end, it cannot overflow the frame.
            const double at = std::round(point.seconds * voice.sampleRate);
            const auto end = static_cast<std::int64_t>(voice.frames());
            const std::int64_t frame = at < static_cast<double>(end) ? static_cast<std::int64_t>(at) : end;
            changes.push_back({frame, parameter->address(), parseValue(*parameter, point.value), loadsOthers});
        }
    }
    for (const auto& [parameter, value] : settings)
        effect.setParameter(*parameter, value);

    const AudioData carrier = fitCarrier(carrierFile, voice.sampleRate, voice.frames());

    OfflineRenderer renderer(effect.unit(), options.blockSize);
    const std::size_t outputChannels = renderer.outputChannelCount();
    AudioFileWriter writer(options.output, voice.sampleRate, outputChannels);
    LevelMeter outputLevels;

    const auto renderStarted = Clock::now();
    {
        ProgressBar bar(console.err, console.progress, voice.frames(), "rendering");
        renderer.render(
            voice, carrier, std::move(changes),
            [&](au::ParameterAddress address, au::AUValue value) {
                effect.setParameter(*tree.parameter(address), value);
            },
            [&](const float* const* channels, std::size_t frames) {
                writer.write(channels, frames);
                outputLevels.add(channels, outputChannels, frames);
            },
            [&](std::size_t done) { bar.update(done); });
    }
    writer.commit();

    RenderSummary summary;
    summary.renderSeconds = secondsSince(renderStarted);
    summary.voice = report(options.voice, voice, levelsOf(voice));
    summary.carrier = report(options.carrier, carrierFile, levelsOf(carrierFile));
    summary.carrierResampled = std::lround(carrierFile.sampleRate) != std::lround(voice.sampleRate);
    summary.carrierLooped = carrierFile.seconds() < voice.seconds();
    summary.output = {options.output, voice.sampleRate, outputChannels, writer.framesWritten(),
                      outputLevels.peakDb(), outputLevels.rmsDb()};
    summary.totalSeconds = secondsSince(started);
    return summary;
}

void printSummary(std::ostream& out, const RenderSummary& summary)
{
    std::string carrierNote;
    if (summary.carrierResampled)
        carrierNote = "resampled to " + std::to_string(std::lround(summary.voice.sampleRate)) + " Hz";
    if (summary.carrierLooped)
        carrierNote += carrierNote.empty() ? "looped" : ", looped";

    const double audioSeconds = static_cast<double>(summary.output.frames) / summary.output.sampleRate;
    char timing[256];
    std::snprintf(timing, sizeof timing,
                  "  length   %.3f s (%zu frames)\n  time     %.3f s rendering, %.3f s in all\n"
                  "  speed    %.1fx real time\n",
                  audioSeconds, summary.output.frames, summary.renderSeconds, summary.totalSeconds,
                  summary.renderSeconds > 0.0 ? audioSeconds / summary.renderSeconds : 0.0);

    out << "Rendered " << summary.output.path.string() << "\n"
        << line("voice", summary.voice) << line("carrier", summary.carrier, carrierNote)
        << line("output", summary.output) << timing;
}

} // namespace zindlehost

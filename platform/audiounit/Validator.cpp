#include "platform/audiounit/Validator.h"

#include "platform/audiounit/ComponentRegistry.h"
#include "platform/audiounit/LoadedComponent.h"
#include "platform/audiounit/Parameter.h"
#include "platform/audiounit/ParameterTree.h"
#include "platform/audiounit/Status.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <set>
#include <sstream>
#include <system_error>
#include <thread>

namespace au {

namespace fs = std::filesystem;

namespace {

constexpr std::array<double, 3> sampleRates{44100.0, 48000.0, 96000.0};
constexpr std::array<FrameCount, 3> fixedFrameCounts{1, 64, 512};
// What the validator, as a host, asks as the largest render call.
constexpr FrameCount requestedMaximumFrames = 4096;
// More frames per call than any host asks for: the unit misreports its limit (and a buffer of
// one frame more would wrap).
constexpr FrameCount implausibleMaximumFrames = FrameCount(1) << 20;
// Each render phase covers at least this much audio, and at least minimumCalls calls.
constexpr double phaseSeconds = 0.1;
constexpr std::size_t minimumCalls = 3;
// Samples that may differ this much still count as passed through unchanged.
constexpr float passThroughTolerance = 1e-6f;
// Index texts are tried for every value up to this many values.
constexpr int maximumIndexedValuesTried = 64;

std::string number(double value)
{
    std::array<char, 32> text{};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? std::string(text.data(), end) : std::string("?");
}

std::string number(float value)
{
    std::array<char, 32> text{};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? std::string(text.data(), end) : std::string("?");
}

// A level for reading, not for exactness: three decimals.
std::string level(float value)
{
    std::array<char, 32> text{};
    const auto [end, error] =
        std::to_chars(text.data(), text.data() + text.size(), double(value), std::chars_format::fixed, 3);
    return error == std::errc() ? std::string(text.data(), end) : std::string("?");
}

// "1 frame", "2 frames".
std::string counted(std::size_t count, const std::string& noun, const std::string& plural)
{
    return std::to_string(count) + ' ' + (count == 1 ? noun : plural);
}

std::string quoted(const std::string& text) { return '"' + text + '"'; }

/// The report as it grows: each line goes to the stream when made and into a list that
/// another thread may copy (the watchdog of validateWithResults).
class ReportWriter {
public:
    explicit ReportWriter(std::ostream& out) : out_(out) {}

    void note(const std::string& line) { add(line, false, false); }
    void pass(const std::string& check, const std::string& detail)
    {
        add("PASS  " + check + ": " + detail, true, false);
    }
    void fail(const std::string& check, const std::string& detail)
    {
        add("FAIL  " + check + ": " + detail, true, true);
    }
    void check(bool passed, const std::string& check, const std::string& detail)
    {
        passed ? pass(check, detail) : fail(check, detail);
    }

    std::vector<std::string> lines() const
    {
        const std::lock_guard lock(mutex_);
        return lines_;
    }

    /// Adds the verdict line.
    ValidationReport finish()
    {
        int checks = 0;
        int failures = 0;
        {
            const std::lock_guard lock(mutex_);
            checks = checks_;
            failures = failures_;
        }
        const bool passed = failures == 0 && checks > 0;
        if (passed)
            note("Verdict: PASSED (" + std::to_string(checks) + " checks)");
        else
            note("Verdict: FAILED (" + std::to_string(failures) + " of " + std::to_string(checks) + " checks failed)");
        out_.flush();
        return {passed ? ValidationResult::passed : ValidationResult::failed, lines()};
    }

private:
    void add(std::string line, bool isCheck, bool isFailure)
    {
        out_ << line << '\n';
        const std::lock_guard lock(mutex_);
        checks_ += isCheck ? 1 : 0;
        failures_ += isFailure ? 1 : 0;
        lines_.push_back(std::move(line));
    }

    std::ostream& out_;
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    int checks_ = 0;
    int failures_ = 0;
};

/// Runs one check's code, turning an exception from the effect into that check's failure.
/// Returns whether the code ran to its end.
template <typename Check>
bool guarded(ReportWriter& report, const std::string& name, Check&& check)
{
    try {
        check();
        return true;
    } catch (const std::exception& error) {
        report.fail(name, std::string("the effect threw: ") + error.what());
    } catch (...) {
        report.fail(name, "the effect threw an exception that is not a std::exception");
    }
    return false;
}

// Deterministic white noise in [-0.5, 0.5), a function of the sample's index on the timeline,
// so a later check can say what any input sample was.
float noiseAt(std::uint64_t seed, std::int64_t index)
{
    std::uint64_t x = seed * 0x9e37'79b9'7f4a'7c15ull + static_cast<std::uint64_t>(index);
    x = (x ^ (x >> 30)) * 0xbf58'476d'1ce4'e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d0'49bb'1331'11ebull;
    x ^= x >> 31;
    return static_cast<float>(x >> 40) / 16777216.0f - 0.5f;
}

// Classified by its bits, so a flush-to-zero mode of the calling thread cannot hide one.
std::optional<std::string> faultOf(float sample)
{
    const auto bits = std::bit_cast<std::uint32_t>(sample);
    const std::uint32_t exponent = bits & 0x7f80'0000u;
    const std::uint32_t mantissa = bits & 0x007f'ffffu;
    if (exponent == 0x7f80'0000u)
        return mantissa ? "NaN" : "infinite";
    if (exponent == 0 && mantissa != 0)
        return "denormal (" + number(sample) + ")";
    return std::nullopt;
}

enum class Input { silence, noise };

/// Drives the unit's render block as a host does: output bus 0 into buffers of its own, every
/// input bus pulled from its own signal (the same on every channel of a bus: silence, or noise
/// seeded by the bus number), on a sample timeline that advances with each successful call.
/// Its buffers take one frame more than the maximum, so a unit that ignores the limit writes
/// into memory that exists.
class RenderHarness {
public:
    RenderHarness(AudioUnit& unit, FrameCount capacity) : unit_(unit), capacity_(capacity)
    {
        for (std::size_t bus = 0; bus < unit.inputBusses().count(); ++bus) {
            const std::uint32_t channels = unit.inputBusses()[bus].format().channelCount();
            inputs_.emplace_back(channels, std::vector<float>(capacity));
        }
        const std::uint32_t channels = unit.outputBusses()[0].format().channelCount();
        outputs_.assign(channels, std::vector<float>(capacity));
        outputBuffers_.resize(channels);
    }

    std::int64_t sampleTime = 0;

    /// The sample of an input bus at a point of the timeline while it plays noise.
    static float noiseInput(std::size_t bus, std::int64_t index) { return noiseAt(bus + 1, index); }

    Status render(FrameCount frames, Input input)
    {
        input_ = input;
        for (std::size_t channel = 0; channel < outputs_.size(); ++channel) {
            std::fill(outputs_[channel].begin(), outputs_[channel].end(), 0.0f);
            outputBuffers_[channel] = {1, std::min(frames, capacity_) * std::uint32_t(sizeof(float)),
                                       outputs_[channel].data()};
        }
        outputList_ = {std::uint32_t(outputBuffers_.size()), outputBuffers_.data()};
        RenderActionFlags flags = 0;
        const AudioTimeStamp timestamp{static_cast<double>(sampleTime), 0};
        auto pull = [this](RenderActionFlags&, const AudioTimeStamp& time, FrameCount count, std::int64_t bus,
                           AudioBufferList* list) { return this->pull(time, count, bus, list); };
        const Status status = unit_.renderBlock()(flags, timestamp, frames, 0, &outputList_, nullptr, pull);
        if (status == status::ok)
            sampleTime += frames;
        return status;
    }

    std::size_t outputChannels() const { return outputs_.size(); }
    /// What the unit left in output channel of the last call: the buffer it was handed, or
    /// the one it put in its place.
    const float* output(std::size_t channel) const
    {
        return channel < outputList_.numberBuffers && outputList_.buffers[channel].data
                   ? outputList_.buffers[channel].data
                   : outputs_[channel].data();
    }

private:
    Status pull(const AudioTimeStamp& time, FrameCount count, std::int64_t bus, AudioBufferList* list)
    {
        if (bus < 0 || std::size_t(bus) >= inputs_.size() || !list)
            return status::noConnection;
        if (count > capacity_)
            return status::tooManyFramesToProcess;
        auto& channels = inputs_[std::size_t(bus)];
        const auto start = static_cast<std::int64_t>(time.sampleTime);
        std::size_t index = 0;
        for (AudioBuffer& buffer : list->span()) {
            if (!buffer.data)
                buffer.data = channels[index % channels.size()].data();
            for (FrameCount i = 0; i < count; ++i)
                buffer.data[i] = input_ == Input::noise ? noiseInput(std::size_t(bus), start + i) : 0.0f;
            buffer.dataByteSize = count * std::uint32_t(sizeof(float));
            ++index;
        }
        return status::ok;
    }

    AudioUnit& unit_;
    FrameCount capacity_;
    Input input_ = Input::silence;
    std::vector<std::vector<std::vector<float>>> inputs_; // bus, channel, frame
    std::vector<std::vector<float>> outputs_;
    std::vector<AudioBuffer> outputBuffers_;
    AudioBufferList outputList_{};
};

std::string channelCounts(const AudioBusArray& buses)
{
    std::string text;
    for (std::size_t bus = 0; bus < buses.count(); ++bus)
        text += (bus ? ", " : "") + std::to_string(buses[bus].format().channelCount());
    return text;
}

// Whether a capability accepts inputs in and outputs out (see ChannelCapability).
bool accepts(const ChannelCapability& capability, std::int32_t in, std::int32_t out)
{
    const std::int32_t wantIn = capability.inputChannels;
    const std::int32_t wantOut = capability.outputChannels;
    if (wantIn == -1 && wantOut == -1)
        return in == out;
    if (wantIn == -1 && wantOut == -2)
        return true;
    return (wantIn == -1 || wantIn == in) && (wantOut == -1 || wantOut == out);
}

bool wellFormed(const ChannelCapability& capability)
{
    const std::int32_t in = capability.inputChannels;
    const std::int32_t out = capability.outputChannels;
    if (in < -1 || out < -2)
        return false;
    if (out == -2)
        return in == -1;
    return in != 0 || out != 0;
}

/// One effect under validation: the checks in the order they run.
class Validation {
public:
    Validation(AudioUnit& unit, const ComponentManifest& manifest, ReportWriter& report)
        : unit_(unit), manifest_(manifest), report_(report)
    {
    }

    void run()
    {
        guarded(report_, "description", [&] { checkDescription(); });
        bool busesUsable = false;
        guarded(report_, "buses", [&] { busesUsable = checkBuses(); });
        if (!busesUsable)
            return;
        guarded(report_, "formats", [&] { checkFormats(); });
        guarded(report_, "channel capabilities", [&] { checkChannelCapabilities(); });
        guarded(report_, "latency", [&] { checkLatency(); });
        guarded(report_, "parameters", [&] { checkParameters(); });
        if (!guarded(report_, "maximum frames", [&] { checkMaximumFrames(); }) || maximumFrames_ == 0)
            return;
        for (const double rate : sampleRates)
            checkRendering(rate);
        guarded(report_, "deallocate", [&] { unit_.deallocateRenderResources(); });
    }

private:
    void checkDescription()
    {
        const ComponentDescription& reported = unit_.componentDescription();
        report_.check(reported == manifest_.description, "description",
                      "the unit reports " + codesText(reported)
                          + (reported == manifest_.description ? "" : ", not " + manifest_.codesText()));
    }

    bool checkBuses()
    {
        const std::size_t inputs = unit_.inputBusses().count();
        const std::size_t outputs = unit_.outputBusses().count();
        const std::string detail = counted(inputs, "input bus", "input buses") + " ("
                                   + channelCounts(unit_.inputBusses()) + " channels), "
                                   + counted(outputs, "output bus", "output buses") + " ("
                                   + channelCounts(unit_.outputBusses()) + " channels)";
        const bool usable = inputs >= 1 && outputs >= 1;
        report_.check(usable, "buses",
                      usable ? detail : detail + "; an effect needs input bus 0 and output bus 0");
        return usable;
    }

    void checkFormats()
    {
        std::vector<std::string> faults;
        const double rate = unit_.outputBusses()[0].format().sampleRate();
        auto look = [&](const AudioBusArray& buses, const char* kind) {
            for (std::size_t bus = 0; bus < buses.count(); ++bus) {
                const AudioFormat& format = buses[bus].format();
                const std::string name = std::string(kind) + " bus " + std::to_string(bus);
                if (!std::isfinite(format.sampleRate()) || format.sampleRate() <= 0.0)
                    faults.push_back(name + " runs at " + number(format.sampleRate()) + " Hz");
                else if (format.sampleRate() != rate)
                    faults.push_back(name + " runs at " + number(format.sampleRate()) + " Hz, output bus 0 at "
                                     + number(rate) + " Hz");
                if (format.channelCount() == 0)
                    faults.push_back(name + " has no channel");
            }
        };
        look(unit_.inputBusses(), "input");
        look(unit_.outputBusses(), "output");
        report_.check(faults.empty(), "formats",
                      faults.empty() ? "every bus at " + number(rate) + " Hz" : join(faults));
    }

    void checkChannelCapabilities()
    {
        const auto capabilities = unit_.channelCapabilities();
        const auto in = static_cast<std::int32_t>(unit_.inputBusses()[0].format().channelCount());
        const auto out = static_cast<std::int32_t>(unit_.outputBusses()[0].format().channelCount());
        std::string listed;
        bool formed = true;
        bool accepted = capabilities.empty();
        for (const ChannelCapability& capability : capabilities) {
            listed += (listed.empty() ? "" : ", ") + std::string("[") + std::to_string(capability.inputChannels)
                      + ", " + std::to_string(capability.outputChannels) + "]";
            formed = formed && wellFormed(capability);
            accepted = accepted || accepts(capability, in, out);
        }
        if (capabilities.empty())
            listed = "any";
        const std::string current = std::to_string(in) + " in / " + std::to_string(out) + " out";
        if (!formed)
            report_.fail("channel capabilities", listed + ": a pair is not a valid channel count combination");
        else if (!accepted)
            report_.fail("channel capabilities", listed + ": the unit's own " + current + " is not among them");
        else
            report_.pass("channel capabilities", listed + "; the current " + current + " is accepted");
    }

    void checkLatency()
    {
        const double latency = unit_.latency();
        report_.check(std::isfinite(latency) && latency >= 0.0, "latency", number(latency) + " s");
    }

    void checkParameters()
    {
        const std::shared_ptr<ParameterTree>& tree = unit_.parameterTree();
        if (!tree || tree->allParameters().empty()) {
            report_.pass("parameters", "the unit has none");
            return;
        }
        const auto& parameters = tree->allParameters();
        std::vector<std::string> faults;
        std::set<ParameterAddress> addresses;
        std::set<std::string> identifiers;
        for (const auto& parameter : parameters) {
            if (!addresses.insert(parameter->address()).second)
                faults.push_back("address " + std::to_string(parameter->address()) + " is used twice");
            if (parameter->identifier().empty())
                faults.push_back("the parameter at address " + std::to_string(parameter->address())
                                 + " has no identifier");
            else if (!identifiers.insert(parameter->identifier()).second)
                faults.push_back("identifier " + quoted(parameter->identifier()) + " is used twice");
        }
        report_.check(faults.empty(), "parameters",
                      faults.empty()
                          ? std::to_string(parameters.size()) + " in the tree, addresses and identifiers unique"
                          : join(faults));
        for (const auto& parameter : parameters) {
            const std::string name = "parameter " + std::to_string(parameter->address()) + " "
                                     + quoted(parameter->identifier());
            guarded(report_, name, [&] { checkParameter(*parameter, name); });
        }
    }

    void checkParameter(const Parameter& parameter, const std::string& name)
    {
        std::vector<std::string> faults;
        const AUValue min = parameter.minValue();
        const AUValue max = parameter.maxValue();
        const bool rangeSane = std::isfinite(min) && std::isfinite(max) && min <= max;
        if (!rangeSane)
            faults.push_back("range " + number(min) + " to " + number(max) + " is not a finite, ordered range");
        const std::uint32_t flags = parameter.flags();
        if (!(flags & parameterFlag::isReadable))
            faults.push_back("not readable");
        if (!(flags & parameterFlag::isWritable))
            faults.push_back("not writable");
        const AUValue current = parameter.value();
        if (!std::isfinite(current) || (rangeSane && (current < min || current > max)))
            faults.push_back("value " + number(current) + " lies outside its range");

        const bool stepped = parameter.unit() == ParameterUnit::indexed || parameter.unit() == ParameterUnit::boolean;
        if (stepped && rangeSane && (std::floor(min) != min || std::floor(max) != max))
            faults.push_back("an indexed range needs whole bounds, not " + number(min) + " to " + number(max));
        const auto& strings = parameter.valueStrings();
        if (strings && parameter.unit() == ParameterUnit::indexed && rangeSane) {
            const double values = double(max) - double(min) + 1.0;
            if (double(strings->size()) != values)
                faults.push_back(std::to_string(strings->size()) + " value strings for " + number(values)
                                 + " index values");
        }

        std::size_t roundTrips = 0;
        if (rangeSane) {
            for (const AUValue value : valuesToTry(parameter, stepped)) {
                ++roundTrips;
                if (auto fault = roundTripFault(parameter, value, stepped)) {
                    faults.push_back(*fault);
                    break;
                }
            }
        }
        if (!faults.empty()) {
            report_.fail(name, join(faults));
            return;
        }
        report_.pass(name, quoted(parameter.displayName()) + ", " + number(min) + " to " + number(max)
                               + (parameter.unitName().empty() ? "" : " " + parameter.unitName()) + ", value "
                               + number(current) + ", " + std::to_string(roundTrips) + " text round trips");
    }

    static std::vector<AUValue> valuesToTry(const Parameter& parameter, bool stepped)
    {
        const AUValue min = parameter.minValue();
        const AUValue max = parameter.maxValue();
        std::vector<AUValue> values;
        if (stepped && double(max) - double(min) < maximumIndexedValuesTried) {
            // Counted in steps: adding 1 to a large float may leave it where it was.
            const auto steps = static_cast<int>(double(max) - double(min));
            for (int step = 0; step <= steps; ++step)
                values.push_back(static_cast<AUValue>(double(min) + step));
            return values;
        }
        const AUValue middle = min + (max - min) / 2.0f;
        values = {min, max, stepped ? std::round(middle) : middle, parameter.value()};
        return values;
    }

    // value -> text -> value must land in the range and give the same text again (and, for an
    // index, the same value).
    static std::optional<std::string> roundTripFault(const Parameter& parameter, AUValue value, bool stepped)
    {
        const std::string text = parameter.string(&value);
        const std::string start = number(value) + " -> " + quoted(text);
        if (text.empty())
            return "value " + number(value) + " has no text";
        const AUValue back = parameter.value(text);
        if (!std::isfinite(back) || back < parameter.minValue() || back > parameter.maxValue())
            return start + " -> " + number(back) + ", outside the range";
        if (stepped && back != value)
            return start + " -> " + number(back) + ", another value";
        const std::string again = parameter.string(&back);
        if (again != text)
            return start + " -> " + number(back) + " -> " + quoted(again) + ", another text";
        return std::nullopt;
    }

    void checkMaximumFrames()
    {
        unit_.setMaximumFramesToRender(requestedMaximumFrames);
        const FrameCount kept = unit_.maximumFramesToRender();
        const bool enough = kept >= fixedFrameCounts.back();
        const bool plausible = kept < implausibleMaximumFrames;
        const bool usable = enough && plausible;
        const std::string detail = "asked for " + std::to_string(requestedMaximumFrames)
                                   + " frames per call, the unit keeps " + std::to_string(kept);
        const std::string fault = !enough ? ", fewer than the " + std::to_string(fixedFrameCounts.back()) + " a host needs"
                                          : ", more than any host asks for";
        report_.check(usable, "maximum frames", usable ? detail : detail + fault);
        maximumFrames_ = usable ? kept : 0;
    }

    void checkRendering(double rate)
    {
        const std::string at = number(rate) + " Hz";
        bool allocated = false;
        guarded(report_, "allocate " + at, [&] { allocated = allocate(rate, at); });
        if (!allocated)
            return;
        RenderHarness harness(unit_, maximumFrames_ + 1);

        std::vector<FrameCount> frameCounts(fixedFrameCounts.begin(), fixedFrameCounts.end());
        if (maximumFrames_ > frameCounts.back())
            frameCounts.push_back(maximumFrames_);
        for (const FrameCount frames : frameCounts) {
            const std::string name = "render " + at + ", " + counted(frames, "frame", "frames");
            guarded(report_, name, [&] { checkRenderPhases(harness, rate, frames, name); });
        }
        guarded(report_, "too many frames " + at, [&] { checkTooManyFrames(harness, at); });
        guarded(report_, "bypass " + at, [&] { checkBypass(harness, rate, at); });
        guarded(report_, "allocate/deallocate cycle " + at, [&] { checkCycle(harness, at); });
    }

    bool allocate(double rate, const std::string& at)
    {
        unit_.deallocateRenderResources();
        for (AudioBusArray* buses : {&unit_.inputBusses(), &unit_.outputBusses()}) {
            for (std::size_t bus = 0; bus < buses->count(); ++bus)
                (*buses)[bus].setFormat(AudioFormat::standard(rate, (*buses)[bus].format().channelCount()));
        }
        unit_.allocateRenderResources();
        const bool allocated = unit_.renderResourcesAllocated();
        report_.check(allocated, "allocate " + at,
                      allocated ? "every bus set to " + at + ", render resources allocated"
                                : "allocation returned but the unit says it is not allocated");
        return allocated;
    }

    // Silence from a fresh allocation, then noise, then silence again (where a decaying tail
    // turns denormal if the effect lets it).
    void checkRenderPhases(RenderHarness& harness, double rate, FrameCount frames, const std::string& name)
    {
        const std::size_t calls = std::max(minimumCalls, std::size_t(std::ceil(phaseSeconds * rate / frames)));
        float noisePeak = 0.0f;
        const std::pair<Input, const char*> phases[] = {
            {Input::silence, "silence"}, {Input::noise, "noise"}, {Input::silence, "silence after noise"}};
        for (const auto& [input, phase] : phases) {
            for (std::size_t call = 0; call < calls; ++call) {
                const Status status = harness.render(frames, input);
                if (status != status::ok) {
                    report_.fail(name, std::string(phase) + ": call " + std::to_string(call + 1) + " returned status "
                                           + std::to_string(status));
                    return;
                }
                for (std::size_t channel = 0; channel < harness.outputChannels(); ++channel) {
                    const float* samples = harness.output(channel);
                    for (FrameCount frame = 0; frame < frames; ++frame) {
                        if (auto fault = faultOf(samples[frame])) {
                            report_.fail(name, std::string(phase) + ": output channel " + std::to_string(channel)
                                                   + ", frame " + std::to_string(frame) + " of call "
                                                   + std::to_string(call + 1) + " is " + *fault);
                            return;
                        }
                        if (input == Input::noise)
                            noisePeak = std::max(noisePeak, std::fabs(samples[frame]));
                    }
                }
            }
        }
        report_.pass(name, std::to_string(calls) + " calls each of silence, noise and silence: output finite, no "
                               + "denormals (noise peak " + level(noisePeak) + ")");
    }

    void checkTooManyFrames(RenderHarness& harness, const std::string& at)
    {
        const FrameCount frames = maximumFrames_ + 1;
        const Status status = harness.render(frames, Input::noise);
        const std::string asked = "asked for " + std::to_string(frames) + " frames (maximum "
                                  + std::to_string(maximumFrames_) + "), the unit answered "
                                  + std::to_string(status);
        const bool refused = status == status::tooManyFramesToProcess;
        report_.check(refused, "too many frames " + at,
                      refused ? asked + " (too many frames)"
                              : asked + " instead of " + std::to_string(status::tooManyFramesToProcess)
                                    + " (too many frames)");
    }

    // Bypassed, output channel 0 carries input bus 0 unchanged (at once, or delayed by the
    // unit's latency), and every other output channel some input bus unchanged.
    void checkBypass(RenderHarness& harness, double rate, const std::string& at)
    {
        const std::string name = "bypass " + at;
        unit_.setShouldBypassEffect(true);
        if (!unit_.shouldBypassEffect()) {
            report_.fail(name, "the unit does not keep bypass on");
            return;
        }
        const FrameCount frames = std::min<FrameCount>(512, maximumFrames_);
        std::optional<std::string> fault;
        std::int64_t start = 0;
        // A unit may fade into bypass: only the last call is compared.
        for (int call = 0; call < 4 && !fault; ++call) {
            start = harness.sampleTime;
            if (const Status status = harness.render(frames, Input::noise); status != status::ok)
                fault = "call " + std::to_string(call + 1) + " returned status " + std::to_string(status);
        }
        const auto latencyFrames = static_cast<std::int64_t>(std::llround(unit_.latency() * rate));
        std::optional<std::int64_t> delay;
        for (std::size_t channel = 0; channel < harness.outputChannels() && !fault; ++channel) {
            std::optional<std::int64_t> found;
            const std::size_t buses = channel == 0 ? 1 : unit_.inputBusses().count();
            for (std::size_t bus = 0; bus < buses && !found; ++bus) {
                for (const std::int64_t shift : {std::int64_t(0), latencyFrames}) {
                    if (carries(harness.output(channel), frames, bus, start - shift)) {
                        found = shift;
                        break;
                    }
                }
            }
            if (!found)
                fault = channel == 0 ? "output channel 0 does not carry input bus 0 unchanged"
                                     : "output channel " + std::to_string(channel) + " carries no input unchanged";
            else if (channel == 0)
                delay = found;
        }
        unit_.setShouldBypassEffect(false);
        if (!fault && unit_.shouldBypassEffect())
            fault = "the unit does not turn bypass off again";
        if (fault) {
            report_.fail(name, *fault);
            return;
        }
        report_.pass(name, "output channel 0 carries input bus 0 unchanged"
                               + (*delay ? ", delayed by the latency (" + std::to_string(*delay) + " frames)"
                                         : std::string()));
    }

    static bool carries(const float* output, FrameCount frames, std::size_t bus, std::int64_t inputStart)
    {
        for (FrameCount frame = 0; frame < frames; ++frame) {
            const std::int64_t index = inputStart + frame;
            const float expected = index < 0 ? 0.0f : RenderHarness::noiseInput(bus, index);
            if (!(std::fabs(output[frame] - expected) <= passThroughTolerance))
                return false;
        }
        return true;
    }

    void checkCycle(RenderHarness& harness, const std::string& at)
    {
        const std::string name = "allocate/deallocate cycle " + at;
        unit_.deallocateRenderResources();
        if (unit_.renderResourcesAllocated()) {
            report_.fail(name, "the unit still says it is allocated after deallocation");
            return;
        }
        if (const Status status = harness.render(64, Input::noise); status == status::ok) {
            report_.fail(name, "a render call after deallocation succeeded");
            return;
        }
        unit_.allocateRenderResources();
        const Status status = harness.render(64, Input::noise);
        unit_.deallocateRenderResources();
        report_.check(status == status::ok, name,
                      status == status::ok
                          ? "deallocated (render refused), allocated again and rendered"
                          : "after allocating again, rendering returned status " + std::to_string(status));
    }

    static std::string join(const std::vector<std::string>& parts)
    {
        std::string text;
        for (const std::string& part : parts)
            text += (text.empty() ? "" : "; ") + part;
        return text;
    }

    AudioUnit& unit_;
    const ComponentManifest& manifest_;
    ReportWriter& report_;
    FrameCount maximumFrames_ = 0;
};

ValidationReport runValidation(const ComponentManifest& manifest, ReportWriter& report)
{
    report.note("Validating " + quoted(manifest.name) + " (" + manifest.codesText() + "), version "
                + manifest.versionText());
    report.note("Bundle " + manifest.bundlePath.string());
    std::shared_ptr<AudioUnit> unit;
    try {
        unit = LoadedComponent::load(manifest)->instantiate();
        report.pass("open", "loaded " + manifest.libraryPath.filename().string()
                                + ", created the principal and its Audio Unit");
    } catch (const std::exception& error) {
        report.fail("open", error.what());
        return report.finish();
    }
    // Each check guards the effect's own exceptions; this catches what is left (memory for the
    // render buffers, say), so a validation always ends in a verdict.
    try {
        Validation(*unit, manifest, report).run();
    } catch (const std::exception& error) {
        report.fail("validation", std::string("stopped: ") + error.what());
    } catch (...) {
        report.fail("validation", "stopped by an exception that is not a std::exception");
    }
    return report.finish();
}

// Earlier reports of this process, by component and library file as it was when validated.
// One library may serve several components of a bundle: each has a report of its own.
class ReportCache {
public:
    static std::optional<std::string> keyOf(const ComponentManifest& manifest)
    {
        const fs::path& library = manifest.libraryPath;
        std::error_code error;
        const auto size = fs::file_size(library, error);
        if (error)
            return std::nullopt;
        const auto written = fs::last_write_time(library, error);
        if (error)
            return std::nullopt;
        return manifest.codesText() + '\n' + manifest.name + '\n' + library.string() + '\n' + std::to_string(size)
               + '\n' + std::to_string(written.time_since_epoch().count());
    }

    std::optional<ValidationReport> find(const std::string& key)
    {
        const std::lock_guard lock(mutex_);
        const auto found = reports_.find(key);
        return found == reports_.end() ? std::nullopt : std::optional(found->second);
    }

    void store(const std::string& key, const ValidationReport& report)
    {
        const std::lock_guard lock(mutex_);
        reports_[key] = report;
    }

private:
    std::mutex mutex_;
    std::map<std::string, ValidationReport> reports_;
};

ReportCache& reportCache()
{
    static ReportCache cache;
    return cache;
}

ValidationReport validate(const ComponentManifest& manifest, const ValidationOptions& options, ReportWriter& report)
{
    const std::optional<std::string> key = ReportCache::keyOf(manifest);
    if (key && !options.forceValidation) {
        if (std::optional<ValidationReport> earlier = reportCache().find(*key)) {
            report.note("(the report of an earlier validation of this unchanged library)");
            for (const std::string& line : earlier->output)
                report.note(line);
            return {earlier->result, report.lines()};
        }
    }
    ValidationReport result = runValidation(manifest, report);
    if (key)
        reportCache().store(*key, result);
    return result;
}

} // namespace

ValidationReport validateComponent(const ComponentManifest& manifest, const ValidationOptions& options,
                                   std::ostream& out)
{
    ReportWriter report(out);
    return validate(manifest, options, report);
}

ValidationReport validateComponent(const ComponentDescription& description, const ValidationOptions& options,
                                   std::ostream& out)
{
    const std::vector<ComponentManifest> found = ComponentRegistry().componentsMatching(description);
    if (found.empty()) {
        ReportWriter report(out);
        report.fail("open", "no installed component matches " + codesText(description));
        return report.finish();
    }
    return validateComponent(found.front(), options, out);
}

void validateWithResults(const ComponentManifest& manifest, const ValidationOptions& options,
                         ValidationHandler handler)
{
    // Shared by the worker and the watchdog; whichever comes first calls the handler.
    struct Run {
        std::ostream silent{nullptr};
        ReportWriter report{silent};
        std::mutex mutex;
        std::condition_variable finishedSignal;
        bool finished = false;
        std::atomic<bool> answered{false};
        ValidationHandler handler;

        void answer(ValidationResult result, std::vector<std::string> lines)
        {
            if (answered.exchange(true))
                return;
            ValidationResults results{{validationOutputKey, std::move(lines)}};
            try {
                handler(result, std::move(results));
            } catch (const std::exception& error) {
                std::cerr << "warning: a validation handler threw: " << error.what() << '\n';
            } catch (...) {
                std::cerr << "warning: a validation handler threw\n";
            }
        }
    };
    auto run = std::make_shared<Run>();
    run->handler = std::move(handler);

    std::thread([run, manifest, options] {
        ValidationReport report = validate(manifest, options, run->report);
        {
            const std::lock_guard lock(run->mutex);
            run->finished = true;
        }
        run->finishedSignal.notify_all();
        run->answer(report.result, std::move(report.output));
    }).detach();

    std::thread([run, timeout = options.timeout] {
        std::unique_lock lock(run->mutex);
        if (run->finishedSignal.wait_for(lock, timeout, [&] { return run->finished; }))
            return;
        lock.unlock();
        std::vector<std::string> lines = run->report.lines();
        lines.push_back("FAIL  timeout: the validation did not finish within " + std::to_string(timeout.count())
                        + " ms");
        lines.push_back("Verdict: TIMED OUT");
        run->answer(ValidationResult::timedOut, std::move(lines));
    }).detach();
}

} // namespace au

#include "platform/audiounit/validation/BusChecks.h"

#include <cmath>
#include <string>
#include <vector>

namespace au::validation {

namespace {

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

} // namespace

bool BusChecks::run()
{
    guarded(report_, "description", [&] { checkDescription(); });
    bool busesUsable = false;
    guarded(report_, "buses", [&] { busesUsable = checkBuses(); });
    if (!busesUsable)
        return false;
    guarded(report_, "formats", [&] { checkFormats(); });
    guarded(report_, "channel capabilities", [&] { checkChannelCapabilities(); });
    guarded(report_, "latency", [&] { checkLatency(); });
    return true;
}

void BusChecks::checkDescription()
{
    const ComponentDescription& reported = unit_.componentDescription();
    report_.check(reported == manifest_.description, "description",
                  "the unit reports " + codesText(reported)
                      + (reported == manifest_.description ? "" : ", not " + manifest_.codesText()));
}

bool BusChecks::checkBuses()
{
    const std::size_t inputs = unit_.inputBusses().count();
    const std::size_t outputs = unit_.outputBusses().count();
    const std::string detail = counted(inputs, "input bus", "input buses") + " (" + channelCounts(unit_.inputBusses())
                               + " channels), " + counted(outputs, "output bus", "output buses") + " ("
                               + channelCounts(unit_.outputBusses()) + " channels)";
    const bool usable = inputs >= 1 && outputs >= 1;
    report_.check(usable, "buses", usable ? detail : detail + "; an effect needs input bus 0 and output bus 0");
    return usable;
}

void BusChecks::checkFormats()
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
    report_.check(faults.empty(), "formats", faults.empty() ? "every bus at " + number(rate) + " Hz" : join(faults));
}

void BusChecks::checkChannelCapabilities()
{
    const auto capabilities = unit_.channelCapabilities();
    const auto in = static_cast<std::int32_t>(unit_.inputBusses()[0].format().channelCount());
    const auto out = static_cast<std::int32_t>(unit_.outputBusses()[0].format().channelCount());
    std::string listed;
    bool formed = true;
    bool accepted = capabilities.empty();
    for (const ChannelCapability& capability : capabilities) {
        listed += (listed.empty() ? "" : ", ") + std::string("[") + std::to_string(capability.inputChannels) + ", "
                  + std::to_string(capability.outputChannels) + "]";
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

void BusChecks::checkLatency()
{
    const double latency = unit_.latency();
    report_.check(std::isfinite(latency) && latency >= 0.0, "latency", number(latency) + " s");
}

} // namespace au::validation

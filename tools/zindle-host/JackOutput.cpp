#include "tools/zindle-host/JackOutput.h"

#include "tools/zindle-host/HostError.h"

#include <jack/jack.h>

#include <algorithm>
#include <cerrno>

namespace zindlehost {

namespace {

constexpr const char* clientName = "zindle-host";
constexpr std::array<const char*, AudioOutput::channelCount> portNames{"left", "right"};

// The tool reports in its own words; JACK's lines about a server that is not there, or about
// its own housekeeping, would only clutter the terminal.
void ignoreJackMessage(const char*) {}

} // namespace

std::unique_ptr<JackOutput> JackOutput::open()
{
    jack_set_error_function(ignoreJackMessage);
    jack_set_info_function(ignoreJackMessage);
    jack_status_t status{};
    jack_client_t* client = jack_client_open(clientName, JackNoStartServer, &status);
    if (!client)
        return nullptr;
    std::array<jack_port_t*, channelCount> ports{};
    for (std::size_t c = 0; c < channelCount; ++c) {
        ports[c] = jack_port_register(client, portNames[c], JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
        if (!ports[c]) {
            jack_client_close(client);
            return nullptr;
        }
    }
    return std::unique_ptr<JackOutput>(new JackOutput(client, ports));
}

JackOutput::JackOutput(jack_client_t* client, std::array<jack_port_t*, channelCount> ports)
    : client_(client), ports_(ports), sampleRate_(jack_get_sample_rate(client)),
      blockSize_(jack_get_buffer_size(client))
{
    // Both go in before the client is active, as JACK requires.
    jack_set_process_callback(client_, &JackOutput::process, this);
    jack_on_shutdown(client_, &JackOutput::serverGone, this);
}

JackOutput::~JackOutput()
{
    stop();
    jack_client_close(client_);
}

std::string JackOutput::description() const
{
    if (!active_ || connectedPorts_ > 0)
        return "audio: JACK (system playback)";
    return "audio: JACK (not connected: the server has no playback ports)";
}

void JackOutput::start(Source& source)
{
    if (active_)
        return;
    source_.store(&source, std::memory_order_release);
    if (serverGone_.load() || jack_activate(client_) != 0) {
        source_.store(nullptr, std::memory_order_release);
        throw HostError(ExitCode::failed, "the JACK server refused to start playback");
    }
    active_ = true;

    connectedPorts_ = 0;
    const char** playback = jack_get_ports(client_, nullptr, JACK_DEFAULT_AUDIO_TYPE, JackPortIsPhysical | JackPortIsInput);
    if (!playback)
        return;
    std::size_t count = 0;
    while (playback[count])
        ++count;
    // A mono device takes both channels.
    for (std::size_t c = 0; c < channelCount && count > 0; ++c) {
        const char* destination = playback[std::min(c, count - 1)];
        const int result = jack_connect(client_, jack_port_name(ports_[c]), destination);
        if (result == 0 || result == EEXIST)
            ++connectedPorts_;
    }
    jack_free(playback);
}

void JackOutput::stop()
{
    if (!active_)
        return;
    // A server that went away has no process thread left to wait for.
    if (!serverGone_.load())
        jack_deactivate(client_);
    active_ = false;
    source_.store(nullptr, std::memory_order_release);
}

int JackOutput::process(std::uint32_t frames, void* output)
{
    auto& self = *static_cast<JackOutput*>(output);
    float* channels[channelCount];
    for (std::size_t c = 0; c < channelCount; ++c)
        channels[c] = static_cast<float*>(jack_port_get_buffer(self.ports_[c], frames));
    if (Source* source = self.source_.load(std::memory_order_acquire))
        source->render(channels, frames);
    else
        for (float* channel : channels)
            std::fill_n(channel, frames, 0.0f);
    return 0;
}

void JackOutput::serverGone(void* output) { static_cast<JackOutput*>(output)->serverGone_.store(true); }

} // namespace zindlehost

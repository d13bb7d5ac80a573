#pragma once

#include "tools/zindle-host/AudioOutput.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

typedef struct _jack_client jack_client_t;
typedef struct _jack_port jack_port_t;

namespace zindlehost {

/// Playback through a running JACK server: a client with two output ports, "left" and
/// "right", connected to the server's playback ports when it has any. The server's sample
/// rate and period are the session's; its process callback is the real-time thread.
class JackOutput final : public AudioOutput {
public:
    /// A client of the JACK server named by JACK_DEFAULT_SERVER (else the default one), with
    /// its ports registered; null when no server runs. No server is ever started for it
    /// (JackNoStartServer), and what JACK would print about a missing server is not printed.
    /// Main thread.
    static std::unique_ptr<JackOutput> open();
    /// Stops and leaves the server.
    ~JackOutput() override;

    JackOutput(const JackOutput&) = delete;
    JackOutput& operator=(const JackOutput&) = delete;

    Kind kind() const override { return Kind::jack; }
    double sampleRate() const override { return sampleRate_; }
    au::FrameCount blockSize() const override { return blockSize_; }
    std::string description() const override;

    /// Activates the client and connects its ports to the server's playback ports. Throws
    /// HostError (failed) when the server refuses to activate it.
    void start(Source& source) override;
    /// Deactivates the client: once it returns the process callback has finished.
    void stop() override;

    /// How many of the two ports start() connected. Main thread.
    int connectedPorts() const { return connectedPorts_; }

private:
    JackOutput(jack_client_t* client, std::array<jack_port_t*, channelCount> ports);

    // JACK's process thread.
    static int process(std::uint32_t frames, void* output);
    // A thread of JACK's, when the server goes away.
    static void serverGone(void* output);

    jack_client_t* client_;
    std::array<jack_port_t*, channelCount> ports_;
    double sampleRate_;
    au::FrameCount blockSize_;
    std::atomic<Source*> source_{nullptr};
    std::atomic<bool> serverGone_{false};
    bool active_ = false;
    int connectedPorts_ = 0;
};

} // namespace zindlehost

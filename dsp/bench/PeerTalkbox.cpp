#include "dsp/bench/PeerTalkbox.h"

#if ZINDLE_BENCH_HAVE_LILV
#include <lilv/lilv.h>

#include <cmath>
#include <vector>
#endif

namespace dsp::bench {

#if ZINDLE_BENCH_HAVE_LILV

namespace {
constexpr const char* peerUri = "http://drobilla.net/plugins/mda/TalkBox";
}

struct PeerTalkbox::Impl {
    LilvWorld* world = nullptr;
    LilvInstance* instance = nullptr;
    std::vector<float> controls;
    // With its default settings the plug-in takes the voice on its left input and the carrier
    // on its right one.
    std::uint32_t voiceIn = 0, carrierIn = 0, out1 = 0, out2 = 0;

    ~Impl()
    {
        if (instance) {
            lilv_instance_deactivate(instance);
            lilv_instance_free(instance);
        }
        if (world)
            lilv_world_free(world);
    }
};

PeerTalkbox::PeerTalkbox(double sampleRate)
{
    auto impl = std::make_unique<Impl>();
    impl->world = lilv_world_new();
    lilv_world_load_all(impl->world);
    LilvNode* uri = lilv_new_uri(impl->world, peerUri);
    const LilvPlugin* plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(impl->world), uri);
    lilv_node_free(uri);
    if (!plugin) {
        problem_ = std::string("the peer talkbox (") + peerUri + ") is not installed: apt-get install mda-lv2";
        return;
    }

    struct Audio {
        const char* symbol;
        std::uint32_t* index;
    } audio[] = {{"left_in", &impl->voiceIn}, {"right_in", &impl->carrierIn}, {"left_out", &impl->out1},
                 {"right_out", &impl->out2}};
    for (const Audio& a : audio) {
        LilvNode* symbol = lilv_new_string(impl->world, a.symbol);
        const LilvPort* port = lilv_plugin_get_port_by_symbol(plugin, symbol);
        lilv_node_free(symbol);
        if (!port) {
            problem_ = std::string("the peer talkbox has no port \"") + a.symbol + "\"";
            return;
        }
        *a.index = lilv_port_get_index(plugin, port);
    }

    impl->instance = lilv_plugin_instantiate(plugin, sampleRate, nullptr);
    if (!impl->instance) {
        problem_ = "the peer talkbox could not be instantiated";
        return;
    }
    // Every control port at its default; the audio ports get their buffers on each block.
    const std::uint32_t ports = lilv_plugin_get_num_ports(plugin);
    std::vector<float> minimum(ports), maximum(ports);
    impl->controls.assign(ports, 0.0f);
    lilv_plugin_get_port_ranges_float(plugin, minimum.data(), maximum.data(), impl->controls.data());
    for (std::uint32_t p = 0; p < ports; ++p) {
        if (!std::isnan(impl->controls[p]))
            lilv_instance_connect_port(impl->instance, p, &impl->controls[p]);
    }
    lilv_instance_activate(impl->instance);
    impl_ = std::move(impl);
}

PeerTalkbox::~PeerTalkbox() = default;

void PeerTalkbox::process(const float* voice, const float* carrier, float* out1, float* out2, int n)
{
    if (!impl_ || n < 1)
        return;
    LilvInstance* instance = impl_->instance;
    lilv_instance_connect_port(instance, impl_->voiceIn, const_cast<float*>(voice));
    lilv_instance_connect_port(instance, impl_->carrierIn, const_cast<float*>(carrier));
    lilv_instance_connect_port(instance, impl_->out1, out1);
    lilv_instance_connect_port(instance, impl_->out2, out2);
    lilv_instance_run(instance, static_cast<std::uint32_t>(n));
}

#else

struct PeerTalkbox::Impl {};

PeerTalkbox::PeerTalkbox(double)
    : problem_("built without the plug-in host library: apt-get install liblilv-dev mda-lv2, then reconfigure")
{
}

PeerTalkbox::~PeerTalkbox() = default;

void PeerTalkbox::process(const float*, const float*, float*, float*, int) {}

#endif

} // namespace dsp::bench

// Effects that take their host down, for the tests of validation in a child process: built once
// per misbehaviour (ZINDLE_TEST_MISBEHAVIOUR), each misbehaves when asked for its unit.
//   crash  dies on a segmentation fault;
//   hang   starts a helper process that waits forever, then never returns itself; with
//          ZINDLE_TEST_PID_FILE set it writes both process ids there first, one a line;
//   exit   ends its process at once with status 7, as a careless library might.
#include "platform/audiounit/ExtensionEntry.h"
#include "platform/audiounit/ViewController.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <thread>

#include <unistd.h>

namespace au::test {
namespace {

enum class Misbehaviour { crash, hang, exit };
constexpr Misbehaviour misbehaviour = Misbehaviour::ZINDLE_TEST_MISBEHAVIOUR;

[[noreturn]] void hangForever()
{
    const pid_t helper = ::fork();
    if (helper == 0) {
        for (;;)
            ::pause();
    }
    if (const char* file = std::getenv("ZINDLE_TEST_PID_FILE"))
        std::ofstream(file) << ::getpid() << '\n' << helper << '\n';
    for (;;)
        std::this_thread::sleep_for(std::chrono::hours(1));
}

class MisbehavingPrincipal final : public ViewController {
public:
    std::shared_ptr<AudioUnit> createAudioUnit(const ComponentDescription&) override
    {
        switch (misbehaviour) {
        case Misbehaviour::crash:
            // The default action, as in any build: a sanitizer's own handler would turn the
            // crash into a report and an exit with status 1.
            std::signal(SIGSEGV, SIG_DFL);
            std::raise(SIGSEGV);
            break;
        case Misbehaviour::hang:
            hangForever();
        case Misbehaviour::exit:
            std::_Exit(7);
        }
        return nullptr;
    }
};

} // namespace
} // namespace au::test

au::ViewController* auExtensionCreatePrincipal()
{
    return new au::test::MisbehavingPrincipal;
}

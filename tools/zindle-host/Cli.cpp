#include "tools/zindle-host/Cli.h"

#include "tools/zindle-host/AudioFile.h"
#include "tools/zindle-host/CarrierGenerator.h"
#include "tools/zindle-host/EffectInstance.h"
#include "tools/zindle-host/HostError.h"
#include "tools/zindle-host/ParameterArguments.h"
#include "tools/zindle-host/RenderCommand.h"
#include "tools/zindle-host/ShowSession.h"

#include "platform/audiounit/ValidationProcess.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>

namespace zindlehost {

namespace {

constexpr const char* programName = "zindle-host";

// Names of au::ParameterUnit, by code.
constexpr std::array<const char*, 27> unitNames{
    "generic",  "indexed",     "boolean",       "percent",           "seconds",
    "sample frames", "phase",  "rate",          "hertz",             "cents",
    "relative semitones", "MIDI note", "MIDI controller", "decibels", "linear gain",
    "degrees",  "equal-power crossfade", "mixer fader curve", "pan", "meters",
    "absolute cents", "octaves", "BPM",        "beats",             "milliseconds",
    "ratio",    "custom"};

[[noreturn]] void usageError(const std::string& message) { throw HostError(ExitCode::usage, message); }

/// Walks one command's arguments: options with a value ("-o x", "--output x", "--output=x")
/// and positional arguments.
class ArgumentReader {
public:
    ArgumentReader(const std::vector<std::string>& arguments, std::string command)
        : arguments_(arguments), command_(std::move(command))
    {
    }

    bool atEnd() const { return index_ >= arguments_.size(); }
    const std::string& current() const { return arguments_[index_]; }

    /// When the current argument is the option, consumes it and its value.
    std::optional<std::string> option(std::string_view longName, std::string_view shortName = {})
    {
        const std::string& argument = current();
        if (argument == longName || (!shortName.empty() && argument == shortName)) {
            if (index_ + 1 >= arguments_.size())
                usageError(command_ + ": option " + argument + " needs a value");
            index_ += 2;
            return arguments_[index_ - 1];
        }
        if (argument.size() > longName.size() && argument.starts_with(longName) && argument[longName.size()] == '=') {
            ++index_;
            return argument.substr(longName.size() + 1);
        }
        return std::nullopt;
    }

    /// Consumes a positional argument; an unknown option is an error.
    std::string positional()
    {
        const std::string& argument = current();
        if (argument.size() > 1 && argument.front() == '-')
            usageError(command_ + ": unknown option '" + argument + "' (see '" + programName + " help')");
        ++index_;
        return argument;
    }

private:
    const std::vector<std::string>& arguments_;
    std::string command_;
    std::size_t index_ = 1; // after the command's name
};

template <typename Number>
Number parseNumberOption(const std::string& option, const std::string& text, Number low, Number high)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !(value >= low && value <= high)) {
        std::ostringstream message;
        message << "bad value '" << text << "' for " << option << ": expected a number from " << low << " to " << high;
        usageError(message.str());
    }
    return value;
}

void setOnce(std::filesystem::path& target, const std::string& value, const std::string& what)
{
    if (!target.empty())
        usageError(what + " given twice");
    target = value;
}

int renderCommand(const std::vector<std::string>& arguments, const Console& console)
{
    RenderOptions options;
    std::vector<std::string> files;
    ArgumentReader reader(arguments, "render");
    while (!reader.atEnd()) {
        if (auto output = reader.option("--output", "-o"))
            setOnce(options.output, *output, "render: the output");
        else if (auto setting = reader.option("--set"))
            options.settings.push_back(parseAssignment(*setting));
        else if (auto lane = reader.option("--automate"))
            options.automation.push_back(parseAutomation(*lane));
        else if (auto blockSize = reader.option("--block-size"))
            options.blockSize = parseNumberOption<au::FrameCount>("--block-size", *blockSize, 1, 8192);
        else
            files.push_back(reader.positional());
    }
    if (files.size() != 2)
        usageError("render needs a voice file and a carrier file (render <voice> <carrier> -o <out.wav>)");
    if (options.output.empty())
        usageError("render needs an output file: -o <out.wav>");
    options.voice = files[0];
    options.carrier = files[1];

    printSummary(console.out, renderFiles(options, console));
    return static_cast<int>(ExitCode::success);
}

void expectNoArguments(const std::vector<std::string>& arguments)
{
    if (arguments.size() > 1)
        usageError(arguments[0] + " takes no arguments, got '" + arguments[1] + "'");
}

int validateCommand(const std::vector<std::string>& arguments, const Console& console)
{
    au::ChildValidationOptions options;
    ArgumentReader reader(arguments, "validate");
    while (!reader.atEnd()) {
        if (auto seconds = reader.option("--timeout"))
            options.timeout = std::chrono::milliseconds(
                std::llround(parseNumberOption<double>("--timeout", *seconds, 0.1, 3600.0) * 1000.0));
        else
            usageError("validate takes no arguments, got '" + reader.positional() + "'");
    }
    const au::ComponentRegistry registry;
    const au::ComponentManifest manifest = findInstalledEffect(registry, zindleEffect);
    // An effect whose library cannot be loaded is exit 5, as for the other commands, not a
    // failed check; that much is found without running any of its code here.
    checkEffectLibrary(manifest);
    // In a child process: an effect that crashes or hangs is a failed validation, not our end.
    const au::ValidationReport report = au::validateInChildProcess(manifest, options, console.out);
    return static_cast<int>(report.result == au::ValidationResult::passed ? ExitCode::success : ExitCode::failed);
}

// Rows of text printed in columns two spaces apart.
void printTable(std::ostream& out, const std::vector<std::vector<std::string>>& rows)
{
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    for (const auto& row : rows) {
        std::string text;
        for (std::size_t c = 0; c < row.size(); ++c)
            text += c + 1 < row.size() ? row[c] + std::string(widths[c] - row[c].size() + 2, ' ') : row[c];
        text.erase(text.find_last_not_of(' ') + 1);
        out << text << "\n";
    }
}

int listCommand(const std::vector<std::string>& arguments, const Console& console)
{
    expectNoArguments(arguments);
    const au::ComponentRegistry registry;
    if (registry.components().empty()) {
        std::string searched;
        for (const auto& path : registry.searchPaths())
            searched += "\n  " + path.string();
        console.out << "No effects installed. Searched:" << searched << "\n";
        return static_cast<int>(ExitCode::success);
    }
    std::vector<std::vector<std::string>> rows{{"codes", "name", "version", "bundle"}};
    for (const auto& component : registry.components())
        rows.push_back({component.codesText(), component.name, component.versionText(), component.bundlePath.string()});
    printTable(console.out, rows);
    return static_cast<int>(ExitCode::success);
}

int paramsCommand(const std::vector<std::string>& arguments, const Console& console)
{
    expectNoArguments(arguments);
    const au::ComponentRegistry registry;
    EffectInstance effect(findInstalledEffect(registry, zindleEffect));
    std::vector<std::vector<std::string>> rows{{"identifier", "name", "unit", "range", "default", "value strings"}};
    for (const auto& parameter : effect.parameterTree().allParameters()) {
        const auto code = static_cast<std::size_t>(parameter->unit());
        std::string unit = code < unitNames.size() ? unitNames[code] : "unit " + std::to_string(code);
        if (!parameter->unitName().empty())
            unit += " (" + parameter->unitName() + ")";
        // A fresh instance's value is the default.
        const au::AUValue value = parameter->value();
        std::string defaultText = numberText(value);
        std::string names;
        if (const auto& strings = parameter->valueStrings()) {
            defaultText += " (" + parameter->string(&value) + ")";
            for (const auto& name : *strings)
                names += (names.empty() ? "" : ", ") + name;
        }
        rows.push_back({parameter->identifier(), parameter->displayName(), unit,
                        numberText(parameter->minValue()) + " to " + numberText(parameter->maxValue()), defaultText,
                        names});
    }
    printTable(console.out, rows);
    return static_cast<int>(ExitCode::success);
}

int carrierCommand(const std::vector<std::string>& arguments, const Console& console)
{
    std::filesystem::path output;
    double seconds = 4.0;
    int rate = 44100;
    ArgumentReader reader(arguments, "carrier");
    while (!reader.atEnd()) {
        if (auto path = reader.option("--output", "-o"))
            setOnce(output, *path, "carrier: the output");
        else if (auto length = reader.option("--seconds"))
            seconds = parseNumberOption<double>("--seconds", *length, 0.01, 600.0);
        else if (auto sampleRate = reader.option("--rate"))
            rate = parseNumberOption<int>("--rate", *sampleRate, 8000, 384000);
        else
            usageError("carrier takes no argument '" + reader.positional() + "'");
    }
    if (output.empty())
        usageError("carrier needs an output file: -o <out.wav>");

    const AudioData chord = makeCarrierChord(rate, seconds);
    AudioFileWriter writer(output, rate, chord.channelCount(), AudioFileWriter::SampleFormat::pcm16);
    writer.write(chord);
    writer.commit();
    char text[64];
    std::snprintf(text, sizeof text, "%.3f s at %d Hz", chord.seconds(), rate);
    console.out << "Wrote the carrier chord to " << output.string() << " (" << text << ")\n";
    return static_cast<int>(ExitCode::success);
}

ShowOptions parseShowOptions(const std::vector<std::string>& arguments)
{
    ShowOptions options;
    ArgumentReader reader(arguments, "show");
    while (!reader.atEnd()) {
        if (auto voice = reader.option("--voice"))
            setOnce(options.voice, *voice, "show: the voice file");
        else if (auto carrier = reader.option("--carrier"))
            setOnce(options.carrier, *carrier, "show: the carrier file");
        else if (auto setting = reader.option("--set"))
            options.settings.push_back(parseAssignment(*setting));
        else
            usageError("show takes no argument '" + reader.positional() + "'");
    }
    return options;
}

int showCommand(const std::vector<std::string>& arguments, const Console& console, const ShowWindow& showWindow)
{
    const ShowOptions options = parseShowOptions(arguments);
    if (!showWindow)
        throw HostError(ExitCode::failed, "show: this program has no window to show the effect in");

    ShowSession session(options);
    session.start();
    console.out << session.outputDescription() << std::endl;
    const int status = showWindow(session, console);
    session.stop();
    return status;
}

} // namespace

std::string helpText()
{
    return R"(Usage: zindle-host <command> [options]

Opens the installed Zindle effect (aufx voco Vart) the way a music program does and drives
it offline, or live in a window.

Commands:
  render <voice> <carrier> -o <out.wav> [options]
        Renders the voice (input bus 0) against the carrier (the side chain, input bus 1)
        and writes the effect's output as a 32-bit float WAV at the voice's sample rate.
        The carrier is resampled to the voice's rate and looped or cut to its length.
        Inputs: mono or stereo files in any format libsndfile reads (WAV, AIFF, FLAC, Ogg).
        The output appears only when the render succeeds, and may not be one of the inputs;
        an interrupted render (Ctrl-C, SIGTERM) leaves no file behind and an old output as
        it was.
    --set <id>=<value>
        Sets a parameter before rendering, the way a host does. The value is a number or
        one of the parameter's value strings: --set mainMode=Retro --set formantShift=-300.
        Settings apply in the order given (a mode loads a preset that later ones may change).
    --automate <id>=<seconds>:<value>[,<seconds>:<value>...]
        From each time on the parameter holds its value, from that exact sample:
        --automate formantShift=0:0,2.5:-1200 (times increase; later ones win).
    --block-size <frames>
        Frames per render call, 1 to 8192 (default 512).
  validate [--timeout <seconds>]
                Validates the installed effect and prints the report. The effect runs in a
                process of its own: one that crashes fails the validation, one that takes
                longer than the timeout (default 30 s) is stopped and fails it as timed out.
  list          Lists the installed effects: codes, name, version and bundle.
  params        Lists the effect's parameters: identifier, name, unit, range, default and
                value strings.
  carrier -o <out.wav> [--seconds <s>] [--rate <Hz>]
                Writes the example carrier, a sawtooth chord that loops seamlessly
                (default 4 s at 44100 Hz, 16-bit mono).
  show [--voice <file>] [--carrier <file>] [--set <id>=<value>...]
                Opens the effect's view in a window while the voice and the carrier play
                through it in an endless loop, to turn its controls and watch its meters.
                The sound goes to a running JACK server (connected to its playback ports);
                without one the effect renders silently in real time. The first line printed
                says which. Files default to the examples in share/zindle/examples; --set as
                for render.
  help          Shows this text.

Effects are found in the directories of ZINDLE_COMPONENT_PATH (colon-separated), then in
lib/zindle/Components of the tree this program is in, then in ~/.local/lib/zindle/Components.

A render prints a progress bar on standard error when that is a terminal, and a summary on
standard output: peak and RMS levels of the inputs and the output in dBFS, the audio's
length, the time taken and the real-time factor.

Exit status:
  0  success
  1  the effect did not pass validation, show cannot open a window or play, or an
     unexpected failure
  2  bad command line: unknown command or option, unknown parameter, bad value, bad automation
  3  an input file is missing, unreadable, not audio, has more than two channels, or
     runs at a sample rate the effect does not run at (8 kHz to 768 kHz)
  4  the output cannot be written
  5  the effect is not installed, does not load, or fails to render
  An interrupted command ends by its signal (the shell shows 130 for Ctrl-C, 143 for SIGTERM).
)";
}

int report(const Console& console, const HostError& error)
{
    console.err << programName << ": " << error.what() << "\n";
    return static_cast<int>(error.code());
}

std::optional<int> checkShowArguments(const std::vector<std::string>& arguments, const Console& console)
{
    try {
        parseShowOptions(arguments);
        return std::nullopt;
    } catch (const HostError& error) {
        return report(console, error);
    }
}

int run(const std::vector<std::string>& arguments, const Console& console, const ShowWindow& showWindow)
{
    try {
        const std::string command = arguments.empty() ? std::string() : arguments.front();
        if (command == "help" || command == "--help" || command == "-h") {
            console.out << helpText();
            return static_cast<int>(ExitCode::success);
        }
        if (command == "render")
            return renderCommand(arguments, console);
        if (command == "validate")
            return validateCommand(arguments, console);
        if (command == "list")
            return listCommand(arguments, console);
        if (command == "params")
            return paramsCommand(arguments, console);
        if (command == "carrier")
            return carrierCommand(arguments, console);
        if (command == "show")
            return showCommand(arguments, console, showWindow);
        usageError(command.empty() ? "no command given (see '" + std::string(programName) + " help')"
                                   : "unknown command '" + command + "' (see '" + programName + " help')");
    } catch (const HostError& error) {
        return report(console, error);
    } catch (const std::exception& error) {
        console.err << programName << ": " << error.what() << "\n";
        return static_cast<int>(ExitCode::failed);
    }
}

} // namespace zindlehost

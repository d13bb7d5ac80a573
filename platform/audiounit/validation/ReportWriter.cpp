#include "platform/audiounit/validation/ReportWriter.h"

#include <array>
#include <charconv>
#include <system_error>

namespace au::validation {

namespace {

template <typename... Format>
std::string printed(auto value, Format... format)
{
    std::array<char, 32> text{};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value, format...);
    return error == std::errc() ? std::string(text.data(), end) : std::string("?");
}

} // namespace

std::vector<std::string> ReportWriter::lines() const
{
    const std::lock_guard lock(mutex_);
    return lines_;
}

ValidationReport ReportWriter::finish()
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

void ReportWriter::add(std::string line, bool isCheck, bool isFailure)
{
    out_ << line << '\n';
    const std::lock_guard lock(mutex_);
    checks_ += isCheck ? 1 : 0;
    failures_ += isFailure ? 1 : 0;
    lines_.push_back(std::move(line));
}

std::string number(double value) { return printed(value); }

std::string number(float value) { return printed(value); }

std::string level(float value) { return printed(double(value), std::chars_format::fixed, 3); }

std::string counted(std::size_t count, const std::string& noun, const std::string& plural)
{
    return std::to_string(count) + ' ' + (count == 1 ? noun : plural);
}

std::string quoted(const std::string& text) { return '"' + text + '"'; }

std::string join(const std::vector<std::string>& parts)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "; ") + part;
    return text;
}

} // namespace au::validation

#pragma once

#include "platform/audiounit/Validator.h"

#include <cstddef>
#include <exception>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

// The validator's report: how its lines are written and counted, and the few text forms its
// checks share.
namespace au::validation {

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

    /// Any thread.
    std::vector<std::string> lines() const;

    /// Adds the verdict line.
    ValidationReport finish();

private:
    void add(std::string line, bool isCheck, bool isFailure);

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

/// The shortest text that reads back as the same number ("0.5", "44100").
std::string number(double value);
std::string number(float value);
/// A level for reading, not for exactness: three decimals.
std::string level(float value);
/// "1 frame", "2 frames".
std::string counted(std::size_t count, const std::string& noun, const std::string& plural);
std::string quoted(const std::string& text);
/// The parts joined by "; ".
std::string join(const std::vector<std::string>& parts);

} // namespace au::validation

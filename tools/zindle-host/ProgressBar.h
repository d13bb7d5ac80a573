#pragma once

#include <cstddef>
#include <ostream>
#include <string>

namespace zindlehost {

/// A one-line progress bar for a terminal, redrawn in place only when the shown percentage
/// changes, and erased when done. A disabled bar writes nothing (output that is not a
/// terminal gets no bar). Main thread.
class ProgressBar {
public:
    ProgressBar(std::ostream& stream, bool enabled, std::size_t total, std::string label);
    ~ProgressBar();

    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void update(std::size_t done);
    /// Erases the bar's line; later updates draw nothing.
    void finish();

private:
    std::ostream& stream_;
    bool enabled_;
    std::size_t total_;
    std::string label_;
    int shownPercent_ = -1;
};

} // namespace zindlehost

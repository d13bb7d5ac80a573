#pragma once

#include <ostream>

namespace zindlehost {

/// Where a command writes: results to out, errors and the progress bar to err.
struct Console {
    std::ostream& out;
    std::ostream& err;
    /// err is a terminal: long work shows a progress bar there.
    bool progress = false;
};

} // namespace zindlehost

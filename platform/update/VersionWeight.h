#pragma once

#include <cstdint>
#include <string_view>

namespace update {

/// The weight by which version texts compare: the dot-separated components (empty ones
/// dropped) weigh 10000, 100 and 1 for the first, the second and every later one. A component
/// that is not a plain base-10 integer (optional sign, digits only, within 64 bits) counts 0,
/// so "1.2.3" weighs 10203, "1.2b" 10000 and "Unknown" 0. Components of 100 and more spill into
/// the next position (1.100 weighs as 2.0). A sum beyond the 64-bit range saturates at its
/// limit. Any thread.
std::int64_t convertVersionToWeight(std::string_view version);

} // namespace update

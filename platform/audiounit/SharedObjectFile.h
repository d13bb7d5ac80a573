#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace au {

/// Why the file at path is not a complete ELF shared object for this machine, or nothing when
/// it is one: the ELF header is whole and names a shared object of this machine's class, byte
/// order and architecture; the program headers, every segment's bytes, and the section
/// headers and the bytes of every section that has any, lie inside the file.
///
/// The dynamic loader maps segments without looking at the file's length, so a library cut
/// short on disk would otherwise end the host with SIGBUS the first time a page past its end
/// is touched. The answer is one clause for a message ("it is 1200 bytes long, but its
/// segment 3 ends at byte 9000"). Reads only the headers. Any thread.
std::optional<std::string> sharedObjectFault(const std::filesystem::path& path);

} // namespace au

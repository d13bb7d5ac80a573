#pragma once

#include <cstdint>
#include <string>

namespace au {

/// A four-character code such as "aufx", packed big-endian into 32 bits.
using FourCharCode = std::uint32_t;

consteval FourCharCode fourCharCode(const char (&code)[5])
{
    return (FourCharCode(std::uint8_t(code[0])) << 24) | (FourCharCode(std::uint8_t(code[1])) << 16)
           | (FourCharCode(std::uint8_t(code[2])) << 8) | FourCharCode(std::uint8_t(code[3]));
}

/// The four characters of a code, for reports and manifests.
std::string fourCharString(FourCharCode code);

/// Names an effect: what kind it is, which one, and whose. Hosts find an installed effect by
/// these three codes.
struct ComponentDescription {
    FourCharCode componentType = 0;
    FourCharCode componentSubType = 0;
    FourCharCode componentManufacturer = 0;

    bool operator==(const ComponentDescription&) const = default;
};

namespace componentType {
inline constexpr FourCharCode effect = fourCharCode("aufx");
} // namespace componentType

} // namespace au

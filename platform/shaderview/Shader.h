#pragma once

#include <QString>

#include <array>
#include <filesystem>
#include <vector>

namespace shaderview {

/// A colour effect a view can apply to what it draws: a fragment function of a module's
/// shader library and the arguments it takes. Only a value: it names the function and does
/// not check that the library has it.
///
/// How a view applies it: it draws its content into a texture, then the function (paired
/// with any vertex function of the same library that hands on `uv`) over it, with the
/// content at fragment texture 0 and argument k at fragment input k.
struct Shader {
    using Float4 = std::array<float, 4>;

    std::filesystem::path libraryBundle; // the bundle whose shader library holds the function
    QString function;
    std::vector<Float4> arguments;

    bool operator==(const Shader&) const = default;
};

} // namespace shaderview
